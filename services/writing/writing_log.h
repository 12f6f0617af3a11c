// The daily writing log: how many 字 the writer wrote each day, net, and the
// goal each day had.
//
// A writing day runs from 04:00 local time to 04:00 the next morning (writers
// work past midnight; the hour is the writer's `day_start`) and is named by
// the date it starts on. Each program
// keeps what it added since it last wrote the log (its pending figures) apart
// from the log as it last read it, so that two programs writing the same day
// add up: the writer of the file reads it anew, adds its own pending figures
// and writes the sum.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/text/datetime.h"

namespace wrivo {

inline constexpr int defaultDayStart = 4;
inline constexpr int latestDayStart = 12;

// Days since 1899-12-30 of the writing day a local time falls in, when a
// day starts at `dayStartHour` o'clock.
std::int64_t writingDay(const DateTimeFields& localTime, int dayStartHour = defaultDayStart);

struct DayRecord {
    std::int64_t day = 0;   // a writing day
    std::int64_t words = 0; // net 字数, may be below zero
    std::int64_t goal = 0;  // the goal that day had; 0 for none
    bool goalMet() const { return goal > 0 && words >= goal; }
    friend bool operator==(const DayRecord&, const DayRecord&) = default;
};

inline constexpr std::size_t daysKept = 400;
// A day's figure and goal lie within this either side of 0.
inline constexpr std::int64_t largestFigure = 10'000'000;

// daily.txt: one line per day, "2026-12-09 3120 3000" (the date, the net
// 字数, the goal). A day named twice counts as its last line. Days come out
// in order, the newest daysKept. A line that is no such day (damaged, a
// figure past largestFigure, more fields than these) counts for nothing and
// is written back as it stands, after the days: a later program may add
// fields without this one deleting them.
struct DailyLog {
    std::vector<DayRecord> days;
    std::vector<std::string> unread;
    friend bool operator==(const DailyLog&, const DailyLog&) = default;
};
//
// minutes.txt has the same form with two fields, "2026-12-09 95" (the
// minutes of typing that day), read into `words` with no goal.
enum class LogFields {
    withGoal,
    figureOnly
};
DailyLog parseDailyLog(std::string_view text, LogFields fields = LogFields::withGoal);
std::string dailyLogText(const DailyLog& log, LogFields fields = LogFields::withGoal);

// Typing time: each change of the text within `idleLimit` of the one before
// adds the time between them, so the writer's typing counts and a pause of
// five minutes or more does not (milliseconds throughout).
class TypingClock {
public:
    static constexpr std::uint64_t idleLimit = 5 * 60 * 1000;
    // A change at `now`; answers the milliseconds it adds.
    std::uint64_t typed(std::uint64_t now)
    {
        const std::uint64_t added = last_ && now >= *last_ && now - *last_ < idleLimit ? now - *last_ : 0;
        last_ = now;
        return added;
    }

private:
    std::optional<std::uint64_t> last_;
};

class WritingLog {
public:
    // The log as a read of its file found it.
    void setStored(std::vector<DayRecord> days) { stored_ = std::move(days); }
    // Adds this program's difference to a day that has `goal` unless it was
    // given one; answers whether the day's figure reached its goal with it.
    bool add(std::int64_t day, std::int64_t words, std::int64_t goal);
    // The goal of a day (today's, when the writer changes it).
    void setGoal(std::int64_t day, std::int64_t goal);

    // The stored days with this program's pending figures added.
    std::vector<DayRecord> days() const { return withPending(stored_); }
    // What to write when the file holds `onDisk` now.
    std::vector<DayRecord> withPending(const std::vector<DayRecord>& onDisk) const;
    // The pending figures are in the file, which now holds `days`.
    void written(std::vector<DayRecord> days);
    bool hasPending() const { return !pending_.empty(); }

    DayRecord day(std::int64_t day) const;
    // Days in a row whose goal was met, up to yesterday, and today once met.
    int streak(std::int64_t today) const;
    // The average figure of the days written (a figure other than 0) among
    // the `span` days up to today; 0 when none.
    std::int64_t average(std::int64_t today, int span) const;

private:
    struct Pending {
        std::int64_t words = 0;
        std::int64_t goalIfNew = 0;
        std::optional<std::int64_t> goal;
    };
    std::vector<DayRecord> stored_;
    std::map<std::int64_t, Pending> pending_;
};

// Notes the 字数 at each typing pause and says how much it grew since the
// last note. Loading a text (open, append, a restored copy, New, Del) only
// notes the new figure: it was not written today.
class WordMeter {
public:
    void reset(std::int64_t words) { recorded_ = words; }
    std::int64_t difference(std::int64_t words)
    {
        const std::int64_t change = words - recorded_;
        recorded_ = words;
        return change;
    }

private:
    std::int64_t recorded_ = 0;
};

} // namespace wrivo
