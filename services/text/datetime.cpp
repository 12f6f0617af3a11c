#include "services/text/datetime.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

namespace wrivo {

namespace {

constexpr std::int64_t secondsPerDay = 86400;
constexpr double halfSecond = 1.0 / 172800;
// 1899-12-30 counted from 0000-03-01, the start of the era the arithmetic uses.
constexpr std::int64_t epochShift = 693899;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

} // namespace

// Counts in 400-year eras of 146097 days, each starting on 1 March so that the
// leap day is the last day of its year.
std::int64_t daysFromCivil(const CivilDate& date)
{
    std::int64_t y = date.year - (date.month <= 2);
    std::int64_t era = floorDiv(y, 400);
    std::int64_t yearOfEra = y - era * 400;
    std::int64_t monthFromMarch = (date.month + 9) % 12;
    std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
    std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - epochShift;
}

CivilDate civilFromDays(std::int64_t days)
{
    std::int64_t z = days + epochShift;
    std::int64_t era = floorDiv(z, 146097);
    std::int64_t dayOfEra = z - era * 146097;
    std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    date.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2));
    return date;
}

DateTime dateTimeFromFields(const DateTimeFields& fields)
{
    double timeOfDay = (fields.hour * 3600 + fields.minute * 60 + fields.second) / double(secondsPerDay);
    return DateTime{static_cast<double>(daysFromCivil(fields.date)) + timeOfDay};
}

DateTimeFields dateTimeFields(DateTime value)
{
    double v = value.days;
    if (std::isnan(v)) v = 0;
    if (v > latestDateTime) v = latestDateTime;
    if (v < earliestDateTime) v = earliestDateTime;
    // Half a second is added in days, away from zero, and the whole seconds are
    // taken toward zero; a value half a second or less before a positive midnight
    // so lands exactly on it. The whole days go apart first to keep the
    // fraction's precision.
    v += v >= 0 ? halfSecond : -halfSecond;
    double wholeDays = std::trunc(v);
    auto seconds = static_cast<std::int64_t>(wholeDays) * secondsPerDay +
                   static_cast<std::int64_t>((v - wholeDays) * secondsPerDay);
    std::int64_t days = floorDiv(seconds, secondsPerDay);
    std::int64_t second = seconds - days * secondsPerDay;

    DateTimeFields fields;
    fields.date = civilFromDays(days);
    fields.hour = static_cast<int>(second / 3600);
    fields.minute = static_cast<int>(second / 60 % 60);
    fields.second = static_cast<int>(second % 60);
    return fields;
}

namespace {

// The moment WRIVO_TEST_CLOCK names ("2026-12-08 17:30:05", local time), for
// tests that start the program from outside and must know what the clock
// says; nothing (the real clock) when it is unset or not such a moment.
std::optional<DateTime> fixedClock()
{
    const char* setting = std::getenv("WRIVO_TEST_CLOCK");
    if (!setting) return std::nullopt;
    DateTimeFields fields;
    char end = 0;
    if (std::sscanf(setting, "%d-%d-%d %d:%d:%d%c", &fields.date.year, &fields.date.month, &fields.date.day,
                    &fields.hour, &fields.minute, &fields.second, &end) != 6)
        return std::nullopt;
    const DateTime value = dateTimeFromFields(fields);
    if (dateTimeFields(value) != fields) return std::nullopt; // 2026-02-30, 25:00:00, ...
    return value;
}

} // namespace

DateTime now()
{
    if (const std::optional<DateTime> fixed = fixedClock()) return *fixed;
    std::time_t seconds = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    DateTimeFields fields;
    fields.date = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    fields.hour = local.tm_hour;
    fields.minute = local.tm_min;
    fields.second = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second stays in its minute
    return dateTimeFromFields(fields);
}

std::int32_t monthOf(DateTime value)
{
    return dateTimeFields(value).date.month;
}

std::string dateTimeText(DateTime value)
{
    DateTimeFields f = dateTimeFields(value);
    auto number = [](int n) { return std::to_string(n); };
    std::string text = number(f.date.year) + "年" + number(f.date.month) + "月" + number(f.date.day) + "日";
    if (f.second != 0) {
        text += number(f.hour) + "时" + number(f.minute) + "分" + number(f.second) + "秒";
    } else if (f.minute != 0) {
        text += number(f.hour) + "时" + number(f.minute) + "分";
    } else if (f.hour != 0) {
        text += number(f.hour) + "时";
    }
    return text;
}

} // namespace wrivo
