// writing.txt and daily.txt on the real file system: a damaged log read back, two programs' figures added up
// through the file, the lock another program holds, unreadable files kept, and a store folder that cannot be made.
#include "services/store/writing_store.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "host/scoped_win32.h"
#include "tests/support/scratch_folder_win32.h"

namespace wrivo {
namespace {

using test::fileBytes;
using test::putFileBytes;
using test::removeFolderTree;

class WritingStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetEnvironmentVariableA("WRIVO_TEST_LOCALAPPDATA", nullptr);
        SetEnvironmentVariableA("LOCALAPPDATA", local.path().c_str());
        CreateDirectoryA(store().c_str(), nullptr);
    }
    std::string store() const { return local.file("Wrivo"); }
    std::string daily() const { return store() + "\\daily.txt"; }

    test::ScratchFolder local;
};

TEST_F(WritingStore, DamagedLogReadsBackTwoProgramsAddUpAHeldLockWaitsAndAnUnwritableStoreKeepsTheFigures)
{
    putFileBytes(daily(), "2026-12-08 500 3000\r\n\xFF\xFE garbage\r\n2026-12-09 100 3000\r\n");
    const std::int64_t ninth = daysFromCivil({2026, 12, 9});
    WritingLog first, second;
    first.add(ninth, 40, 3000);
    second.add(ninth, -15, 3000);
    second.add(ninth + 1, 7, 2000);
    EXPECT_EQ(saveDailyLog(first), LogWrite::written);
    EXPECT_EQ(saveDailyLog(second), LogWrite::written);
    EXPECT_FALSE(first.hasPending());
    EXPECT_EQ(fileBytes(daily()),
              "2026-12-08 500 3000\r\n2026-12-09 125 3000\r\n2026-12-10 7 2000\r\n\xFF\xFE garbage\r\n");
    EXPECT_EQ(second.days(), readDailyLog()->days);

    // While another program holds daily.lock the figures wait, then go in.
    first.add(ninth, 9, 3000);
    {
        const ScopedFile held(CreateFileA((store() + "\\daily.lock").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(saveDailyLog(first), LogWrite::busy);
        EXPECT_TRUE(first.hasPending());
        EXPECT_EQ(readDailyLog()->days.at(1).words, 125);
    }
    EXPECT_EQ(saveDailyLog(first), LogWrite::written);
    EXPECT_EQ(readDailyLog()->days.at(1).words, 134);

    // A file over 1 MB is never written over: the figures and a changed goal wait until it reads again, and then
    // another program's choices and the lines and keys this program does not know stay.
    const std::string large((1u << 20) + 1, '#'), writing = store() + "\\writing.txt";
    putFileBytes(daily(), large);
    putFileBytes(writing, large);
    first.add(ninth, 1, 3000);
    WritingSettings base, mine{1234, {}, 0, {}};
    EXPECT_EQ(saveDailyLog(first), LogWrite::unreadable);
    EXPECT_EQ(saveWritingSettings(base, mine), LogWrite::unreadable);
    EXPECT_EQ(fileBytes(daily()) + fileBytes(writing), large + large);
    putFileBytes(daily(), "2026-12-09 10 3000 later\r\n");
    putFileBytes(writing, "blank_lines=none\r\nlater=1\r\n");
    EXPECT_EQ(saveDailyLog(first), LogWrite::written);
    EXPECT_EQ(fileBytes(daily()), "2026-12-09 1 3000\r\n2026-12-09 10 3000 later\r\n");
    ASSERT_EQ(saveWritingSettings(base, mine), LogWrite::written);
    EXPECT_EQ(readWritingSettings(), (WritingSettings{1234, {true, BlankLines::none, true, true}, 0, {}}));
    EXPECT_NE(fileBytes(writing).find("\r\nlater=1\r\n"), std::string::npos);

    // A file where the folder should be: nothing can be written, and the writer's figures stay for the session.
    removeFolderTree(store());
    putFileBytes(store(), "not a folder");
    WritingLog log;
    log.add(46000, 9, 3000);
    EXPECT_EQ(saveDailyLog(log), LogWrite::failed);
    EXPECT_EQ(saveWritingSettings(base, mine), LogWrite::failed);
    EXPECT_EQ(log.day(46000).words, 9);
    EXPECT_EQ(readWritingSettings().value_or(mine).goal, defaultDailyGoal);
}

} // namespace
} // namespace wrivo
