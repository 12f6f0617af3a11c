// The writer's two dialogs, each a standard dialog from a template in
// memory, run modally over `owner`:
//  - the tidy-up's choices (一键排版), answered with the choices or nothing
//    when cancelled;
//  - the daily goal (今日目标): today's figure, the goal in an edit field,
//    what is left, the last 30 days as a bar chart, the streak and the
//    average, today's typing time and speed; answered with the goal entered, or nothing when cancelled.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "host/host_types.h"
#include "services/writing/manuscript_tidy.h"
#include "services/writing/writing_log.h"

namespace wrivo {

std::optional<TidyOptions> askTidyOptions(const UnitRef& owner, const TidyOptions& current);

struct GoalSummary {
    std::int64_t today = 0; // the writing day
    std::int64_t written = 0;
    std::int64_t goal = 0;
    int streak = 0;
    std::int64_t average = 0;
    std::int64_t minutes = 0; // of typing today
    std::vector<DayRecord> days;
};

std::optional<std::int64_t> askDailyGoal(const UnitRef& owner, const GoalSummary& summary);

} // namespace wrivo
