// The dialogs of 闭关写作, each a standard dialog from a template in memory,
// run modally over `owner`:
//  - entering: 写够 N 字, 写满 M 分钟 or 不设目标, 写够 chosen; answered with
//    the goal, or nothing when cancelled;
//  - a refused exit, titled 闭关写作: what is left, with 确定 and 强行出关;
//    answers whether 强行出关 was pressed;
//  - 强行出关: the sentence to type over a field, with 确定 and 取消;
//    answers what was typed (GBK), or nothing when cancelled.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/host_types.h"
#include "services/writing/writing_lock.h"

namespace wrivo {

struct LockChoice {
    LockGoal goal = LockGoal::words;
    std::int64_t target = 0; // 字 or minutes
};

std::optional<LockChoice> askLockGoal(const UnitRef& owner, std::int64_t suggestedWords);
bool askLockRefused(const UnitRef& owner, std::string_view refusal);
std::optional<std::string> askSurrender(const UnitRef& owner);

} // namespace wrivo
