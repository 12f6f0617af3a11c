// The statistics handlers on the real main window: keys typed through the
// host's message translation, the caption read back from the window, the
// count strip read back from the list box.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "app/app_globals.h"
#include "app/document.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_window.h"
#include "app/statistics_handlers.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "host/window_properties.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "services/text/text.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

std::string countCaption(const char* n, const char* m)
{
    return std::string("Orvanne提醒您:    当前文档共计:  ") + n + "  个段落,总字数为:  " + m + "  字。";
}

std::vector<std::string> rows()
{
    return listRows(handleOf(listBoxRef));
}

std::int32_t lineBreaks()
{
    return document().statistics().lineBreakCount();
}

class Statistics : public MainWindowScenario {
protected:
    Statistics()
        : MainWindowScenario({HandlerIndex::refreshStatistics, HandlerIndex::editBoxKeyDown,
                              HandlerIndex::selectParagraph, HandlerIndex::clearText, HandlerIndex::undoEdit})
    {
    }

    void type(char c)
    {
        PostMessageA(handleOf(editBoxRef), WM_CHAR, static_cast<WPARAM>(c), 1);
        pumpPending();
    }
};

TEST_F(Statistics, EnterAndBackspaceKeepTheLineBreakCountAndTheCaptionFollows)
{
    type('a');
    EXPECT_EQ(windowText(mainWindowRef), countCaption("1", "0.5"));
    press(VK_RETURN);
    EXPECT_EQ(lineBreaks(), 1);
    type('b');
    EXPECT_EQ(windowText(mainWindowRef), countCaption("2", "1"));

    press(VK_BACK);
    EXPECT_EQ(lineBreaks(), 1) << "two pieces before the key: neither equal nor fewer";
    EXPECT_EQ(windowText(mainWindowRef), countCaption("1", "0.5")) << "a and a line break: 3 / 2.0 - 1";
    press(VK_BACK);
    EXPECT_EQ(lineBreaks(), 0);
    EXPECT_EQ(windowText(mainWindowRef), countCaption("1", "0.5"));
}

TEST_F(Statistics, ThreeEntersOnAnEmptyDocumentMakeThreeEmptyParagraphs)
{
    for (int i = 0; i < 3; ++i) press(VK_RETURN);
    EXPECT_EQ(lineBreaks(), 3);
    EXPECT_EQ(windowText(mainWindowRef), countCaption("3", "0"));
    EXPECT_EQ(rows(), (std::vector<std::string>{"0", "0"})) << "rows are written before the third break lands";
}

TEST_F(Statistics, EnterRewritesRowsInPlaceAndKeepsOldRowsBeyondTheParagraphs)
{
    std::string ten;
    for (int i = 0; i < 10; ++i) ten += std::string(static_cast<std::size_t>(i + 1), 'x') + (i < 9 ? "\r\n" : "");
    setDocument(ten);
    press(VK_RETURN); // the key comes before the edit: ten paragraphs counted
    ASSERT_EQ(rows().size(), 10u);
    EXPECT_EQ(rows()[9], "5");

    setDocument("字字\r\nab\r\n\r\nabc\r\nz");
    press(VK_RETURN);
    const std::vector<std::string> after = rows();
    ASSERT_EQ(after.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 5),
              (std::vector<std::string>{"2", "1", "0", "1.5", "0.5"}));
    EXPECT_EQ(after[5], "3") << "rows beyond the paragraphs keep their old counts";
    EXPECT_EQ(after[9], "5");
}

TEST_F(Statistics, ChoosingARowSelectsItsParagraphsBytesAndFocusesTheEditBox)
{
    setDocument("ab\r\n字\r\nabc");
    press(VK_RETURN, false); // writes the rows of the three paragraphs
    setDocument("ab\r\n字\r\nabc");
    SetFocus(handleOf(listBoxRef));
    HWND list = handleOf(listBoxRef);
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    pumpPending();
    EXPECT_EQ(propertyNumber(readProperty(editBoxRef, EditBoxProperty::selectionStart)), 8);
    EXPECT_EQ(propertyNumber(readProperty(editBoxRef, EditBoxProperty::selectionLength)), 3);
    EXPECT_EQ(GetFocus(), handleOf(editBoxRef));
}

TEST_F(Statistics, DeleteClearsTheWholeDocumentTheCountAndTheRows)
{
    setDocument("ab\r\ncd");
    press(VK_RETURN);
    ASSERT_FALSE(rows().empty());
    SendMessageA(handleOf(editBoxRef), EM_SETSEL, 0, 1);
    press(VK_DELETE);
    EXPECT_EQ(propertyText(readProperty(editBoxRef, EditBoxProperty::content)), "");
    EXPECT_EQ(lineBreaks(), 0);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(windowText(mainWindowRef), "Wrivo  3.7              ⊙△⊙ 亲    已为您清空了统计数据!!!");
}

// The caption after typed keys (ASCII and Chinese), Enter, Backspace and
// Delete, a paste, a cut and an undo, in a text of high bytes, 0x80, 0xFF and
// line breaks split and joined, is what a whole recount of the box's text
// gives; and the document's text, read only where each edit happened, is
// the box's text byte for byte.
TEST_F(Statistics, TheCaptionAfterEveryKindOfEditIsTheWholeRecount)
{
    HWND edit = handleOf(editBoxRef);
    SetFocus(edit);
    setDocument("字字 ab\r\n\x80x\xFFy　\r\n\r\ncd");
    auto caretAt = [&](int start, int end) {
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), end);
        pumpPending();
    };
    std::string last = document().text();
    auto expectWholeRecount = [&](const char* after) {
        pumpPending();
        const std::string text = propertyText(readProperty(editBoxRef, EditBoxProperty::content));
        EXPECT_NE(text, std::exchange(last, text)) << after << " changed nothing";
        EXPECT_EQ(document().text(), text) << "after " << after;
        EXPECT_FALSE(document().confirmed()) << after << " read the whole text";
        DocumentStatistics whole;
        whole.refresh(std::make_shared<const std::string>(text));
        EXPECT_EQ(windowText(mainWindowRef), countCaption(toText(Value{whole.paragraphCount()}).c_str(),
                                                          toText(Value{whole.characterCount() - lineBreaks()}).c_str()))
            << "after " << after;
    };
    caretAt(1, 1); // inside the first line (the control counts characters or bytes: both start there)
    type('q');
    expectWholeRecount("a letter");
    PostMessageW(edit, WM_CHAR, 0x5B57, 1);    // 字
    expectWholeRecount("a Chinese character"); // (the caption is read after the queue is handled)
    caretAt(4, 4);
    press(VK_RETURN);
    expectWholeRecount("Enter");
    press(VK_BACK);
    expectWholeRecount("Backspace joining the lines");
    ASSERT_TRUE(OpenClipboard(edit));
    EmptyClipboard();
    const char pasted[] = "\xB0\xA1\r\nz\xFF";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    std::memcpy(GlobalLock(memory), pasted, sizeof pasted);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory); // the clipboard owns it now
    CloseClipboard();
    caretAt(2, 6);
    SendMessageA(edit, WM_PASTE, 0, 0);
    expectWholeRecount("a paste over a selection");
    caretAt(3, 9); // across a line break
    SendMessageA(edit, WM_CUT, 0, 0);
    expectWholeRecount("a cut");
    SendMessageA(edit, WM_UNDO, 0, 0);
    expectWholeRecount("undo");
    caretAt(0, 0);
    // The control's own Delete, forward (the key itself is the clear command's).
    SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1 | (MapVirtualKeyA(VK_DELETE, 0) << 16));
    expectWholeRecount("Delete");
    caretAt(0x7FFFFFFF, 0x7FFFFFFF); // at the end, where writing goes on
    type('e');
    expectWholeRecount("a letter at the end");
    press(VK_RETURN);
    expectWholeRecount("Enter at the end");
    PostMessageW(edit, WM_CHAR, 0x5B57, 1);
    expectWholeRecount("a Chinese character on the new last line");
    press(VK_BACK);
    expectWholeRecount("Backspace at the end");
    // Before the text goes anywhere, it is read whole once.
    document().confirm();
    EXPECT_TRUE(document().confirmed());
    EXPECT_EQ(document().text(), last);
}

} // namespace
} // namespace wrivo
