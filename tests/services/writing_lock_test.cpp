#include "services/writing/writing_lock.h"

#include <gtest/gtest.h>

namespace wrivo {
namespace {

constexpr std::int64_t minute = 60'000;

// What is left, the line at the top and the refusal, for each kind of goal,
// as the writer types, deletes and waits; and the only way out before the end.
TEST(WritingLock, WhatIsLeftTheLineAndTheWayOut)
{
    EXPECT_EQ(suggestedLockWords(3000, 2150), 850);
    EXPECT_EQ(suggestedLockWords(3000, 3000), defaultLockWords);
    EXPECT_EQ(suggestedLockWords(0, 0), defaultLockWords);

    WritingLock words(LockGoal::words, 850, 5 * minute);
    EXPECT_EQ(words.line(5 * minute, 2150), "还差 850 字");
    words.addWords(300);
    words.addWords(-100); // deleted: the count is net
    EXPECT_EQ(words.left(99 * minute), 650);
    EXPECT_EQ(words.refusal(0), "还差 650 字，还不能出关。");
    words.addWords(650);
    EXPECT_FALSE(words.holds(0));
    EXPECT_EQ(words.line(0, 3000), "今日已写 3000 字");
    words.addWords(-1); // deleting after the goal was met does not shut the writer in again
    EXPECT_FALSE(words.holds(0));

    WritingLock minutes(LockGoal::minutes, 60, 10 * minute);
    EXPECT_EQ(minutes.line(10 * minute, 0), "还剩 60 分钟");
    EXPECT_EQ(minutes.line(47 * minute + 1, 0), "还剩 23 分钟"); // a minute begun counts
    EXPECT_EQ(minutes.refusal(47 * minute), "还剩 23 分钟，还不能出关。");
    EXPECT_TRUE(minutes.holds(70 * minute - 1));
    EXPECT_FALSE(minutes.holds(70 * minute));

    EXPECT_FALSE(WritingLock(LockGoal::none, 0, 0).holds(0));

    EXPECT_EQ(lockMetText(3120), "出关！今日已写 3120 字。");
    EXPECT_TRUE(isSurrender("我决定放弃这次闭关"));
    for (const char* typed : {"", "我决定放弃这次闭关。", " 我决定放弃这次闭关", "我决定放弃"})
        EXPECT_FALSE(isSurrender(typed)) << typed;
}

} // namespace
} // namespace wrivo
