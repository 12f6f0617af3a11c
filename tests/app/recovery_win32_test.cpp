// Recovery copies and the shelf on the real main window: the copy follows
// unsaved text and goes when it is saved, the discarding commands put the
// text on the shelf, and the start-up offer gives back, shelves or sets aside
// copies left by programs that ended. Dialogs are answered as a person would;
// files are checked byte for byte.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/document_commands.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/recovery.h"
#include "app/recovery_internal.h"
#include "app/start_window.h"
#include "app/writing_desk.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "host/scoped_win32.h"
#include "services/controls/unit_properties.h"
#include "services/store/files_win32.h"
#include "services/store/recovery_record.h"
#include "services/store/recovery_store.h"
#include "tests/support/child_process_win32.h"
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

// Now `days` on (back when negative), in the system's file-time units.
std::uint64_t daysFromNow(int days)
{
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (std::uint64_t{now.dwHighDateTime} << 32 | now.dwLowDateTime) + days * 864'000'000'000ll;
}

void setWriteTime(const std::string& path, std::uint64_t fileTime)
{
    const ScopedFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const FILETIME time{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    ASSERT_TRUE(file && SetFileTime(file.get(), nullptr, nullptr, &time)) << path;
}

class Recovery : public MainWindowScenario {
protected:
    Recovery()
        : MainWindowScenario({HandlerIndex::refreshStatistics, HandlerIndex::editBoxKeyDown, HandlerIndex::newDocument,
                              HandlerIndex::saveDocument, HandlerIndex::openDocument, HandlerIndex::clearText})
    {
    }
    // Each test starts as a new run: nothing met or told yet.
    void SetUp() override
    {
        MainWindowScenario::SetUp();
        recovery::forgetStoreTrouble();
    }

    std::string recoveryDir() const { return localData() + "\\Wrivo\\Recovery"; }
    std::string shelfDir() const { return localData() + "\\Wrivo\\Discarded"; }
    std::string copyPath(const ProcessIdentity& owner) const
    {
        return recoveryDir() + "\\" + recoveryStem(owner) + ".copy";
    }
    // The text of a copy (this program's); empty when there is none or it does not read.
    static std::string copyText(const std::string& path)
    {
        const std::string file = fileBytes(path);
        const std::optional<ParsedCopy> copy = parseCopyFile(bytesOf(file));
        return copy ? std::string(copy->text.begin(), copy->text.end()) : std::string();
    }
    std::string ownCopy() const { return copyText(copyPath(currentProcess())); }

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

    // A copy left by a program that has ended, `cutBytes` short of whole;
    // answers its path.
    std::string putOrphan(const ProcessIdentity& owner, const std::string& text, const std::string& fileName,
                          std::size_t cutBytes = 0)
    {
        RecoveryRecord record;
        record.fileName = fileName;
        record.timeText = "2026年12月8日17时30分5秒";
        record.owner = owner;
        EXPECT_EQ(writeRecoveryCopy(record, bytesOf(text)), CopyOutcome::written);
        const std::string path = copyPath(owner);
        const std::string whole = fileBytes(path);
        if (cutBytes > 0) putFileBytes(path, whole.substr(0, whole.size() - cutBytes));
        return path;
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
    ASSERT_TRUE(pumpUntil([&] { return ownCopy() == text; }, 10000)) << "no copy after the pause";
    settleRecovery();
    const std::string file = fileBytes(copyPath(currentProcess()));
    std::optional<ParsedCopy> copy = parseCopyFile(bytesOf(file));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->record.fileName, "");
    EXPECT_EQ(copy->record.owner, currentProcess());

    const std::string path = folder.file("稿.txt");
    saveAs(path);
    settleRecovery();
    EXPECT_TRUE(recoveryNames().empty()) << "a save removes the copy";

    setDocument(text + "x");
    ASSERT_TRUE(pumpUntil([&] { return ownCopy() == text + "x"; }, 10000));
    settleRecovery();
    const std::string named = fileBytes(copyPath(currentProcess()));
    copy = parseCopyFile(bytesOf(named));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->record.fileName, path);
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
    EXPECT_EQ(document().text(), "");
    EXPECT_EQ(shelf(), std::vector<std::string>{"del 删掉的"});

    setDocument("new 新建");
    answered([&] { shortcut('A'); }, {pressing("No")});
    const std::string file = folder.file("b.txt");
    putFileBytes(file, "file text");
    setDocument("open 打开");
    answered([&] { shortcut('D'); }, {pressing("Yes"), chooseFile(file)}); // Yes to the warning before open
    settleRecovery();
    EXPECT_EQ(document().text(), "file text");
    EXPECT_EQ(shelf(), (std::vector<std::string>{"del 删掉的", "new 新建", "open 打开"}));

    // Opening over a saved document: nothing of it is lost, nothing shelved.
    const std::string other = folder.file("c.txt");
    putFileBytes(other, "other file");
    answered([&] { shortcut('D'); }, {pressing("Yes"), chooseFile(other)});
    settleRecovery();
    EXPECT_EQ(document().text(), "other file");
    EXPECT_EQ(shelf().size(), 3u);

    press(VK_DELETE); // the document equals its file: nothing is lost
    settleRecovery();
    EXPECT_EQ(document().text(), "");
    EXPECT_EQ(shelf().size(), 3u);
    EXPECT_TRUE(recoveryNames().empty());
}

TEST_F(Recovery, YesGivesBackTextAndFileAsOpenWould)
{
    const std::string original = folder.file("原稿.txt");
    putFileBytes(original, "old");
    const std::string text = "恢复的文字\r\n第二段 ab";
    const std::string orphan = putOrphan(endedProgram(), text, original);
    const std::vector<DialogRecord> seen = answered([&] { recovery::offerCopiesLeftBehind(); }, {pressing("Yes")});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.at(0).title, "恢复：");
    const std::string message = seen.at(0).message();
    EXPECT_NE(message.find("字数:  10"), std::string::npos) << message;
    EXPECT_NE(message.find(original), std::string::npos) << message;
    EXPECT_NE(message.find("2026年12月8日17时30分5秒"), std::string::npos) << message;

    pumpPending();
    EXPECT_EQ(document().text(), text);
    EXPECT_EQ(document().file(), original);
    EXPECT_TRUE(isDocumentModified());
    EXPECT_NE(windowText(mainWindowRef).find("2  个段落,总字数为:  10  字"), std::string::npos)
        << windowText(mainWindowRef);
    settleRecovery();
    EXPECT_FALSE(fileExists(orphan));
    EXPECT_EQ(ownCopy(), text) << "the text is this program's copy now";
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
    EXPECT_EQ(document().text(), "");
    EXPECT_EQ(shelf(), std::vector<std::string>{"旧的 text"});
    EXPECT_TRUE(recoveryNames().empty());

    DialogDriver driver(2000);
    driver.press("Yes"); // would catch a second question
    recovery::offerCopiesLeftBehind();
    EXPECT_TRUE(driver.seen().empty());
}

TEST_F(Recovery, EachCopyIsOfferedInTurnAndWhatIsNotRestoredIsShelved)
{
    putOrphan(endedProgram(), "first", "");
    putOrphan(earlierProgramWithOurId(), "second", "");
    putOrphan(currentProcess(), "mine", ""); // this program's own: not offered
    // An older version's text whose record was never written: offered too.
    putFileBytes(recoveryDir() + "\\" + recoveryStem({0xFFFFFFF1u, 2}) + ".txt", "third");
    DialogDriver driver;
    for (int k = 0; k < 3; ++k) driver.press("Yes");
    recovery::offerCopiesLeftBehind();
    ASSERT_TRUE(driver.finish()) << driver.report();
    ASSERT_EQ(driver.seen().size(), 3u) << "one question each";
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string message = driver.seen()[k].message();
        EXPECT_NE(message.find("找到 3 份"), std::string::npos) << message;
        EXPECT_NE(message.find("第 " + std::to_string(k + 1) + " 份"), std::string::npos) << message;
        EXPECT_EQ(message.find("刚才恢复的文字") != std::string::npos, k > 0) << message;
    }
    settleRecovery();
    // Yes each time: the last one stays, the two restored before it are shelved.
    std::vector<std::string> all = shelf();
    EXPECT_EQ(all.size(), 2u);
    all.push_back(document().text());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(recoveryNames(), (std::vector<std::string>{recoveryStem(currentProcess()) + ".copy"}));
}

TEST_F(Recovery, DamagedCopiesAreSetAsideTogetherAndToldOnce)
{
    const std::string cut = putOrphan(endedProgram(), "一份被截断的副本", "", 6);
    setWriteTime(cut, daysFromNow(-35)); // left for five weeks
    // A copy under another program's name is not that program's.
    const std::string foreign = putOrphan(earlierProgramWithOurId(), "another", "");
    MoveFileA(foreign.c_str(), copyPath({0xFFFFFFF2u, 3}).c_str());
    const std::vector<DialogRecord> seen = answered([&] { recovery::offerCopiesLeftBehind(); }, {pressing("OK")});
    ASSERT_EQ(seen.size(), 1u) << "one notice for both";
    EXPECT_EQ(seen.at(0).title, "恢复：");
    EXPECT_NE(seen.at(0).message().find("2 份恢复副本已经损坏"), std::string::npos);
    EXPECT_NE(seen.at(0).message().find(recoveryDir() + "\\Damaged"), std::string::npos);
    EXPECT_EQ(document().text(), "");
    EXPECT_EQ(namesInFolder(recoveryDir() + "\\Damaged").size(), 2u) << "kept, not deleted";
    EXPECT_FALSE(fileExists(cut));
    putFileBytes(recoveryDir() + "\\Damaged\\" + setAsideName("old.copy", daysFromNow(-31)), "old");
    tidyRecoveryStore();
    EXPECT_EQ(namesInFolder(recoveryDir() + "\\Damaged").size(), 2u) << "counted from the move: only this one goes";

    DialogDriver again(2000);
    again.press("OK"); // would catch a second notice
    recovery::offerCopiesLeftBehind();
    EXPECT_TRUE(again.seen().empty());
}

TEST_F(Recovery, SessionEndLeavesACurrentCopyAtOnceAndACancelledOneLeavesNoTrace)
{
    registerSessionEndRoutine(recovery::sessionEnding);
    setDocument("注销前的文字");
    SendMessageA(handleOf(mainWindowRef), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    EXPECT_EQ(ownCopy(), "注销前的文字") << "on disk before the system goes on";

    // Another program refused: an exit the user confirms later keeps no copy.
    SendMessageA(handleOf(mainWindowRef), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    registerSessionEndRoutine(nullptr);
    recovery::shelveBeforeExit(false);
    EXPECT_TRUE(recoveryNames().empty());
    EXPECT_EQ(shelf(), std::vector<std::string>{"注销前的文字"});
}

TEST(RecoveryStore, AKillAtAnyStepLeavesThePreviousCopyOrTheNewOne)
{
    // The child: writes a first copy, then a second one, and is killed at the step named.
    if (const char* step = std::getenv("WRIVO_KILL_AT_WRITE_STEP")) {
        const RecoveryRecord record{"", "2026年12月9日", {}, 0, 0};
        ASSERT_EQ(writeRecoveryCopy(record, bytesOf("previous")), CopyOutcome::written);
        static const int killAt = std::atoi(step);
        writeStepHookForTests([](WriteStep reached) {
            if (static_cast<int>(reached) == killAt) TerminateProcess(GetCurrentProcess(), 9);
        });
        writeRecoveryCopy(record, bytesOf("new text"));
        return;
    }
    ScratchFolder local;
    SetEnvironmentVariableA("LOCALAPPDATA", local.path().c_str());
    const char* expected[] = {"previous", "previous", "new text"};
    for (const WriteStep step : {WriteStep::temporaryMade, WriteStep::bytesWritten, WriteStep::moved}) {
        const int index = static_cast<int>(step);
        SetEnvironmentVariableA("WRIVO_KILL_AT_WRITE_STEP", std::to_string(index).c_str());
        ChildProcess child("recovery_win32_test.exe",
                           "--gtest_filter=RecoveryStore.AKillAtAnyStepLeavesThePreviousCopyOrTheNewOne");
        SetEnvironmentVariableA("WRIVO_KILL_AT_WRITE_STEP", nullptr);
        ASSERT_EQ(child.waitForExit(60000), std::optional<DWORD>{9}) << "killed at step " << index;

        const std::vector<StoredCopy> copies = recoveryCopiesLeftBehind();
        ASSERT_EQ(copies.size(), 1u) << "step " << index;
        const std::optional<RecoveredText> read = readRecoveryCopy(copies[0]);
        ASSERT_TRUE(read) << "never damaged (step " << index << ")";
        EXPECT_EQ(std::string(read->text.begin(), read->text.end()), expected[index]) << "step " << index;
        removeStoredCopy(copies[0]);
    }
}

TEST(RecoveryShelf, TwoDiscardsInOneSecondTakeTwoNames)
{
    ScratchFolder local;
    SetEnvironmentVariableA("LOCALAPPDATA", local.path().c_str());
    const DateTimeFields time{{2026, 12, 9}, 10, 0, 0};
    ASSERT_TRUE(shelveText(bytesOf("same"), time));
    ASSERT_TRUE(shelveText(bytesOf("same"), time));
    const std::string shelf = local.path() + "\\Wrivo\\Discarded";
    EXPECT_EQ(namesInFolder(shelf).size(), 2u);
    EXPECT_TRUE(fileExists(shelf + "\\20261209-100000-2（1字） same.txt"));
}

// What the next start finds: a save killed while the document had only its
// backup's name is told with both paths, once, and the backup stays; a
// folder of the store that cannot be written.
struct KilledSave {
    static BOOL WINAPI replace(LPCSTR replaced, LPCSTR, LPCSTR backup, DWORD, LPVOID, LPVOID)
    {
        MoveFileA(replaced, backup);
        return TerminateProcess(GetCurrentProcess(), 9);
    }
};

TEST(RecoveryStore, AtStartASaveKilledHalfWayIsToldAndEveryFolderIsProbed)
{
    if (const char* path = std::getenv("WRIVO_SAVE_PATH")) {
        replaceFileCallForTests(&KilledSave::replace);
        WriteFailure failure;
        writeFile(path, {bytesOf("new words")}, failure, &documentSaveNotes());
        return;
    }
    ScratchFolder local;
    SetEnvironmentVariableA("LOCALAPPDATA", local.path().c_str());
    WriteFailure failure;
    const std::string document = local.file("稿件.txt");
    putFileBytes(document, "old words");
    SetEnvironmentVariableA("WRIVO_SAVE_PATH", document.c_str());
    ChildProcess child("recovery_win32_test.exe", "--gtest_filter=RecoveryStore.AtStartASaveKilled*");
    SetEnvironmentVariableA("WRIVO_SAVE_PATH", nullptr);
    ASSERT_EQ(child.waitForExit(60000), std::optional<DWORD>{9});
    std::vector<std::string> names = namesInFolder(local.path()); // the temporary file is left too
    std::erase_if(names, [](const std::string& name) { return !name.ends_with(".bak"); });
    ASSERT_EQ(names.size(), 1u);
    const std::vector<DialogRecord> seen = answered([&] { recovery::reportInterruptedSaves(); }, {pressing("OK")});
    ASSERT_EQ(seen.size(), 1u);
    const std::string message = seen.at(0).message();
    EXPECT_NE(message.find("文档：" + document + "\r\n备份：" + local.file(names[0])), std::string::npos) << message;
    EXPECT_EQ(fileBytes(local.file(names[0])), "old words") << "never removed by the program";
    EXPECT_TRUE(interruptedSaves().empty()) << "told once";
    putFileBytes(document, "again");
    ASSERT_TRUE(writeFile(document, {bytesOf("new words")}, failure, &documentSaveNotes()));
    EXPECT_FALSE(fileExists(local.path() + "\\Wrivo\\Recovery\\" + recoveryStem(currentProcess()) + ".save"));

    EXPECT_TRUE(recoveryStoreWritable());
    RemoveDirectoryA((local.path() + "\\Wrivo\\Recovery\\Damaged").c_str());
    putFileBytes(local.path() + "\\Wrivo\\Recovery\\Damaged", "not a folder");
    EXPECT_FALSE(recoveryStoreWritable());
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
    EXPECT_TRUE(fileExists(shelf + "\\20261208-170050（2字） discard 50.txt"));
    // Fifty dated ahead by a clock since set back: the file just written stays all the same.
    for (const std::string& name : names) setWriteTime(shelf + "\\" + name, daysFromNow(365));
    ASSERT_TRUE(shelveText(bytesOf("now"), DateTimeFields{{2026, 12, 9}, 10, 0, 0}));
    EXPECT_EQ(fileBytes(shelf + "\\20261209-100000（1字） now.txt"), "now");
}

// The shelf cannot take a cleared text (a file holds its folder's name): it
// is kept under a name of its own that later copies never remove, and told.
TEST_F(Recovery, TextTheShelfCouldNotTakeStaysUnderItsOwnNameUntilTold)
{
    CreateDirectoryA((localData() + "\\Wrivo").c_str(), nullptr);
    putFileBytes(shelfDir(), "not a folder");
    setDocument("丢弃的文字");
    press(VK_DELETE); // the empty document's copy that follows removes this program's copy only
    ASSERT_TRUE(pumpUntil([] { return !recovery::copyWaiting(); }, 10000));
    settleRecovery();
    const std::string kept = keptCopyStem(currentProcess(), 1) + ".copy";
    EXPECT_EQ(recoveryNames(), std::vector<std::string>{kept});
    EXPECT_EQ(copyText(recoveryDir() + "\\" + kept), "丢弃的文字");
    const std::vector<DialogRecord> seen = answered([&] { recovery::reportStoreTrouble(); }, {pressing("OK")});
    EXPECT_NE(seen.at(0).message().find("Wrivo\\Recovery"), std::string::npos);
}

// Yes while this program's copy cannot be written (a folder holds its name):
// the copy left behind stays until one is, and the failure is told at the
// next command.
TEST_F(Recovery, ARestoredCopyStaysUntilThisProgramsCopyIsWritten)
{
    const std::string orphan = putOrphan(endedProgram(), "唯一的一份", "");
    ASSERT_TRUE(CreateDirectoryA(copyPath(currentProcess()).c_str(), nullptr));
    answered([&] { recovery::offerCopiesLeftBehind(); }, {pressing("Yes")});
    settleRecovery();
    EXPECT_EQ(document().text(), "唯一的一份");
    EXPECT_EQ(copyText(orphan), "唯一的一份");
    const std::vector<DialogRecord> told = answered([&] { recovery::reportStoreTrouble(); }, {pressing("OK")});
    EXPECT_NE(told.at(0).message().find("无法写入恢复副本"), std::string::npos);
    RemoveDirectoryA(copyPath(currentProcess()).c_str()); // room again: the next copy takes over
    setDocument("唯一的一份，续");
    ASSERT_TRUE(pumpUntil([&] { return ownCopy() == "唯一的一份，续"; }, 10000));
    EXPECT_TRUE(pumpUntil([&] { return settleRecovery(), !fileExists(orphan); }, 10000));
}

TEST_F(Recovery, AnUnwritableStoreIsToldAtStartNeverWhileTyping)
{
    // A file where the Wrivo folder would go: nothing can be made under it.
    putFileBytes(localData() + "\\Wrivo", "not a folder");
    const std::vector<DialogRecord> seen = answered([&] { recovery::checkStoreAtStart(); }, {pressing("OK")});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.at(0).title, "注意：");
    EXPECT_NE(seen.at(0).message().find("本次运行的写作目标和字数也不会保留"), std::string::npos);

    DialogDriver later(2000);
    later.press("OK"); // would catch any notice while typing
    setDocument("second");
    ASSERT_TRUE(pumpUntil([] { return !recovery::copyWaiting(); }, 10000));
    settleRecovery(); // the write has failed
    const std::uint64_t ticks = recovery::ticksSoFar();
    ASSERT_TRUE(pumpUntil([&] { return recovery::ticksSoFar() >= ticks + 2; }, 5000));
    DialogDriver atCommand(2000);
    atCommand.press("OK");
    recovery::reportStoreTrouble(); // told at start already: not again
    writing::tellPending();
    EXPECT_TRUE(later.seen().empty() && atCommand.seen().empty());
    EXPECT_EQ(document().text(), "second");
    EXPECT_NE(windowText(mainWindowRef).find("总字数为:  3  字"), std::string::npos) << windowText(mainWindowRef);
}

} // namespace
} // namespace wrivo
