#include <gtest/gtest.h>
#include <cmath>
#include <ctime>
#include <limits>
#include "services/text/datetime.h"
#include "services/text/text.h"

namespace wrivo {
namespace {

DateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return dateTimeFromFields({{year, month, day}, hour, minute, second});
}

const double oneSecond = 1.0 / 86400;

TEST(DateTimeText, LeavesOutTrailingZeroPartsOfTheTime)
{
    struct Case {
        DateTime value;
        const char* expected;
    };
    const Case cases[] = {
        {at(2013, 5, 6, 9, 5, 7), "2013年5月6日9时5分7秒"},
        {at(2013, 5, 6, 0, 0, 7), "2013年5月6日0时0分7秒"},
        {at(2013, 5, 6, 0, 30, 0), "2013年5月6日0时30分"},
        {at(2013, 5, 6, 14, 0, 0), "2013年5月6日14时"},
        {at(2013, 5, 6), "2013年5月6日"},
        {at(2024, 12, 31, 23, 59, 59), "2024年12月31日23时59分59秒"},
        {DateTime{0}, "1899年12月30日"},
        {DateTime{0.5}, "1899年12月30日12时"},
    };
    for (const Case& c : cases) EXPECT_EQ(dateTimeText(c.value), c.expected) << c.value.days;
    EXPECT_EQ(toText(Value{at(2013, 5, 6, 9, 5, 7)}), "2013年5月6日9时5分7秒");
}

TEST(DateTimeText, ClampsToTheValidRange)
{
    EXPECT_EQ(dateTimeText(DateTime{3000000}), "9999年12月31日");
    EXPECT_EQ(dateTimeText(DateTime{2958465.75}), "9999年12月31日"); // above the last midnight
    EXPECT_EQ(dateTimeText(DateTime{-1e9}), "100年1月1日");
    EXPECT_EQ(dateTimeText(DateTime{earliestDateTime}), "100年1月1日");
    EXPECT_EQ(dateTimeText(DateTime{std::numeric_limits<double>::infinity()}), "9999年12月31日");
    EXPECT_EQ(dateTimeText(DateTime{-std::numeric_limits<double>::infinity()}), "100年1月1日");
    EXPECT_EQ(dateTimeText(DateTime{std::numeric_limits<double>::quiet_NaN()}), "1899年12月30日");
}

TEST(DateTimeText, RoundsToTheNearestSecond)
{
    const double midnight = at(2013, 5, 6).days;
    EXPECT_EQ(dateTimeText(DateTime{midnight - oneSecond / 2}), "2013年5月6日");
    EXPECT_EQ(dateTimeText(DateTime{midnight - oneSecond * 0.3}), "2013年5月6日");
    EXPECT_EQ(dateTimeText(DateTime{midnight - oneSecond * 0.6}), "2013年5月5日23时59分59秒");
    EXPECT_EQ(dateTimeText(DateTime{midnight + oneSecond * 0.49}), "2013年5月6日");
    EXPECT_EQ(dateTimeText(DateTime{midnight + oneSecond * 1.6}), "2013年5月6日0时0分2秒");
    EXPECT_EQ(dateTimeText(DateTime{midnight + oneSecond * 1.4}), "2013年5月6日0时0分1秒");
}

TEST(DateTimeText, NegativeValuesCountBackFromTheFirstMidnight)
{
    EXPECT_EQ(dateTimeText(DateTime{-1}), "1899年12月29日");
    EXPECT_EQ(dateTimeText(DateTime{-0.5}), "1899年12月29日12时");
    EXPECT_EQ(dateTimeText(DateTime{-1.25}), "1899年12月28日18时");
    EXPECT_EQ(dateTimeText(DateTime{-365}), "1898年12月30日");
    EXPECT_EQ(dateTimeText(DateTime{-2 - oneSecond * 0.4}), "1899年12月28日");
    EXPECT_EQ(dateTimeText(DateTime{-2 + oneSecond * 0.4}), "1899年12月28日");
    EXPECT_EQ(dateTimeText(DateTime{-2 - oneSecond * 0.6}), "1899年12月27日23时59分59秒");
    EXPECT_EQ(dateTimeText(DateTime{-2 + oneSecond * 1.6}), "1899年12月28日0时0分2秒");
    EXPECT_EQ(at(1899, 12, 29, 6).days, -0.75);
}

TEST(Calendar, KnownDays)
{
    struct Case {
        CivilDate date;
        std::int64_t days;
    };
    const Case cases[] = {
        {{1899, 12, 30}, 0},    {{1899, 12, 31}, 1},       {{1900, 1, 1}, 2},
        {{1900, 3, 1}, 61}, // 1900 was no leap year
        {{1970, 1, 1}, 25569},  {{2000, 2, 29}, 36585},    {{2000, 3, 1}, 36586},
        {{100, 1, 1}, -657434}, {{9999, 12, 31}, 2958465},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(daysFromCivil(c.date), c.days) << c.date.year << "-" << c.date.month << "-" << c.date.day;
        EXPECT_EQ(civilFromDays(c.days), c.date) << c.days;
    }
}

bool isLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

CivilDate nextDay(CivilDate d)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int length = lengths[d.month - 1] + (d.month == 2 && isLeapYear(d.year));
    if (++d.day > length) {
        d.day = 1;
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
    }
    return d;
}

TEST(Calendar, EveryDayOfTheRangeFollowsTheOneBefore)
{
    CivilDate expected{100, 1, 1};
    for (std::int64_t days = -657434; days <= 2958465; ++days) {
        CivilDate date = civilFromDays(days);
        ASSERT_EQ(date, expected) << days;
        ASSERT_EQ(daysFromCivil(date), days);
        expected = nextDay(expected);
    }
}

TEST(MonthOf, TakesTheMonthOfTheRoundedClampedValue)
{
    EXPECT_EQ(monthOf(at(2013, 5, 6, 9, 5, 7)), 5);
    EXPECT_EQ(monthOf(DateTime{at(2013, 6, 1).days - oneSecond / 2}), 6);
    EXPECT_EQ(monthOf(DateTime{3000000}), 12);
    EXPECT_EQ(monthOf(DateTime{-1e9}), 1);
    EXPECT_EQ(monthOf(DateTime{0}), 12);
}

TEST(Now, IsTheLocalTimeInWholeSeconds)
{
    // Read the clock around the call, so that a second boundary in between
    // still leaves one matching reading.
    std::time_t before = std::time(nullptr);
    DateTime value = now();
    std::time_t after = std::time(nullptr);

    double seconds = value.days * 86400;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3);

    DateTimeFields fields = dateTimeFields(value);
    bool matched = false;
    for (std::time_t t = before; t <= after; ++t) {
        std::tm local = *std::localtime(&t);
        DateTimeFields expected{
            {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min, local.tm_sec};
        matched = matched || fields == expected;
    }
    EXPECT_TRUE(matched) << dateTimeText(value);
}

void setTestClock(const char* value)
{
#ifdef _WIN32
    _putenv_s("WRIVO_TEST_CLOCK", value ? value : "");
#else
    if (value)
        setenv("WRIVO_TEST_CLOCK", value, 1);
    else
        unsetenv("WRIVO_TEST_CLOCK");
#endif
}

// A program started from outside can be given its moment; anything that is
// not a whole valid moment leaves the real clock.
TEST(Now, FollowsTheTestClockWhenItNamesAValidMoment)
{
    setTestClock("2026-12-08 17:30:05");
    EXPECT_EQ(dateTimeText(now()), "2026年12月8日17时30分5秒");
    setTestClock("2024-02-29 00:00:00");
    EXPECT_EQ(dateTimeText(now()), "2024年2月29日");
    for (const char* invalid :
         {"2026-02-30 10:00:00", "2026-12-08 24:00:00", "2026-12-08", "2026-12-08 17:30:05x", "soon"}) {
        setTestClock(invalid);
        const double real = static_cast<double>(std::time(nullptr));
        const double seconds = (now().days - 25569.0) * 86400.0; // days since 1970, local
        EXPECT_NEAR(seconds, real, 14 * 3600 + 60) << invalid << " is not a moment: the real clock answers";
    }
    setTestClock(nullptr);
}

} // namespace
} // namespace wrivo
