// The publishing commands on the real main window: 章节目标… from the menu and
// its number dialog, the 发布前检查 window (F9) with the writer's lists, 忽略
// and the typing pause, 复制本章 (Shift+F9) on the real clipboard, and 按章导出
// (Ctrl+F9) through the folder dialog into real files.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/document.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_window.h"
#include "services/dialogs/chapter_list_window.h"
#include "services/dialogs/publish_check_window.h"
#include "services/text/code_page.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"
#include "tests/support/scratch_folder_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

constexpr WPARAM chapterTargetCommand = 20055; // its place among the menu lines
constexpr int dialogField = 100;               // the number and folder dialogs' edit field

const std::string book = "引子的话\r\n第一章 风起\r\n  他说,你好.\r\n\r\n\r\n　　我的的书里有违禁的事。\r\n"
                         "第3章 云涌\r\n正文\r\n";

class Publishing : public MainWindowScenario {
protected:
    Publishing()
        : MainWindowScenario({HandlerIndex::refreshStatistics, HandlerIndex::editBoxKeyDown,
                              HandlerIndex::mainWindowKeyDown, HandlerIndex::chapterList, HandlerIndex::countDetails,
                              HandlerIndex::chapterTarget, HandlerIndex::publishCheck, HandlerIndex::copyChapter,
                              HandlerIndex::exportChapters})
    {
    }

    static HWND checkWindow() { return reinterpret_cast<HWND>(findingsWindow()); }
    static HWND rowsOf(HWND window) { return FindWindowExA(window, nullptr, "ListBox", nullptr); }
    void caretTo(std::size_t offset) { document().select({static_cast<std::int32_t>(offset), 0}); }
    std::string store(const char* name) const { return localData() + "\\Wrivo\\" + name; }
    void functionKey(UINT key, bool ctrl, bool shift)
    {
        postKey(GetFocus() ? GetFocus() : handleOf(mainWindowRef), key, ctrl, shift);
    }
};

// Types `text` into a dialog's field and presses its button `label`.
DialogDriver::Answer typing(std::string text, std::string label)
{
    return [text, label](DialogWindow& box) {
        SetWindowTextA(box.control(dialogField), text.c_str());
        box.press(label);
    };
}

TEST_F(Publishing, TargetAndCheckWindowFollowTheChapterTheListsAndIgnore)
{
    CreateDirectoryA((localData() + "\\Wrivo").c_str(), nullptr);
    CreateDirectoryA(store("Words").c_str(), nullptr);
    putFileBytes(store("Words\\平台.txt"), "\xEF\xBB\xBF# list\r\n\xE8\xBF\x9D\xE7\xA6\x81\r\n"); // 违禁 in UTF-8
    putFileBytes(store("Words\\坏.txt"), "\xEF\xBB\xBF\xFF\xFE");
    setDocument(book);

    const std::vector<DialogRecord> asked = answered(
        [] {
            PostMessageA(handleOf(mainWindowRef), WM_COMMAND, chapterTargetCommand, 0);
            pumpPending();
        },
        {typing("12", "确定")});
    EXPECT_EQ(asked.at(0).title, "章节目标");
    EXPECT_NE(fileBytes(store("writing.txt")).find("chapter_target=12\r\n"), std::string::npos);
    caretTo(book.find("违禁"));
    const std::string details = answered([&] { shortcut('K'); }, {pressing("OK")}).at(0).message();
    EXPECT_NE(details.find("　目标：12，已完成"), std::string::npos) << details;
    shortcut('J');
    const std::vector<std::string> rows = listRows(rowsOf(reinterpret_cast<HWND>(chapterListWindow())));
    EXPECT_EQ(rows.at(1), "第一章 风起　20/12 字 √");
    EXPECT_EQ(rows.at(2), "第3章 云涌　7/12 字");
    shortcut('J'); // closed: the dialog driver would take the open list for the next dialog

    // F9: the unreadable list is said once, then the window shows the chapter's findings.
    const std::vector<DialogRecord> said = answered([&] { functionKey(VK_F9, false, false); }, {pressing("OK")});
    EXPECT_NE(said.at(0).message().find("坏.txt"), std::string::npos);
    ASSERT_NE(checkWindow(), nullptr);
    EXPECT_EQ(windowText(checkWindow()), "发布前检查");
    EXPECT_EQ(GetWindow(checkWindow(), GW_OWNER), handleOf(mainWindowRef));
    const std::vector<std::string> expected = {
        "字数　本章 20 字，目标 12 字",  "半角标点　第3段　  他说,你好.",
        "半角标点　第3段　说,你好.",     "重复字　第6段　　　我的的书里有违",
        "词表　第6段　违禁（平台.txt）", "章节编号　第7段　第3章 云涌（编号跳过，上一章 1）"};
    EXPECT_EQ(listRows(rowsOf(checkWindow())), expected);
    EXPECT_EQ(windowText(FindWindowExA(checkWindow(), nullptr, "Static", nullptr)), "共 5 处");

    // Enter selects the finding; 忽略 keeps the word out from then on.
    const int wordRow = 4;
    SendMessageA(rowsOf(checkWindow()), LB_SETCURSEL, wordRow, 0);
    SetFocus(rowsOf(checkWindow()));
    press(VK_RETURN);
    EXPECT_EQ(document().selection().start, static_cast<std::int32_t>(book.find("违禁")));
    EXPECT_EQ(document().selection().length, 4);
    EXPECT_EQ(GetFocus(), handleOf(editBoxRef));
    SendMessageA(rowsOf(checkWindow()), LB_SETCURSEL, wordRow, 0);
    SendMessageA(FindWindowExA(checkWindow(), nullptr, "Button", nullptr), BM_CLICK, 0, 0);
    pumpPending();
    EXPECT_EQ(fileBytes(store("Words\\忽略.txt")), "违禁\r\n");
    EXPECT_EQ(windowText(FindWindowExA(checkWindow(), nullptr, "Static", nullptr)), "共 4 处");

    // It follows an edit at the typing pause, and hides with the main window.
    caretTo(0);
    setDocument("第一章 短\r\n的的");
    EXPECT_TRUE(pumpUntil([] { return listRows(rowsOf(checkWindow())).size() == 2; }));
    EXPECT_EQ(listRows(rowsOf(checkWindow())).at(0), "字数　本章 6 字，目标 12 字，还差 6 字");
    // F9 on a selection checks the selection alone.
    document().select({static_cast<std::int32_t>(document().text().find("的的")), 4});
    functionKey(VK_F9, false, false);
    EXPECT_EQ(listRows(rowsOf(checkWindow())), std::vector<std::string>{"重复字　第2段　的的"});
    SetFocus(handleOf(editBoxRef));
    press(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(checkWindow()));
    press(VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(checkWindow()));
}

TEST_F(Publishing, CopyPutsThePlatformsLayoutOnTheClipboardAndExportWritesAFilePerPart)
{
    setDocument(book);
    caretTo(book.find("我的"));
    const DialogRecord copied = answered([&] { functionKey(VK_F9, false, true); }, {pressing("OK")}).at(0);
    EXPECT_EQ(copied.title, "复制本章");
    EXPECT_EQ(copied.message(), "已复制 第一章 风起，15 字。");
    const std::string expected = "　　他说，你好。\r\n\r\n　　我的的书里有违禁的事。";
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto narrow = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
    EXPECT_EQ(std::string(narrow ? narrow : ""), expected);
    GlobalUnlock(GetClipboardData(CF_TEXT));
    const auto wide = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    EXPECT_EQ(std::wstring(wide ? wide : L""), widened(expected, 936));
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();
    EXPECT_EQ(document().text(), book);

    ScratchFolder out;
    const auto exportTo = [&](std::initializer_list<DialogDriver::Answer> answers) {
        return answered([&] { functionKey(VK_F9, true, false); }, answers);
    };
    std::vector<DialogRecord> seen = exportTo({typing(out.path(), "确定"), pressing("OK")});
    EXPECT_EQ(seen.at(0).title, "选择文件夹");
    EXPECT_EQ(seen.at(1).message(), "已导出 3 个文件。\r\n\r\n" + out.path());
    std::vector<std::string> names = namesInFolder(out.path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"000 开头.txt", "001 第一章 风起.txt", "002 第3章 云涌.txt"}));
    EXPECT_EQ(fileBytes(out.file("001 第一章 风起.txt")),
              "第一章 风起\r\n  他说,你好.\r\n\r\n\r\n　　我的的书里有违禁的事。\r\n");
    // Names that exist: No writes nothing, Yes replaces them.
    putFileBytes(out.file("000 开头.txt"), "changed");
    seen = exportTo({typing(out.path(), "确定"), pressing("No")});
    EXPECT_EQ(seen.at(1).message(), "文件夹里已有 3 个同名文件，要替换它们吗？");
    EXPECT_EQ(fileBytes(out.file("000 开头.txt")), "changed");
    exportTo({typing(out.path(), "确定"), pressing("Yes"), pressing("OK")});
    EXPECT_EQ(fileBytes(out.file("000 开头.txt")), "引子的话\r\n");

    setDocument("没有标题的正文");
    EXPECT_EQ(exportTo({pressing("OK")}).at(0).message(), "没有找到章节，未导出。");
}

} // namespace
} // namespace wrivo
