#include "services/writing/writing_chart.h"

#include <algorithm>

namespace wrivo {

Chart chartGeometry(const std::vector<DayRecord>& days, std::int64_t today, std::int64_t goal, const ChartArea& area,
                    int dayCount)
{
    Chart chart;
    if (dayCount <= 0 || area.width <= 0 || area.height <= 0) return chart;
    std::vector<DayRecord> shown(static_cast<std::size_t>(dayCount));
    for (int i = 0; i < dayCount; ++i) shown[static_cast<std::size_t>(i)].day = today - (dayCount - 1) + i;
    for (const DayRecord& record : days)
        if (record.day <= today && record.day > today - dayCount)
            shown[static_cast<std::size_t>(record.day - (today - dayCount + 1))] = record;

    std::int64_t scale = std::max<std::int64_t>(goal, 1);
    for (const DayRecord& record : shown) scale = std::max(scale, record.words);
    const int bottom = area.top + area.height;
    auto heightOf = [&](std::int64_t words) {
        return static_cast<int>(std::clamp<std::int64_t>(words, 0, scale) * area.height / scale);
    };
    // Bars share the width evenly, a gap of a fifth between them (none when
    // they are too narrow for one).
    for (int i = 0; i < dayCount; ++i) {
        const DayRecord& record = shown[static_cast<std::size_t>(i)];
        const int left = area.left + i * area.width / dayCount;
        const int right = area.left + (i + 1) * area.width / dayCount;
        const int gap = (right - left) >= 5 ? (right - left) / 5 : 0;
        ChartBar bar;
        bar.left = left;
        bar.width = right - left - gap;
        bar.height = heightOf(record.words);
        bar.top = bottom - bar.height;
        bar.day = record.day;
        bar.words = record.words;
        bar.today = record.day == today;
        bar.goalMet = record.goalMet();
        bar.belowZero = record.words < 0;
        chart.bars.push_back(bar);
    }
    if (goal > 0) chart.goalLine = bottom - heightOf(goal);
    return chart;
}

} // namespace wrivo
