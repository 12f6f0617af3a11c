// Recovery copies and the shelf on the real main window: the copy follows
// unsaved text and goes when it is saved, the discarding commands put the
// text on the shelf, and the start-up offer gives back, shelves or sets aside
// copies left by programs that ended. Dialogs are answered as a person would;
// files are checked byte for byte.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/document_commands.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/recovery.h"
#include "app/recovery_internal.h"
#include "app/start_window.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "services/controls/unit_properties.h"
#include "services/recovery_record.h"
#include "services/recovery_store.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"
#include "tests/support/scratch_folder_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

std::span<const std::uint8_t> bytesOf(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class Recovery : public MainWindowScenario {
protected:
    Recovery()
        : MainWindowScenario({HandlerIndex::refreshStatistics, HandlerIndex::editBoxKeyDown, HandlerIndex::newDocument,
                              HandlerIndex::saveDocument, HandlerIndex::openDocument, HandlerIndex::clearText})
    {
    }

    std::string recoveryDir() const { return localData() + "\\Wrivo\\Recovery"; }
    std::string shelfDir() const { return localData() + "\\Wrivo\\Discarded"; }
    std::string ownCopy() const { return recoveryDir() + "\\" + recoveryStem(currentProcess()) + ".txt"; }

    std::vector<std::string> shelf() const
    {
        std::vector<std::string> texts;
        for (const std::string& name : namesInFolder(shelfDir())) texts.push_back(fileBytes(shelfDir() + "\\" + name));
        std::sort(texts.begin(), texts.end());
        return texts;
    }

    std::vector<std::string> recoveryNames() const
    {
        std::vector<std::string> names = namesInFolder(recoveryDir());
        std::sort(names.begin(), names.end());
        return names;
    }

    // A copy left by a program that has ended; answers its stem's path.
    std::string putOrphan(const ProcessIdentity& owner, const std::string& text, const std::string& fileName,
                          std::size_t keptBytes = std::string::npos)
    {
        CreateDirectoryA((localData() + "\\Wrivo").c_str(), nullptr);
        CreateDirectoryA(recoveryDir().c_str(), nullptr);
        RecoveryRecord record;
        record.fileName = fileName;
        record.timeText = "2026年12月8日17时30分5秒";
        record.owner = owner;
        record.byteCount = text.size();
        record.checksum = recoveryChecksum(bytesOf(text));
        const std::string stem = recoveryDir() + "\\" + recoveryStem(owner);
        putFileBytes(stem + ".txt", text.substr(0, keptBytes));
        putFileBytes(stem + ".rec", recordText(record));
        return stem;
    }

    ScratchFolder folder;
};

// No program runs with these: an id the system never gives, and this
// program's own id with another start time (the id used again).
ProcessIdentity endedProgram()
{
    return {0xFFFFFFF0u, 1};
}

ProcessIdentity earlierProgramWithOurId()
{
    return {currentProcess().id, currentProcess().started - 10'000'000};
}

TEST_F(Recovery, CopyFollowsUnsavedTextAndGoesOnceItIsSavedOrPutBack)
{
    const std::string text = "第一稿\r\n  abc";
    setDocument(text);
    ASSERT_TRUE(pumpUntil([&] { return fileBytes(ownCopy()) == text; }, 10000)) << "no copy after the pause";
    settleRecovery();
    const std::optional<RecoveryRecord> record =
        parseRecord(fileBytes(recoveryDir() + "\\" + recoveryStem(currentProcess()) + ".rec"));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->fileName, "");
    EXPECT_EQ(record->owner, currentProcess());
    EXPECT_TRUE(copyMatchesRecord(*record, bytesOf(text)));

    const std::string path = folder.file("稿.txt");
    saveAs(path);
    settleRecovery();
    EXPECT_TRUE(recoveryNames().empty()) << "a save removes the copy";

    setDocument(text + "x");
    ASSERT_TRUE(pumpUntil([&] { return fileBytes(ownCopy()) == text + "x"; }, 10000));
    settleRecovery();
    const std::optional<RecoveryRecord> named =
        parseRecord(fileBytes(recoveryDir() + "\\" + recoveryStem(currentProcess()) + ".rec"));
    ASSERT_TRUE(named);
    EXPECT_EQ(named->fileName, path);
    setDocument(text); // back to what the file holds
    EXPECT_TRUE(pumpUntil(
        [&] {
            settleRecovery();
            return recoveryNames().empty();
        },
        10000));
}

TEST_F(Recovery, DiscardingCommandsShelveUnsavedTextOnly)
{
    press(VK_DELETE); // an empty document: nothing to keep
    setDocument("del 删掉的");
    press(VK_DELETE);
    settleRecovery();
    EXPECT_EQ(documentText(), "");
    EXPECT_EQ(shelf(), std::vector<std::string>{"del 删掉的"});

    setDocument("new 新建");
    {
        DialogDriver driver;
        driver.press("No");
        shortcut('A');
        ASSERT_TRUE(driver.finish()) << driver.report();
    }
    const std::string file = folder.file("b.txt");
    putFileBytes(file, "file text");
    setDocument("open 打开");
    {
        DialogDriver driver;
        driver.press("Yes"); // the warning before open
        driver.answer(chooseFile(file));
        shortcut('D');
        ASSERT_TRUE(driver.finish()) << driver.report();
    }
    settleRecovery();
    EXPECT_EQ(documentText(), "file text");
    EXPECT_EQ(shelf(), (std::vector<std::string>{"del 删掉的", "new 新建", "open 打开"}));

    press(VK_DELETE); // the document equals its file: nothing is lost
    settleRecovery();
    EXPECT_EQ(documentText(), "");
    EXPECT_EQ(shelf().size(), 3u);
    EXPECT_TRUE(recoveryNames().empty());
}

TEST_F(Recovery, YesGivesBackTextAndFileAsOpenWould)
{
    const std::string original = folder.file("原稿.txt");
    putFileBytes(original, "old");
    const std::string text = "恢复的文字\r\n第二段 ab";
    const std::string stem = putOrphan(endedProgram(), text, original);
    DialogDriver driver;
    driver.press("Yes");
    recovery::offerCopiesLeftBehind();
    ASSERT_TRUE(driver.finish()) << driver.report();
    ASSERT_EQ(driver.seen().size(), 1u);
    EXPECT_EQ(driver.seen()[0].title, "恢复：");
    const std::string message = driver.seen()[0].message();
    EXPECT_NE(message.find("字数:  10"), std::string::npos) << message;
    EXPECT_NE(message.find(original), std::string::npos) << message;
    EXPECT_NE(message.find("2026年12月8日17时30分5秒"), std::string::npos) << message;

    pumpPending();
    EXPECT_EQ(documentText(), text);
    EXPECT_EQ(rememberedFile(), original);
    EXPECT_TRUE(isDocumentModified());
    EXPECT_NE(windowText(mainWindowRef).find("2  个段落,总字数为:  10  字"), std::string::npos)
        << windowText(mainWindowRef);
    settleRecovery();
    EXPECT_FALSE(fileExists(stem + ".rec"));
    EXPECT_EQ(fileBytes(ownCopy()), text) << "the text is this program's copy now";
    EXPECT_TRUE(shelf().empty());
}

TEST_F(Recovery, NoShelvesTheCopyAndNothingIsAskedAgain)
{
    putOrphan(earlierProgramWithOurId(), "旧的 text", "");
    {
        DialogDriver driver;
        driver.answer([](DialogWindow& box) {
            EXPECT_NE(box.record().message().find("未命名"), std::string::npos) << box.record().message();
            box.press("No");
        });
        recovery::offerCopiesLeftBehind();
        ASSERT_TRUE(driver.finish()) << driver.report();
    }
    EXPECT_EQ(documentText(), "");
    EXPECT_EQ(shelf(), std::vector<std::string>{"旧的 text"});
    EXPECT_TRUE(recoveryNames().empty());

    DialogDriver driver(2000);
    driver.press("Yes"); // would catch a second question
    recovery::offerCopiesLeftBehind();
    EXPECT_TRUE(driver.seen().empty());
}

TEST_F(Recovery, SeveralCopiesRestoreAtMostOneAndShelveTheRest)
{
    putOrphan(endedProgram(), "first", "");
    putOrphan(earlierProgramWithOurId(), "second", "");
    putOrphan(currentProcess(), "mine", ""); // this program's own: not offered
    DialogDriver driver;
    driver.press("Yes");
    recovery::offerCopiesLeftBehind();
    ASSERT_TRUE(driver.finish()) << driver.report();
    EXPECT_EQ(driver.seen().size(), 1u);
    settleRecovery();
    const std::string restored = documentText();
    ASSERT_TRUE(restored == "first" || restored == "second") << restored;
    EXPECT_EQ(shelf(), std::vector<std::string>{restored == "first" ? "second" : "first"});
}

TEST_F(Recovery, DamagedCopyIsReportedAndSetAsideNeverLoaded)
{
    const std::string stem = putOrphan(endedProgram(), "一份被截断的副本", "", 6);
    DialogDriver driver;
    driver.press("OK");
    recovery::offerCopiesLeftBehind();
    ASSERT_TRUE(driver.finish()) << driver.report();
    ASSERT_EQ(driver.seen().size(), 1u);
    EXPECT_EQ(driver.seen()[0].title, "恢复：");
    EXPECT_NE(driver.seen()[0].message().find("损坏"), std::string::npos);
    EXPECT_EQ(documentText(), "");
    EXPECT_FALSE(fileExists(stem + ".rec"));
    EXPECT_EQ(fileBytes(stem + ".txt.bad"), "一份被");
    EXPECT_TRUE(fileExists(stem + ".rec.bad"));
}

TEST_F(Recovery, SessionEndLeavesACurrentCopyAtOnce)
{
    registerSessionEndRoutine(recovery::keepCopyForSessionEnd);
    setDocument("注销前的文字");
    SendMessageA(handleOf(mainWindowRef), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    registerSessionEndRoutine(nullptr);
    EXPECT_EQ(fileBytes(ownCopy()), "注销前的文字") << "on disk before the system goes on";
}

TEST(RecoveryShelf, FiftyNewestDiscardsStay)
{
    ScratchFolder local;
    SetEnvironmentVariableA("LOCALAPPDATA", local.path().c_str());
    for (int i = 0; i < 51; ++i) {
        const std::string text = "discard " + std::to_string(i);
        ASSERT_TRUE(shelveText(bytesOf(text), DateTimeFields{{2026, 12, 8}, 17, i / 60, i % 60}));
    }
    const std::string shelf = local.path() + "\\Wrivo\\Discarded";
    const std::vector<std::string> names = namesInFolder(shelf);
    ASSERT_EQ(names.size(), 50u);
    for (const std::string& name : names) EXPECT_NE(fileBytes(shelf + "\\" + name), "discard 0") << "the oldest goes";
    EXPECT_TRUE(fileExists(shelf + "\\20261208-170050 discard 50.txt"));
}

// Last in the program: the one notice of the run is given here.
TEST_F(Recovery, UnwritableFolderGivesOneNoticeAndEditingGoesOn)
{
    // A file where the Wrivo folder would go: nothing can be made under it.
    putFileBytes(localData() + "\\Wrivo", "not a folder");
    {
        DialogDriver driver;
        driver.press("OK");
        setDocument("first");
        ASSERT_TRUE(pumpUntil([&] { return !driver.seen().empty(); }, 10000)) << "no notice";
        ASSERT_TRUE(driver.finish()) << driver.report();
        EXPECT_EQ(driver.seen()[0].title, "注意：");
    }

    DialogDriver later(2000);
    later.press("OK"); // would catch a second notice
    setDocument("second");
    ASSERT_TRUE(pumpUntil([] { return !recovery::copyWaiting(); }, 10000));
    settleRecovery(); // the second write has failed too
    const std::uint64_t ticks = recovery::ticksSoFar();
    ASSERT_TRUE(pumpUntil([&] { return recovery::ticksSoFar() >= ticks + 2; }, 5000));
    EXPECT_TRUE(later.seen().empty());
    EXPECT_EQ(documentText(), "second");
    EXPECT_NE(windowText(mainWindowRef).find("总字数为:  3  字"), std::string::npos) << windowText(mainWindowRef);
}

} // namespace
} // namespace wrivo
