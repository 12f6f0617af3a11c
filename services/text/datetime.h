// Date-time values and the Chinese date-and-time text.
//
// A date-time value counts days since midnight at the start of 1899-12-30; the
// fraction is the time of day. The count runs straight on through zero: -0.25 is
// six hours before that midnight (1899-12-29 18:00), so rounding to the nearest
// second is the same rule on both sides of zero.
#pragma once
#include "services/text/value.h"

#include <cstdint>
#include <string>

namespace wrivo {

constexpr double earliestDateTime = -657434; // 0100-01-01
constexpr double latestDateTime = 2958465;   // 9999-12-31

struct CivilDate {
    int year = 1899;
    int month = 12; // 1-12
    int day = 30;   // 1-31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct DateTimeFields {
    CivilDate date;
    int hour = 0;   // 0-23
    int minute = 0; // 0-59
    int second = 0; // 0-59
    friend bool operator==(const DateTimeFields&, const DateTimeFields&) = default;
};

// Days between 1899-12-30 and a date of the proleptic Gregorian calendar, and back.
std::int64_t daysFromCivil(const CivilDate& date);
CivilDate civilFromDays(std::int64_t days);

DateTime dateTimeFromFields(const DateTimeFields& fields);

// Clamps the value into [earliestDateTime, latestDateTime] (NaN counts as 0),
// rounds it to the nearest second (half a second goes away from zero) and
// breaks it into fields.
DateTimeFields dateTimeFields(DateTime value);

// The current local time in whole seconds, by the system's time-zone rules.
DateTime now();

std::int32_t monthOf(DateTime value);

// "2013年5月6日9时5分7秒"; trailing zero parts of the time are left out
// ("2013年5月6日14时", "2013年5月6日" at midnight), never leading ones.
std::string dateTimeText(DateTime value);

} // namespace wrivo
