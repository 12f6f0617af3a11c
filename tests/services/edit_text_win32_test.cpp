// The edit box's byte-counted selection and appending, on a real EDIT control.
#include "services/controls/edit_text_win32.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "services/controls/edit_selection.h"

namespace wrivo {
namespace {

// A top-level window holding one multi-line EDIT control, recording the
// change notifications the control sends.
class EditBoxWindow : public ::testing::Test {
protected:
    static LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) ++changes;
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void SetUp() override
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = parentProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "WrivoEditTestParent";
        RegisterClassA(&windowClass);
        parent = CreateWindowExA(0, "WrivoEditTestParent", "edit test", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        edit = CreateWindowExA(0, "EDIT", "",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL, 0, 0,
                               400, 300, parent, reinterpret_cast<HMENU>(100), GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(edit, nullptr);
        SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
        changes = 0;
    }
    void TearDown() override { DestroyWindow(parent); }

    void pumpMessages()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    static inline int changes = 0;
    HWND parent = nullptr;
    HWND edit = nullptr;
};

TEST_F(EditBoxWindow, SelectionCountsBytesOfChineseText)
{
    SetWindowTextA(edit, "ab汉字测试cd"); // bytes: a0 b1 汉2-3 字4-5 测6-7 试8-9 c10 d11
    selectEditRange(edit, {4, 4});
    EXPECT_EQ(selectedEditText(edit), "字测");
    const EditRange range = editSelection(edit);
    EXPECT_EQ(range.start, 4);
    EXPECT_EQ(range.length, 4);

    selectEditRange(edit, {0, 10});
    EXPECT_EQ(selectedEditText(edit), "ab汉字测试");
    selectEditRange(edit, {10, 0});
    EXPECT_EQ(editSelection(edit).start, 10);
    EXPECT_EQ(selectedEditText(edit), "");
}

TEST_F(EditBoxWindow, ReplacingTheSelectionInsertsBytes)
{
    SetWindowTextA(edit, "第一段\r\n第三段");
    selectEditRange(edit, {8, 6});
    EXPECT_EQ(selectedEditText(edit), "第三段");
    replaceEditSelection(edit, "第二段");
    EXPECT_EQ(editText(edit), "第一段\r\n第二段");
    EXPECT_EQ(editSelection(edit).start, 14) << "the caret follows the insertion";
    EXPECT_EQ(editSelection(edit).length, 0);
}

TEST_F(EditBoxWindow, AppendingPutsEachTextAtTheEndInOrder)
{
    SetWindowTextA(edit, "开头");
    selectEditRange(edit, {0, 2});
    changes = 0;
    appendEditText(edit, {"甲乙", "\r\n丙"});
    EXPECT_EQ(editText(edit), "开头甲乙\r\n丙");
    EXPECT_EQ(changes, 2) << "one change per text";
    const EditRange caret = editSelection(edit);
    EXPECT_EQ(caret.start, static_cast<std::int32_t>(std::string("开头甲乙\r\n丙").size()));
    EXPECT_EQ(caret.length, 0);
}

TEST_F(EditBoxWindow, AppendingToALongTextEndsScrolledToTheBottom)
{
    std::string text;
    for (int i = 0; i < 300; ++i) text += "第" + std::to_string(i) + "行\r\n";
    SetWindowTextA(edit, text.c_str());
    selectEditRange(edit, {0, 0});
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    appendEditText(edit, {"最后"});
    EXPECT_GT(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 250);
}

// Without a limit the control would stop typing at its default 30,000 characters.
TEST_F(EditBoxWindow, TypingPastFortyThousandCharactersStillInserts)
{
    std::string text;
    while (text.size() < 40000) text += std::string(78, 'a') + "\r\n"; // lines, as a writer types them
    SetWindowTextA(edit, text.c_str());
    SetFocus(edit);
    appendEditText(edit, {""}); // caret to the end
    for (char key : std::string("xyz")) {
        PostMessageA(edit, WM_CHAR, static_cast<WPARAM>(key), 1);
        pumpMessages();
    }
    const std::string typed = editText(edit);
    ASSERT_EQ(typed.size(), text.size() + 3);
    EXPECT_EQ(typed.substr(text.size()), "xyz");
}

// The text is read into room guessed from the last read; a text that has
// grown past it, with a Chinese character split at any byte of the edge, must
// still come back whole.
TEST_F(EditBoxWindow, ATextLongerThanTheLastReadComesBackWhole)
{
    std::size_t lastLength = 0; // this control's memory of its last read
    for (std::size_t small : {0u, 10u, 3000u}) {
        SetWindowTextA(edit, std::string(small, 'x').c_str());
        ASSERT_EQ(editText(edit, &lastLength).size(), small);
        const std::size_t room = small + small / 8 + 4096; // what the next read tries first
        for (std::size_t lead = 0; lead < 2; ++lead) {     // both parities of the edge
            for (std::size_t total : {room - 3, room - 2, room - 1, room, room + 1, room * 3}) {
                std::string text(lead, 'a');
                while (text.size() + 2 <= total) text += "汉";
                if (text.size() < total) text += 'z';
                SetWindowTextA(edit, std::string(small, 'x').c_str());
                editText(edit, &lastLength); // the guess is back at the small size
                SetWindowTextA(edit, text.c_str());
                const std::string read = editText(edit, &lastLength);
                ASSERT_EQ(read.size(), text.size())
                    << "after " << small << " bytes, " << total << " bytes led by " << lead;
                ASSERT_EQ(read, text);
            }
        }
    }
}

// The room offered to each WM_GETTEXT a control receives.
LRESULT CALLBACK recordTextReads(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR reads)
{
    if (message == WM_GETTEXT) reinterpret_cast<std::vector<WPARAM>*>(reads)->push_back(wParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

// Each box remembers its own last length: a long text in one box neither
// makes a short box's reads ask for its room, nor is it read twice after the
// short box was read.
TEST_F(EditBoxWindow, TwoBoxesReadInTurnEachReadTheirTextAtOnce)
{
    // Unwrapped lines keep the control's layout cheap; 9,000 bytes is more
    // than a short box's room and needs more room than a first read offers.
    HWND longBox = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, 100, 100, parent,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(longBox, nullptr);
    SendMessageA(longBox, EM_SETLIMITTEXT, 0, 0);
    std::string longText;
    while (longText.size() < 9000) longText += std::string(88, 'L') + "\r\n";
    SetWindowTextA(longBox, longText.c_str());
    SetWindowTextA(edit, "short");
    std::vector<WPARAM> longReads, shortReads;
    ASSERT_TRUE(SetWindowSubclass(longBox, recordTextReads, 1, reinterpret_cast<DWORD_PTR>(&longReads)));
    ASSERT_TRUE(SetWindowSubclass(edit, recordTextReads, 1, reinterpret_cast<DWORD_PTR>(&shortReads)));

    std::size_t longLength = 0, shortLength = 0;
    ASSERT_EQ(editText(longBox, &longLength), longText); // no guess yet: read again at its length
    ASSERT_EQ(editText(edit, &shortLength), "short");
    longReads.clear();
    shortReads.clear();
    for (int turn = 0; turn < 3; ++turn) {
        ASSERT_EQ(editText(longBox, &longLength), longText);
        ASSERT_EQ(editText(edit, &shortLength), "short");
    }
    EXPECT_EQ(longReads.size(), 3u) << "one WM_GETTEXT per read of the long box";
    ASSERT_EQ(shortReads.size(), 3u) << "one WM_GETTEXT per read of the short box";
    for (WPARAM room : shortReads) EXPECT_LT(room, 8192u) << "the short box is not read into the long one's room";
    RemoveWindowSubclass(longBox, recordTextReads, 1);
    RemoveWindowSubclass(edit, recordTextReads, 1);
    DestroyWindow(longBox);
}

// Stretches read line by line, across wrapped lines (broken at spaces and
// inside runs of Chinese), paragraph ends and empty paragraphs, with and
// without the text's length at hand, are the same stretches of the whole
// text; only long stretches are left to the whole read.
TEST_F(EditBoxWindow, AStretchReadLineByLineIsThatStretchOfTheWholeText)
{
    std::string text;
    for (int paragraph = 0; paragraph < 12; ++paragraph) {
        for (int word = 0; word < paragraph * 7 % 23; ++word) text += word % 3 ? "汉字测试\x80 " : "words ";
        text += paragraph % 4 == 3 ? "\r\n\r\n" : "\r\n";
    }
    text += "尾";
    SetWindowTextA(edit, text.c_str());
    ASSERT_GT(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 20) << "the text should wrap";
    const std::string whole = editText(edit);
    const bool characters = editControlCountsCharacters();
    const std::int32_t length = editLength(edit);
    ASSERT_EQ(length, characters ? charactersInBytes(whole, static_cast<std::int32_t>(whole.size()))
                                 : static_cast<std::int32_t>(whole.size()));
    auto bytesAt = [&](std::int32_t units) { return characters ? bytesInCharacters(whole, units) : units; };
    int read = 0, tried = 0;
    for (std::int32_t start = 0; start <= length; start += 13) {
        for (std::int32_t span : {0, 1, 2, 30, 90, length - start}) {
            const std::int32_t end = std::min(length, start + span);
            const auto expected = whole.substr(static_cast<std::size_t>(bytesAt(start)),
                                               static_cast<std::size_t>(bytesAt(end) - bytesAt(start)));
            for (std::int32_t known : {-1, length}) {
                const std::optional<std::string> stretch = editTextStretch(edit, start, end, known);
                ++tried;
                if (!stretch) continue;
                ++read;
                ASSERT_EQ(*stretch, expected) << start << ".." << end << " known length " << known;
            }
        }
    }
    EXPECT_GT(read, tried / 2) << "short stretches are read line by line";
    EXPECT_FALSE(editTextStretch(edit, 0, length)) << "the whole text is not read line by line";
}

} // namespace
} // namespace wrivo
