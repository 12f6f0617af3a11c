// 闭关写作: the writer shuts the editor to full screen until a goal is met,
// net 字数 written from now (by the daily goal's rule) or minutes spent.
// This is the lock's portable part: what is left, when it ends, what the
// line at the top and the boxes say. The window and its keys are the app's.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wrivo {

enum class LockGoal {
    words,
    minutes,
    none
};

inline constexpr std::int64_t defaultLockWords = 1000;
inline constexpr std::int64_t defaultLockMinutes = 60;
// The sentence that ends a lock before its goal, typed exactly.
inline constexpr std::string_view surrenderSentence = "我决定放弃这次闭关";

// What the dialog offers for 写够 N 字: what is left of today's goal while
// it is not met, else defaultLockWords.
std::int64_t suggestedLockWords(std::int64_t dailyGoal, std::int64_t writtenToday);

class WritingLock {
public:
    // A lock from `startMs` (a steady clock's milliseconds) on; `target` is
    // the 字 or minutes of its goal.
    WritingLock(LockGoal goal, std::int64_t target, std::int64_t startMs);

    // The net 字数 noted at a typing pause (or a change of the text).
    // A goal met stays met: deleting afterwards does not shut the writer in again.
    void addWords(std::int64_t difference)
    {
        written_ += difference;
        met_ = met_ || written_ >= target_;
    }
    // What is left at `nowMs`: 字 or whole minutes begun; 0 once met.
    std::int64_t left(std::int64_t nowMs) const;
    // A goal that is not met yet: the window may not be given back.
    bool holds(std::int64_t nowMs) const { return goal_ != LockGoal::none && left(nowMs) > 0; }
    LockGoal goal() const { return goal_; }

    // The line at the top: "还差 850 字", "还剩 23 分钟", or today's 字数
    // without a goal.
    std::string line(std::int64_t nowMs, std::int64_t writtenToday) const;
    // The refusal of a close or of F11: "还差 850 字，还不能出关。"
    std::string refusal(std::int64_t nowMs) const;

private:
    LockGoal goal_;
    std::int64_t target_;
    std::int64_t startMs_;
    std::int64_t written_ = 0;
    bool met_ = false;
};

// "出关！今日已写 N 字。"
std::string lockMetText(std::int64_t writtenToday);

// Only the exact sentence, nothing around it, ends a lock early.
inline bool isSurrender(std::string_view typed)
{
    return typed == surrenderSentence;
}

} // namespace wrivo
