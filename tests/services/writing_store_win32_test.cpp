// writing.txt, daily.txt, minutes.txt and the word lists on the real file system: a damaged log read back, two programs' figures added up
// through the file, the lock another program holds, unreadable files kept, and a store folder that cannot be made.
#include "services/store/word_lists.h"
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
    WritingSettings base, mine;
    mine.goal = 1234;
    EXPECT_EQ(saveDailyLog(first), LogWrite::unreadable);
    EXPECT_EQ(saveWritingSettings(base, mine), LogWrite::unreadable);
    EXPECT_EQ(fileBytes(daily()) + fileBytes(writing), large + large);
    putFileBytes(daily(), "2026-12-09 10 3000 later\r\n");
    putFileBytes(writing, "blank_lines=none\r\nlater=1\r\n");
    EXPECT_EQ(saveDailyLog(first), LogWrite::written);
    EXPECT_EQ(fileBytes(daily()), "2026-12-09 1 3000\r\n2026-12-09 10 3000 later\r\n");
    ASSERT_EQ(saveWritingSettings(base, mine), LogWrite::written);
    WritingSettings merged = mine;
    merged.tidy.blankLines = BlankLines::none;
    EXPECT_EQ(readWritingSettings(), merged);
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

// The writer's word lists: GBK or UTF-8 after its mark, 忽略.txt no list, a list that does not read named, and
// 忽略.txt added to in the encoding it has; minutes.txt keeps lines it does not read.
TEST_F(WritingStore, WordListsAndIgnoredWordsAndTheMinutesLog)
{
    EXPECT_TRUE(readWordLists().lists.empty());
    EXPECT_TRUE(readIgnoredWords().empty());
    const std::string words = store() + "\\Words";
    CreateDirectoryA(words.c_str(), nullptr);
    putFileBytes(words + "\\b.txt", "违禁 # 注\r\n\r\n张三\r\n");
    putFileBytes(words + "\\a.txt", "\xEF\xBB\xBF\xE8\xBF\x9D\xE7\xA6\x81\n");      // 违禁 in UTF-8
    putFileBytes(words + "\\c.txt", "\xEF\xBB\xBF\xC0\xAF");                        // no UTF-8
    putFileBytes(words + "\\忽略.txt", "\xEF\xBB\xBF\xE5\xBC\xA0\xE4\xB8\x89\r\n"); // 张三
    const WordListsRead read = readWordLists();
    ASSERT_EQ(read.lists.size(), 2u);
    EXPECT_EQ(read.lists[0].file, "a.txt");
    EXPECT_EQ(read.lists[0].words, std::vector<std::string>{"违禁"});
    EXPECT_EQ(read.lists[1].words, (std::vector<std::string>{"违禁", "张三"}));
    EXPECT_EQ(read.unreadable, std::vector<std::string>{words + "\\c.txt"});
    EXPECT_EQ(readIgnoredWords(), std::set<std::string>{"张三"});
    EXPECT_TRUE(addIgnoredWord("的的"));
    EXPECT_EQ(fileBytes(words + "\\忽略.txt"), "\xEF\xBB\xBF\xE5\xBC\xA0\xE4\xB8\x89\r\n\xE7\x9A\x84\xE7\x9A\x84\r\n");
    EXPECT_EQ(readIgnoredWords(), (std::set<std::string>{"张三", "的的"}));
    DeleteFileA((words + "\\忽略.txt").c_str());
    EXPECT_TRUE(addIgnoredWord("的的"));
    EXPECT_EQ(fileBytes(words + "\\忽略.txt"), "的的\r\n");

    putFileBytes(store() + "\\minutes.txt", "2026-12-08 40\r\nlater 1 2 3\r\n");
    WritingLog minutes;
    minutes.setStored(readMinutesLog().value().days);
    minutes.add(daysFromCivil({2026, 12, 9}), 95, 0);
    EXPECT_EQ(saveMinutesLog(minutes), LogWrite::written);
    EXPECT_EQ(fileBytes(store() + "\\minutes.txt"), "2026-12-08 40\r\n2026-12-09 95\r\nlater 1 2 3\r\n");
}

} // namespace
} // namespace wrivo
