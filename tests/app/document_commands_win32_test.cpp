// The document commands on the real main window, with the real file dialogs
// and message boxes answered as a person would, and the files on disk checked
// byte for byte.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/app_globals.h"
#include "app/document.h"
#include "app/document_commands.h"
#include "app/editing_commands.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_window.h"
#include "app/statistics_handlers.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "host/scoped_win32.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "services/store/files.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"
#include "tests/support/scratch_folder_win32.h"
#include "tests/support/tiny_disk_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

class DocumentCommands : public MainWindowScenario {
protected:
    DocumentCommands()
        : MainWindowScenario({HandlerIndex::refreshStatistics, HandlerIndex::editBoxKeyDown, HandlerIndex::newDocument,
                              HandlerIndex::saveDocument, HandlerIndex::openDocument, HandlerIndex::appendDocument,
                              HandlerIndex::undoEdit, HandlerIndex::redoEdit})
    {
    }

    // Opens `path` into the empty document through Ctrl+D and the real open
    // dialog, confirms the one notice that follows, and gives that notice.
    DialogRecord openWithANotice(const std::string& path)
    {
        const std::vector<DialogRecord> seen = answered([&] { shortcut('D'); }, {chooseFile(path), pressing("OK")});
        EXPECT_EQ(seen.size(), 2u);
        return seen.empty() ? DialogRecord{} : seen.back();
    }

    ScratchFolder folder;
};

TEST_F(DocumentCommands, SaveWritesTheDocumentsBytesAndRemembersTheFile)
{
    const std::string text = "第一章\r\n\r\n  天色 ok。\r\n";
    setDocument(text);
    const std::string path = folder.file("稿件.txt");
    saveAs(path);
    EXPECT_EQ(fileBytes(path), text);
    EXPECT_EQ(document().file(), path);
    EXPECT_FALSE(isDocumentModified());

    setDocument(text + "x");
    EXPECT_TRUE(isDocumentModified());
    setDocument("第一章\r\n\r\n  天色 OK。\r\n");
    EXPECT_TRUE(isDocumentModified()) << "a difference of letter case counts";
}

TEST_F(DocumentCommands, CancellingTheSaveDialogSaysTheDocumentWasNotSaved)
{
    setDocument("abc");
    const std::vector<DialogRecord> seen = answered([&] { shortcut('S'); }, {pressing("Cancel"), pressing("OK")});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen.at(1).title, "提醒：");
    EXPECT_EQ(seen.at(1).message(), "注意文档未保存&&");
    EXPECT_EQ(document().file(), "");
}

TEST_F(DocumentCommands, NewAsksOnlyWhenTheDocumentDiffersFromItsFile)
{
    setDocument("saved text");
    saveAs(folder.file("a.txt"));
    EXPECT_TRUE(answered([&] { shortcut('A'); }, {}).empty()) << "no dialog at all";
    EXPECT_EQ(document().text(), "");

    setDocument("typed afresh");
    const std::vector<DialogRecord> seen = answered([&] { shortcut('A'); }, {pressing("No")});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.at(0).title, "提示：");
    EXPECT_EQ(document().text(), "") << "No empties the document";
}

TEST_F(DocumentCommands, NewKeepsTheDocumentWhenTheSaveTheUserAskedForDidNotHappen)
{
    setDocument("一段不能丢的文字\r\nsecond");
    postKey(handleOf(editBoxRef), VK_RETURN); // rows and a tracked break
    pumpPending();
    setDocument("一段不能丢的文字\r\nsecond");
    const std::string captionBefore = windowText(mainWindowRef);

    // Save the changes? Yes; the save dialog cancelled; "注意文档未保存&&".
    const std::vector<DialogRecord> seen =
        answered([&] { shortcut('A'); }, {pressing("Yes"), pressing("Cancel"), pressing("OK")});
    EXPECT_EQ(seen.back().message(), "注意文档未保存&&");
    EXPECT_EQ(document().text(), "一段不能丢的文字\r\nsecond");
    EXPECT_EQ(windowText(mainWindowRef), captionBefore);
    EXPECT_EQ(SendMessageA(handleOf(listBoxRef), LB_GETCOUNT, 0, 0), 2);
}

TEST_F(DocumentCommands, OpenWarnsBeforeReplacingAndLoadsTheFileWithItsRows)
{
    const std::string path = folder.file("open.txt");
    putFileBytes(path, std::string("ab\r\n字\r\nxyz") + '\0' + "after the zero");

    setDocument("current");
    const std::vector<DialogRecord> seen = answered([&] { shortcut('D'); }, {pressing("No")});
    EXPECT_EQ(seen.at(0).title, "温馨提示：");
    EXPECT_EQ(document().text(), "current");

    // Yes to the warning, the file, and Yes to loading what comes before the zero byte.
    answered([&] { shortcut('D'); }, {pressing("Yes"), chooseFile(path), pressing("Yes")});
    EXPECT_EQ(document().text(), "ab\r\n字\r\nxyz") << "loaded up to the zero byte";
    EXPECT_EQ(document().file(), path);
    EXPECT_EQ(SendMessageA(handleOf(listBoxRef), LB_GETCOUNT, 0, 0), 3);
}

TEST_F(DocumentCommands, AFileThatCannotBeReadLeavesTheDocumentAndSaysSo)
{
    const std::string path = folder.file("locked.txt");
    putFileBytes(path, "locked content");
    ScopedFile lock(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);

    const std::vector<DialogRecord> seen =
        answered([&] { shortcut('F'); }, {chooseFile(path), pressing("OK")}); // append
    lock.reset();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen.at(1).title, "读取失败：");
    EXPECT_EQ(document().text(), "");
}

TEST_F(DocumentCommands, AFileTooLargeToOpenLeavesTheDocumentAndSaysHowLarge)
{
    const std::string path = folder.file("huge.txt");
    putFileOfSize(path, largestReadableFile + (6u << 20));
    const DialogRecord notice = openWithANotice(path);
    EXPECT_EQ(notice.title, "读取失败：");
    EXPECT_EQ(notice.message(),
              "文件太大:\r\n\r\n" + path + "\r\n\r\n70 MB, 超过了 Wrivo 能打开的 64 MB.\r\n\r\n当前文档保持不变。");
    EXPECT_EQ(document().text(), "");
}

TEST_F(DocumentCommands, AFileOfAnotherEncodingIsOpenedWithAWarning)
{
    const std::string path = folder.file("mixed.txt");
    putFileBytes(path, "ab\xB5\x20\xFF \xE6"); // neither GBK nor UTF-8
    const DialogRecord notice = openWithANotice(path);
    EXPECT_EQ(notice.title, "注意：");
    EXPECT_EQ(notice.message(), "文件中有不是 GBK 编码的文字:\r\n\r\n" + path +
                                    "\r\n\r\n这些字节将显示为 ?，保存时按显示的文字写回，原来的字节不会保留。");
    EXPECT_EQ(document().text().substr(0, 2), "ab") << "the file is still opened";
    EXPECT_EQ(document().file(), path);
}

// Pasted text may hold characters GBK cannot write; the save asks first, and
// a No saves nothing.
TEST_F(DocumentCommands, CharactersGbkCannotWriteAreAskedAboutBeforeSaving)
{
    const std::wstring pasted = L"ab\U0001F600c\u4e2d"; // an emoji among GBK text
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageA(handleOf(editBoxRef), WM_PASTE, 0, 0);

    const std::string path = folder.file("emoji.txt");
    const std::string question =
        "文档中有 1 个字符不在 GBK 编码之内(例如表情符号),\r\n\r\n保存后它们将变成 ?。\r\n\r\n仍然保存吗？";
    // No to the question, then "注意文档未保存&&".
    const std::vector<DialogRecord> seen = answered([&] { shortcut('S'); }, {pressing("No"), pressing("OK")});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen.at(0).title, "注意：");
    EXPECT_EQ(seen.at(0).message(), question);
    EXPECT_EQ(seen.at(1).title, "提醒：");
    EXPECT_FALSE(fileExists(path));
    // Yes, the file, then "保存成功！！！".
    answered([&] { shortcut('S'); }, {pressing("Yes"), chooseFile(path), pressing("OK")});
    EXPECT_EQ(fileBytes(path).substr(0, 2), "ab");
    EXPECT_EQ(fileBytes(path).substr(fileBytes(path).size() - 3), "c中") << "the rest of the text is kept";
}

TEST_F(DocumentCommands, AppendJoinsTheFileToTheLastLine)
{
    const std::string path = folder.file("more.txt");
    putFileBytes(path, "tail\r\nnext");
    setDocument("head");
    answered([&] { shortcut('F'); }, {chooseFile(path)});
    EXPECT_EQ(document().text(), "headtail\r\nnext");
    EXPECT_EQ(document().file(), path);
}

// An append taken back gives back the file remembered before it, so that the
// next save offers that file, not the appended one; redo appends it again.
TEST_F(DocumentCommands, UndoingAnAppendGivesBackTheRememberedFile)
{
    const std::string first = folder.file("第一章.txt");
    const std::string second = folder.file("第二章.txt");
    putFileBytes(first, "第一章\r\n");
    putFileBytes(second, "第二章");
    answered([&] { shortcut('D'); }, {chooseFile(first)});
    answered([&] { shortcut('F'); }, {chooseFile(second)});

    handlers::undoEdit({});
    EXPECT_EQ(document().text(), "第一章\r\n");
    EXPECT_EQ(document().file(), first);
    handlers::redoEdit({});
    EXPECT_EQ(document().text(), "第一章\r\n第二章");
    EXPECT_EQ(document().file(), second);
}

// Text the box holds and the snapshot taken from a typed key's stretch missed (as a soft wrap may make it on
// Windows) is never lost to a replace-all that sets the whole text, and undo does not put the difference back.
TEST_F(DocumentCommands, ReplaceAllOfManyPlacesKeepsWhatTheBoxHoldsBeyondTheSnapshot)
{
    std::string base;
    for (int i = 0; i < 60; ++i) base += "甲乙\r\n";
    setDocument(base);
    document().select({static_cast<std::int32_t>(base.size()), 0});
    SetFocus(handleOf(editBoxRef));
    PostMessageA(handleOf(editBoxRef), WM_CHAR, 'x', 1);
    pumpPending();
    ASSERT_FALSE(document().confirmed()) << "the key was not taken from its stretch";
    {
        const EventSuspension unseen;
        SendMessageA(handleOf(editBoxRef), EM_SETSEL, 0, 0);
        SendMessageA(handleOf(editBoxRef), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("前"));
    }
    FindRequest search;
    search.term = "甲";
    search.replacement = "丙";
    ASSERT_EQ(replaceEveryMatch(search), 60u);
    std::string replaced = base;
    for (std::size_t at = replaced.find("甲"); at != std::string::npos; at = replaced.find("甲", at))
        replaced.replace(at, 2, "丙");
    EXPECT_EQ(windowText(editBoxRef), "前" + replaced + "x");
    EXPECT_EQ(document().text(), windowText(editBoxRef));
    handlers::undoEdit({});
    EXPECT_EQ(windowText(editBoxRef), "前" + base + "x");
    handlers::undoEdit({});
    EXPECT_EQ(windowText(editBoxRef), "前" + base) << "the correction was undone as a step of its own";
    EXPECT_EQ(document().text(), windowText(editBoxRef));
}

// A replace-all leaves the selection on the same text, and its redo puts it back there.
// The caption follows each.
TEST_F(DocumentCommands, RedoOfReplaceAllPutsBackTheSelectionItLeft)
{
    setDocument("张三说：张三、Zhang 张三丰。");
    document().select({8, 4}); // the second "张三"
    FindRequest search;
    search.term = "张三";
    search.replacement = "李";
    ASSERT_EQ(replaceEveryMatch(search), 3u);
    // Replaced in place in the edit box: the document's text is the box's.
    const std::string replaced = "李说：李、Zhang 李丰。";
    EXPECT_EQ(windowText(editBoxRef), replaced);
    EXPECT_EQ(document().text(), replaced);
    EXPECT_EQ(windowText(mainWindowRef), document().statistics().caption());
    const EditRange left{6, 2}; // the "李" after "李说："
    EXPECT_EQ(document().selection(), left);
    handlers::undoEdit({});
    EXPECT_EQ(document().text(), windowText(editBoxRef));
    EXPECT_EQ(document().selection(), (EditRange{8, 4}));
    handlers::redoEdit({});
    EXPECT_EQ(windowText(editBoxRef), replaced);
    EXPECT_EQ(document().text(), replaced);
    EXPECT_EQ(document().selection(), left);
}

TEST_F(DocumentCommands, AFailedWriteKeepsTheOldFileAndNeverClaimsSuccess)
{
    // A read-only file is refused by the save; what the disk held stays.
    const std::string path = folder.file("novel.txt");
    const std::string old = "the previous draft";
    putFileBytes(path, old);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    setDocument("a new draft that must not half-replace the old one");
    DialogDriver driver;
    driver.answer(chooseFile(path));
    driver.press("Yes"); // replace it?
    driver.press("OK");
    shortcut('S');
    const bool finished = driver.finish();
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(finished) << driver.report();
    EXPECT_EQ(driver.seen().back().title, "保存失败：");
    const std::string notice = driver.seen().back().message();
    EXPECT_NE(notice.find("没有写入这个文件或文件夹的权限。" + systemMessage(ERROR_ACCESS_DENIED)), std::string::npos)
        << notice;
    EXPECT_NE(notice.find("磁盘上的原文件没有被改动。"), std::string::npos) << notice;
    for (const DialogRecord& seen : driver.seen()) EXPECT_NE(seen.title, "恭喜：");
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(document().text(), "a new draft that must not half-replace the old one");
}

TEST_F(DocumentCommands, AFailedSaveNamesTheReasonInUseOrDiskFull)
{
    // A file another program holds open without sharing.
    const std::string held = folder.file("held.txt");
    putFileBytes(held, "held");
    ScopedFile holder(
        CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    setDocument("words");
    std::vector<DialogRecord> seen;
    {
        DialogDriver driver;
        driver.answer(chooseFile(held));
        driver.press("Yes"); // replace it?
        driver.press("OK");
        shortcut('S');
        const bool finished = driver.finish();
        holder.reset();
        ASSERT_TRUE(finished) << driver.report();
        seen = driver.seen();
    }
    EXPECT_NE(seen.back().message().find("文件正被其他程序使用。" + systemMessage(ERROR_SHARING_VIOLATION)),
              std::string::npos)
        << seen.back().message();
    EXPECT_EQ(fileBytes(held), "held");

    // A new name on a full disk: there was no original to speak of.
    TinyDisk disk(16 * 1024);
    if (!disk.ready()) GTEST_SKIP() << "full-disk save not tested: " << disk.whyNotReady();
    std::string longDraft;
    for (int line = 0; line < 640; ++line) longDraft += std::string(98, 'x') + "\r\n"; // 64 KB
    setDocument(longDraft);
    seen = answered([&] { shortcut('S'); }, {chooseFile(disk.file("新稿.txt")), pressing("OK")});
    const std::string notice = seen.back().message();
    EXPECT_NE(notice.find("磁盘已满。" + systemMessage(ERROR_DISK_FULL)), std::string::npos) << notice;
    EXPECT_EQ(notice.find("原文件"), std::string::npos) << notice;
    EXPECT_NE(notice.find("没有建立新文件"), std::string::npos) << notice;
    EXPECT_FALSE(fileExists(disk.file("新稿.txt")));
}

// The document's file is past the size read whole: the size alone must not
// make the document count as modified.
TEST_F(DocumentCommands, ADocumentMatchingAFileLargerThanAWholeReadIsNotModified)
{
    const std::string path = folder.file("grown.txt");
    putFileOfSize(path, largestReadableFile + (2u << 20));
    {
        const ScopedFile file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        const std::string start = "第一章\r\n";
        DWORD written = 0;
        WriteFile(file.get(), start.data(), static_cast<DWORD>(start.size()), &written, nullptr);
    }
    writeProperty(commonDialogRef, CommonDlgProperty::fileName, path);
    setDocument("第一章\r\n"); // the file's text ends at its first zero byte
    EXPECT_FALSE(isDocumentModified());
    setDocument("第一章\r\nx");
    EXPECT_TRUE(isDocumentModified());
}

// A name longer than any path, typed into the file dialog, then Enter, then
// Cancel: the name field takes no more than a path can hold, the dialog ends
// as cancelled and the document stays as it was. (Wine's own dialog used to
// fail in its clean-up here and end the program.)
TEST_F(DocumentCommands, AnOverLongNameTypedIntoTheFileDialogCannotEndTheProgram)
{
    setDocument("保留的草稿");
    std::string typed;
    DialogDriver driver;
    driver.answer([&typed](DialogWindow& box) {
        typed = box.typeKeysIntoFileName(std::string(280, 'a'), true);
        // The dialog may say the file is not there; that is answered first.
        // Both go to the dialog's thread in this order, so Cancel comes after it.
        if (HWND question = box.waitForOwnBox(3000))
            PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        box.press("Cancel");
    });
    shortcut('F'); // append
    ASSERT_TRUE(driver.finish()) << driver.report();
    EXPECT_GT(typed.size(), 0u);
    // The dialog opens in the program's folder; that folder, a backslash and
    // the name make a path of at most 259 characters.
    EXPECT_LE(programDirectory().size() + 1 + typed.size(), 259u) << "the name field holds no more than a path can";
    EXPECT_EQ(document().text(), "保留的草稿");
}

} // namespace
} // namespace wrivo
