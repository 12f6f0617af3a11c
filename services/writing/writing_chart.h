// The bar chart of the last days in the daily-goal dialog, as geometry: one
// bar a day, oldest on the left and today on the right, heights to one scale
// (the largest figure or the goal, whichever is higher, reaches the top), a
// line at the goal. A day below zero is drawn as zero and its figure shown.
#pragma once
#include <cstdint>
#include <vector>

#include "services/writing/writing_log.h"

namespace wrivo {

struct ChartArea {
    int left = 0, top = 0, width = 0, height = 0;
};

struct ChartBar {
    int left = 0, top = 0, width = 0, height = 0; // height 0: nothing to fill
    std::int64_t day = 0;
    std::int64_t words = 0;
    bool today = false;
    bool goalMet = false;   // filled
    bool belowZero = false; // drawn as zero, its figure shown
};

struct Chart {
    std::vector<ChartBar> bars;
    int goalLine = -1; // the y of the goal's line; -1 when there is no goal
};

inline constexpr int chartDays = 30;

// `days` in any order; days missing from it are days of 0.
Chart chartGeometry(const std::vector<DayRecord>& days, std::int64_t today, std::int64_t goal, const ChartArea& area,
                    int dayCount = chartDays);

} // namespace wrivo
