#include "services/writing/writing_chart.h"
#include "services/writing/writing_log.h"
#include "services/writing/writing_settings.h"

#include <gtest/gtest.h>

#include <random>

namespace wrivo {
namespace {

const auto at = [](int day, int hour, int minute = 0) { return DateTimeFields{{2026, 12, day}, hour, minute, 0}; };

// The day starts at 04:00: a night's work after midnight belongs to the day
// before, and a document open across 04:00 goes on adding to the new day.
TEST(WritingLog, DayStartsAtFourThenGoalsStreakAndAverage)
{
    const std::int64_t ninth = daysFromCivil({2026, 12, 9});
    EXPECT_EQ(writingDay(at(10, 3, 59)), ninth);
    EXPECT_EQ(writingDay(at(10, 4)), ninth + 1);
    EXPECT_EQ(writingDay({{2027, 1, 1}, 2, 0, 0}), daysFromCivil({2026, 12, 31}));
    // A writer abroad moves the hour: midnight itself, or noon.
    EXPECT_EQ(writingDay(at(10, 0), 0), ninth + 1);
    EXPECT_EQ(writingDay(at(10, 11, 59), 12), ninth);
    EXPECT_EQ(writingDay(at(10, 12), 12), ninth + 1);

    WritingLog log;
    WordMeter meter;
    meter.reset(1000); // a document opened: not written today
    log.add(writingDay(at(9, 23)), meter.difference(1400), 3000);
    log.add(writingDay(at(10, 3)), meter.difference(1300), 3000); // typed, then deleted more
    log.add(writingDay(at(10, 5)), meter.difference(1900), 3000); // past 04:00
    meter.reset(50000);                                           // another file opened, appended, restored
    log.add(writingDay(at(10, 6)), meter.difference(50010), 3000);
    EXPECT_EQ(log.day(ninth).words, 300);
    EXPECT_EQ(log.day(ninth + 1).words, 610);

    // Goals, the streak of days that reached theirs, and the average, in a new log.
    log = WritingLog();
    const std::int64_t today = 46000;
    log.setStored({{today - 3, 3100, 3000}, {today - 2, 2000, 2000}, {today - 1, 2999, 3000}, {today - 5, -40, 3000}});
    EXPECT_EQ(log.streak(today), 0);
    log.setStored({{today - 3, 3100, 3000}, {today - 2, 2000, 2000}, {today - 1, 3000, 3000}});
    EXPECT_EQ(log.streak(today), 3);
    EXPECT_FALSE(log.add(today, 2000, 4000));
    EXPECT_TRUE(log.add(today, 2000, 5000)); // reached once, with the goal the day first had
    EXPECT_FALSE(log.add(today, 10, 4000));
    EXPECT_EQ(log.day(today).goal, 4000);
    EXPECT_EQ(log.streak(today), 4);
    log.setGoal(today, 9000); // today's goal changes, the past keeps its own
    EXPECT_EQ(log.streak(today), 3);
    EXPECT_EQ(log.day(today - 3).goal, 3000);
    EXPECT_EQ(log.average(today, 30), (3100 + 2000 + 3000 + 4010) / 4);
    EXPECT_EQ(WritingLog().average(today, 30), 0);
}

// Lines that are no day count for nothing and are written back as they stand;
// a day named twice is its last line; 400 days at most, the newest.
TEST(WritingLog, DailyFileReadBackAfterDamageAndFromTwoWriters)
{
    std::vector<DayRecord> days;
    for (int i = 0; i < 450; ++i) days.push_back({45000 + i, i - 3, i % 2 ? 3000 : 0});
    EXPECT_EQ(parseDailyLog(dailyLogText({days, {}})).days, std::vector<DayRecord>(days.end() - daysKept, days.end()));

    const std::string damaged = "2026-12-01 100 3000\r\n2026-12-02 x 3000\r\n2026-02-30 5 5\n\xB5\xDA\r\n\r\n"
                                "2026-12-03 7 -1\n2026-12-04 200 3000\n2026-12-01 150 2000\n2026-12-05 9\n"
                                "2026-12-06 10000001 0\n2026-12-07 -10000000 10000000\n2026-12-08 5 3000 12";
    const std::int64_t first = daysFromCivil({2026, 12, 1});
    const DailyLog read = parseDailyLog(damaged);
    EXPECT_EQ(read.days, (std::vector<DayRecord>{
                             {first, 150, 2000}, {first + 3, 200, 3000}, {first + 6, -10'000'000, 10'000'000}}));
    EXPECT_EQ(read.unread.size(), 7u);
    EXPECT_EQ(parseDailyLog(dailyLogText(read)), read);
    // minutes.txt: the date and the minutes of typing; typing time runs
    // between changes until five idle minutes end it.
    const DailyLog minutes = parseDailyLog("2026-12-09 95\r\n2026-12-10 5 3000\r\n", LogFields::figureOnly);
    EXPECT_EQ(minutes.days, (std::vector<DayRecord>{{daysFromCivil({2026, 12, 9}), 95, 0}}));
    EXPECT_EQ(dailyLogText(minutes, LogFields::figureOnly), "2026-12-09 95\r\n2026-12-10 5 3000\r\n");
    TypingClock clock;
    EXPECT_EQ(clock.typed(1000), 0u);
    EXPECT_EQ(clock.typed(61'000), 60'000u);
    EXPECT_EQ(clock.typed(61'000 + TypingClock::idleLimit), 0u);
    EXPECT_EQ(clock.typed(62'000 + TypingClock::idleLimit), 1000u);
    WritingLog past;
    past.add(first + 6, -1, 3000);
    EXPECT_EQ(past.withPending(read.days).back(), (DayRecord{first + 6, -10'000'000, 10'000'000}));

    const WritingSettings settings = parseWritingSettings(
        "goal=5000\r\nindent=0\nblank_lines=none\nbogus\n=1\ntrim_trailing=2\npunctuation = 0\nunknown=1\ngoal=-4\n"
        "chapter_target=3000\nchapter_target=100001\npublish_indent=0\npublish_blank_lines=keep\n"
        "traditional=hk\ntraditional=cn\nday_start=7\nday_start=13\nbackup_folder= E:\\备份 \n");
    EXPECT_EQ(settings.goal, 5000);
    EXPECT_EQ(settings.traditional, TraditionalForms::hongKong);
    EXPECT_EQ(parseWritingSettings("traditional=tw").traditional, TraditionalForms::taiwan);
    EXPECT_EQ(settings.dayStart, 7);
    EXPECT_EQ(parseWritingSettings("day_start=-1").dayStart, defaultDayStart);
    EXPECT_EQ(settings.tidy, (TidyOptions{false, BlankLines::none, true, false}));
    EXPECT_EQ(settings.chapterTarget, 3000);
    EXPECT_EQ(settings.backupFolder, "E:\\备份");
    EXPECT_EQ(settings.publish, (PublishLayout{false, true}));
    EXPECT_EQ(parseWritingSettings("publish_blank_lines=none").publish, (PublishLayout{true, false}));
    EXPECT_EQ(parseWritingSettings(writingSettingsText(settings)), settings);
    EXPECT_EQ(parseWritingSettings("goal=abc").goal, defaultDailyGoal);

    // Two programs add to the same days through one file: whatever order their
    // writes take, the file ends with the sum of both.
    std::mt19937 random(7);
    std::string file;
    WritingLog a, b;
    auto pause = [&](WritingLog& writer) { // this one takes the lock and writes
        const std::vector<DayRecord> merged = writer.withPending(parseDailyLog(file).days);
        file = dailyLogText({merged, {}});
        writer.written(merged);
    };
    std::map<std::int64_t, std::int64_t> expected;
    for (int step = 0; step < 500; ++step) {
        WritingLog& writer = random() % 2 ? a : b;
        const std::int64_t day = 46000 + static_cast<std::int64_t>(random() % 5);
        const std::int64_t words = static_cast<std::int64_t>(random() % 300) - 100;
        writer.add(day, words, 3000);
        expected[day] += words;
        if (random() % 3 == 0) pause(writer);
    }
    pause(a);
    pause(b);
    for (const DayRecord& record : parseDailyLog(file).days) EXPECT_EQ(record.words, expected[record.day]);
    EXPECT_EQ(parseDailyLog(file).days.size(), expected.size());
}

// Bars tile the area left to right, stand on its bottom, never leave it,
// grow with the figure; today is the last; a day below zero is drawn as zero.
TEST(WritingChart, Geometry)
{
    std::mt19937 random(30);
    for (int round = 0; round < 200; ++round) {
        const std::int64_t today = 46000;
        std::vector<DayRecord> days;
        for (int i = 0; i < 40; ++i)
            if (random() % 3) days.push_back({today - 35 + i, static_cast<std::int64_t>(random() % 9000) - 500, 3000});
        const std::int64_t goal = random() % 4 ? 3000 : 0;
        const ChartArea area{10, 20, 120 + static_cast<int>(random() % 400), 50 + static_cast<int>(random() % 200)};
        const Chart chart = chartGeometry(days, today, goal, area);
        ASSERT_EQ(chart.bars.size(), static_cast<std::size_t>(chartDays));
        EXPECT_TRUE(chart.bars.back().today);
        EXPECT_TRUE(goal ? chart.goalLine >= area.top && chart.goalLine <= area.top + area.height
                         : chart.goalLine == -1);
        for (std::size_t i = 0; i < chart.bars.size(); ++i) {
            const ChartBar& bar = chart.bars[i];
            EXPECT_EQ(bar.day, today - chartDays + 1 + static_cast<std::int64_t>(i));
            EXPECT_EQ(bar.top + bar.height, area.top + area.height);
            EXPECT_GE(bar.top, area.top);
            EXPECT_GT(bar.width, 0);
            EXPECT_TRUE(i == 0 || bar.left >= chart.bars[i - 1].left + chart.bars[i - 1].width) << i;
            EXPECT_LE(bar.left + bar.width, area.left + area.width);
            EXPECT_EQ(bar.belowZero, bar.words < 0);
            EXPECT_TRUE(bar.words > 0 || bar.height == 0) << bar.words;
            EXPECT_TRUE(!goal || bar.words < goal || bar.top <= chart.goalLine) << bar.words;
            for (const ChartBar& other : chart.bars)
                EXPECT_TRUE(other.words <= bar.words || other.height >= bar.height) << other.words;
        }
    }
}

} // namespace
} // namespace wrivo
