#include "services/writing/writing_log.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace wrivo {
namespace {

std::optional<std::int64_t> numberIn(std::string_view text)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// "2026-12-09", a real date.
std::optional<std::int64_t> dayIn(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const std::optional<std::int64_t> year = numberIn(text.substr(0, 4)), month = numberIn(text.substr(5, 2)),
                                      day = numberIn(text.substr(8, 2));
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
    const CivilDate date{static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day)};
    const std::int64_t days = daysFromCivil(date);
    if (civilFromDays(days) != date) return std::nullopt; // 2026-02-30
    return days;
}

std::vector<std::string_view> fieldsOf(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        std::size_t end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
        if (end > at) fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

// The newest daysKept, in order, one per day.
void settle(std::vector<DayRecord>& days)
{
    std::stable_sort(days.begin(), days.end(), [](const DayRecord& a, const DayRecord& b) { return a.day < b.day; });
    std::vector<DayRecord> unique;
    for (const DayRecord& record : days) {
        if (!unique.empty() && unique.back().day == record.day)
            unique.back() = record;
        else
            unique.push_back(record);
    }
    if (unique.size() > daysKept) unique.erase(unique.begin(), unique.end() - daysKept);
    days = std::move(unique);
}

} // namespace

std::int64_t writingDay(const DateTimeFields& localTime, int dayStartHour)
{
    return daysFromCivil(localTime.date) - (localTime.hour < dayStartHour ? 1 : 0);
}

DailyLog parseDailyLog(std::string_view text, LogFields fields)
{
    const std::size_t count = fields == LogFields::withGoal ? 3 : 2;
    DailyLog log;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::vector<std::string_view> found = fieldsOf(line);
        if (found.empty()) continue;
        const bool whole = found.size() == count;
        const std::optional<std::int64_t> day = dayIn(found[0]), words = whole ? numberIn(found[1]) : std::nullopt,
                                          goal = !whole       ? std::nullopt
                                                 : count == 3 ? numberIn(found[2])
                                                              : std::optional<std::int64_t>(0);
        if (day && words && goal && *words >= -largestFigure && *words <= largestFigure && *goal >= 0 &&
            *goal <= largestFigure)
            log.days.push_back({*day, *words, *goal});
        else
            log.unread.emplace_back(line);
    }
    settle(log.days);
    return log;
}

std::string dailyLogText(const DailyLog& log, LogFields fields)
{
    std::string text;
    for (const DayRecord& record : log.days) {
        const CivilDate date = civilFromDays(record.day);
        char line[80];
        if (fields == LogFields::withGoal)
            std::snprintf(line, sizeof line, "%04d-%02d-%02d %lld %lld\r\n", date.year, date.month, date.day,
                          static_cast<long long>(record.words), static_cast<long long>(record.goal));
        else
            std::snprintf(line, sizeof line, "%04d-%02d-%02d %lld\r\n", date.year, date.month, date.day,
                          static_cast<long long>(record.words));
        text += line;
    }
    for (const std::string& line : log.unread) text += line + "\r\n";
    return text;
}

bool WritingLog::add(std::int64_t day, std::int64_t words, std::int64_t goal)
{
    const DayRecord before = this->day(day);
    Pending& pending = pending_[day];
    pending.words += words;
    if (pending.goalIfNew == 0) pending.goalIfNew = goal;
    const DayRecord after = this->day(day);
    return !before.goalMet() && after.goalMet();
}

void WritingLog::setGoal(std::int64_t day, std::int64_t goal)
{
    pending_[day].goal = goal;
}

std::vector<DayRecord> WritingLog::withPending(const std::vector<DayRecord>& onDisk) const
{
    std::vector<DayRecord> days = onDisk;
    for (const auto& [day, pending] : pending_) {
        auto record = std::find_if(days.begin(), days.end(), [day = day](const DayRecord& r) { return r.day == day; });
        if (record == days.end()) record = days.insert(days.end(), DayRecord{day, 0, pending.goalIfNew});
        // Held within what a read takes back, or the day would be lost to it.
        record->words = std::clamp(record->words + pending.words, -largestFigure, largestFigure);
        if (pending.goal) record->goal = *pending.goal;
    }
    settle(days);
    return days;
}

void WritingLog::written(std::vector<DayRecord> days)
{
    stored_ = std::move(days);
    pending_.clear();
}

DayRecord WritingLog::day(std::int64_t day) const
{
    for (const DayRecord& record : days())
        if (record.day == day) return record;
    const auto pending = pending_.find(day);
    return {day, 0, pending == pending_.end() ? 0 : pending->second.goal.value_or(pending->second.goalIfNew)};
}

int WritingLog::streak(std::int64_t today) const
{
    const std::vector<DayRecord> all = days();
    auto met = [&](std::int64_t day) {
        const auto record = std::find_if(all.begin(), all.end(), [day](const DayRecord& r) { return r.day == day; });
        return record != all.end() && record->goalMet();
    };
    int count = met(today) ? 1 : 0;
    for (std::int64_t day = today - 1; met(day); --day) ++count;
    return count;
}

std::int64_t WritingLog::average(std::int64_t today, int span) const
{
    std::int64_t total = 0, written = 0;
    for (const DayRecord& record : days())
        if (record.day <= today && record.day > today - span && record.words != 0) {
            total += record.words;
            ++written;
        }
    return written ? total / written : 0;
}

} // namespace wrivo
