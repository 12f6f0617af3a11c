#include "services/writing/writing_lock.h"

namespace wrivo {
namespace {

constexpr std::int64_t msPerMinute = 60'000;

std::string leftText(LockGoal goal, std::int64_t left)
{
    return goal == LockGoal::words ? "还差 " + std::to_string(left) + " 字" : "还剩 " + std::to_string(left) + " 分钟";
}

} // namespace

std::int64_t suggestedLockWords(std::int64_t dailyGoal, std::int64_t writtenToday)
{
    return dailyGoal > 0 && writtenToday < dailyGoal ? dailyGoal - writtenToday : defaultLockWords;
}

WritingLock::WritingLock(LockGoal goal, std::int64_t target, std::int64_t startMs)
    : goal_(goal), target_(target), startMs_(startMs)
{
}

std::int64_t WritingLock::left(std::int64_t nowMs) const
{
    switch (goal_) {
    case LockGoal::words: return met_ ? 0 : target_ - written_;
    case LockGoal::minutes: {
        const std::int64_t remaining = target_ * msPerMinute - (nowMs - startMs_);
        return remaining <= 0 ? 0 : (remaining + msPerMinute - 1) / msPerMinute;
    }
    case LockGoal::none: break;
    }
    return 0;
}

std::string WritingLock::line(std::int64_t nowMs, std::int64_t writtenToday) const
{
    if (goal_ == LockGoal::none || !holds(nowMs)) return "今日已写 " + std::to_string(writtenToday) + " 字";
    return leftText(goal_, left(nowMs));
}

std::string WritingLock::refusal(std::int64_t nowMs) const
{
    return leftText(goal_, left(nowMs)) + "，还不能出关。";
}

std::string lockMetText(std::int64_t writtenToday)
{
    return "出关！今日已写 " + std::to_string(writtenToday) + " 字。";
}

} // namespace wrivo
