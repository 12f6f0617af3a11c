// The writer's chapter commands on the real main window: the chapter list
// (a modeless tool window driven through the message loop), 上一章 and 下一章
// by their Alt keys, and the 字数详情 notice in a real message box.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/document.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_window.h"
#include "services/dialogs/chapter_list_window.h"
#include "services/writing/chapter_view.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

std::string body(int lines)
{
    std::string text;
    for (int i = 0; i < lines; ++i) text += "这是正文的一行，写得不长 ok。\r\n";
    return text;
}

// Long enough between headings that each one can be scrolled to the top.
const std::string novel = "这是开头。\r\n" + body(3) + "第一卷 山河\r\n第一章 风起\r\n" + body(60) + "　第一节 夜\r\n" +
                          body(60) + "第二章 云涌\r\n" + body(60);

class Chapters : public MainWindowScenario {
protected:
    Chapters()
        : MainWindowScenario({HandlerIndex::refreshStatistics, HandlerIndex::editBoxKeyDown,
                              HandlerIndex::mainWindowKeyDown, HandlerIndex::chapterList, HandlerIndex::previousChapter,
                              HandlerIndex::nextChapter, HandlerIndex::countDetails})
    {
    }

    static HWND chapterList() { return reinterpret_cast<HWND>(chapterListWindow()); }
    static HWND rowsBox() { return FindWindowExA(chapterList(), nullptr, "ListBox", nullptr); }
    static int chosenRow() { return static_cast<int>(SendMessageA(rowsBox(), LB_GETCURSEL, 0, 0)); }
    static std::size_t caret() { return static_cast<std::size_t>(document().selection().start); }
    void caretTo(std::size_t offset) { document().select({static_cast<std::int32_t>(offset), 0}); }
    static LRESULT askEdit(UINT message, WPARAM value) { return SendMessageA(handleOf(editBoxRef), message, value, 0); }
    static bool caretLineOnTop() { return askEdit(EM_LINEFROMCHAR, WPARAM(-1)) == askEdit(EM_GETFIRSTVISIBLELINE, 0); }

    // Alt+key as the keyboard sends it: WM_SYSKEYDOWN with Alt held.
    void pressAlt(UINT key)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_MENU] = keys[VK_LMENU] = 0x80;
        SetKeyboardState(keys);
        const LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16) | (1 << 29);
        PostMessageA(GetFocus(), WM_SYSKEYDOWN, key, down);
        PostMessageA(GetFocus(), WM_SYSKEYUP, key, down | (1u << 30) | (1u << 31));
        pumpPending();
        keys[VK_MENU] = keys[VK_LMENU] = 0;
        SetKeyboardState(keys);
    }
};

TEST_F(Chapters, AltKeysAndTheListGoToHeadingsTheListFollowsEditsAndLeavesTheMainWindowsKeysWorking)
{
    setDocument(novel);
    caretTo(0);
    for (const char* heading : {"第一卷", "第一章", "　第一节", "第二章"}) {
        pressAlt(VK_DOWN);
        EXPECT_EQ(caret(), novel.find(heading)) << heading;
        EXPECT_TRUE(caretLineOnTop()) << heading;
    }
    pressAlt(VK_UP);
    EXPECT_EQ(caret(), novel.find("　第一节"));

    caretTo(novel.find("第一节") + 40);
    shortcut('J');
    ASSERT_NE(chapterList(), nullptr);
    EXPECT_TRUE(IsWindowVisible(chapterList()));
    EXPECT_EQ(windowText(chapterList()), "章节目录");
    EXPECT_EQ(GetWindow(chapterList(), GW_OWNER), handleOf(mainWindowRef));

    const std::vector<ChapterPart> parts = splitChapters(novel);
    EXPECT_EQ(listRows(rowsBox()), chapterListLines(parts));
    EXPECT_EQ(windowText(FindWindowExA(chapterList(), nullptr, "Static", nullptr)), chapterListSummary(parts));
    EXPECT_EQ(chosenRow(), 3);
    EXPECT_EQ(GetFocus(), rowsBox());

    press(VK_DOWN); // to 第二章
    press(VK_RETURN);
    EXPECT_EQ(caret(), novel.find("第二章"));
    EXPECT_TRUE(caretLineOnTop());
    EXPECT_EQ(GetFocus(), handleOf(editBoxRef));
    EXPECT_EQ(chosenRow(), 4);

    // Ctrl+J closes it from the edit box; from the list, the main window's
    // shortcuts still work, and Esc closes it.
    shortcut('J');
    EXPECT_EQ(chapterList(), nullptr);
    shortcut('J');
    ASSERT_EQ(GetFocus(), rowsBox());
    pressAlt(VK_UP);
    EXPECT_EQ(caret(), novel.find("　第一节"));
    EXPECT_EQ(chosenRow(), 3);
    press(VK_ESCAPE);
    EXPECT_EQ(chapterList(), nullptr);
    EXPECT_EQ(GetFocus(), handleOf(editBoxRef));
    EXPECT_EQ(document().text(), novel) << "Alt, Enter, Esc or Ctrl+J reached the edit box";

    // The list follows an edit at the pause, and the caret when it moves.
    caretTo(0);
    shortcut('J');
    SetFocus(handleOf(editBoxRef));
    const std::string edited = novel + "第三章 雨歇\r\n" + body(2);
    setDocument(edited);
    EXPECT_TRUE(pumpUntil([&] { return listRows(rowsBox()) == chapterListLines(splitChapters(edited)); }))
        << "the list did not follow the edit";
    caretTo(edited.find("雨歇"));
    EXPECT_TRUE(pumpUntil([] { return chosenRow() == 5; })) << chosenRow();

    // The Esc hide takes the list along; showing the window brings it back.
    press(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(chapterList()));
    press(VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(chapterList()));
}

TEST_F(Chapters, CountDetailsGivesTheWholeTheChapterAndTheSelection)
{
    setDocument(novel);
    const std::size_t chapter = novel.find("第二章"), selected = chapter + 20;
    document().select({static_cast<std::int32_t>(selected), 30});
    const DialogRecord notice = answered([&] { shortcut('K'); }, {pressing("OK")}).at(0);
    EXPECT_EQ(notice.title, "字数详情");
    const std::string text = notice.message();
    const auto figure = [](std::string name, std::int64_t value) { return "　" + name + "：" + std::to_string(value); };
    const std::size_t whole = text.find("全文"), ofChapter = text.find("本章：第二章 云涌"),
                      ofSelection = text.find("选定内容");
    ASSERT_TRUE(whole < ofChapter && ofChapter < ofSelection && ofSelection != std::string::npos) << text;
    const WordCount all = countWords(novel), inChapter = countWords(std::string_view(novel).substr(chapter)),
                    inSelection = countWords(std::string_view(novel).substr(selected, 30));
    EXPECT_EQ(text.find(figure("字数", all.words), whole), text.find("\n", whole) + 1) << text;
    EXPECT_NE(text.find(figure("段落", document().statistics().paragraphCount())), std::string::npos) << text;
    EXPECT_EQ(text.find(figure("字数", inChapter.words), ofChapter), text.find("\n", ofChapter) + 1) << text;
    EXPECT_NE(text.find(figure("标点与符号", inSelection.punctuation), ofSelection), std::string::npos) << text;

    // Typed keys make each new snapshot in the memory of the one before the
    // last: after an even number and after an odd one, the count is of the
    // text as it is now.
    setDocument("第一章\r\n正文");
    const auto wholeCount = [&] {
        const std::string shown = answered([&] { shortcut('K'); }, {pressing("OK")}).at(0).message();
        const std::size_t at = shown.find("字数：");
        return shown.substr(at, shown.find('\r', at) - at);
    };
    EXPECT_EQ(wholeCount(), "字数：5");
    for (const char* keys : {"a b ", "c"}) {
        SetFocus(handleOf(editBoxRef));
        for (const char* key = keys; *key; ++key) PostMessageA(handleOf(editBoxRef), WM_CHAR, WPARAM(*key), 1);
        pumpPending();
        EXPECT_EQ(wholeCount(), "字数：" + std::to_string(countWords(document().text()).words)) << keys;
        EXPECT_EQ(countWords(document().text()).words, std::string(keys) == "c" ? 8 : 7) << document().text();
    }

    setDocument("只有正文。");
    const DialogRecord wholeOnly = answered([&] { shortcut('K'); }, {pressing("OK")}).at(0);
    EXPECT_EQ(wholeOnly.message().find("\r\n\r\n"), std::string::npos) << "a section beside the whole";
    EXPECT_EQ(document().text(), "只有正文。") << "Ctrl+K reached the edit box";
}

} // namespace
} // namespace wrivo
