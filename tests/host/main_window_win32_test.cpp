// The real main window built from the program's layout, driven through the
// host's message translation: its controls and sizes, its menu bar and
// accelerators, the routing of keys and the handlers' results.
#include <windows.h>
#include <gtest/gtest.h>
#include <thread>
#include "host/scoped_win32.h"
#include "services/controls/colour_popup_win32.h"
#include "services/controls/common_dialog_unit_win32.h"
#include "services/controls/edit_box_operations.h"
#include "tests/support/dialog_driver_win32.h"

#include <string>

#include "app/layout_content.h"
#include "app/main_window.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "host/window_properties.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "tests/support/host_harness_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

const UnitRef mainWindow{WindowId::main, UnitId::mainWindow, layout::kind::window};
const UnitRef editBox{WindowId::main, UnitId::editBox, layout::kind::editBox};
const UnitRef listBox{WindowId::main, UnitId::listBox, layout::kind::listBox};
const UnitRef colorPicker{WindowId::main, UnitId::colorPicker, layout::kind::colorPicker};
const UnitRef commonDialog{WindowId::main, UnitId::commonDialog, layout::kind::commonDlg};

HWND handleOf(const UnitRef& unit)
{
    return reinterpret_cast<HWND>(windowHandle(unit));
}

std::int64_t number(const UnitRef& unit, int property, int subIndex = -1)
{
    return propertyNumber(readProperty(unit, property, subIndex));
}

std::string editText()
{
    return propertyText(readProperty(editBox, EditBoxProperty::content));
}

std::string menuText(HMENU menu, UINT command)
{
    char text[128] = {};
    GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
    return text;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        startRecordingHost();
        resetHandlers();
        setHandler(HandlerIndex::layoutOnResize, handlers::layoutOnResize);
        ASSERT_TRUE(loadWindow(WindowId::main, std::nullopt, false));
        writeProperty(mainWindow, CommonProperty::visible, std::int64_t{1});
        SetForegroundWindow(handleOf(mainWindow));
        SetFocus(handleOf(editBox));
        pumpPending();
        recordedEvents().clear();
    }

    void TearDown() override
    {
        resetHandlers();
        if (windowLoaded(WindowId::main)) destroyUnit(mainWindow, true);
        pumpPending();
    }
};

// The program's layout binds only size changed of the three events a build
// raises (created, moved, size changed: all three, in order, in
// host_process_win32_test's WindowEvents, whose child binds each).
TEST_F(MainWindow, BuildRunsTheSizeHandlerOnceBeforeTheWindowIsShown)
{
    destroyUnit(mainWindow, true);
    recordedEvents().clear();
    ASSERT_TRUE(loadWindow(WindowId::main, std::nullopt, false));
    EXPECT_EQ(countEvents(HandlerIndex::layoutOnResize), 1);
    EXPECT_FALSE(IsWindowVisible(handleOf(mainWindow))) << "the main window is not visible at load";
}

TEST_F(MainWindow, ControlsHaveTheirLaidOutSizesRightAfterTheBuild)
{
    EXPECT_EQ(number(mainWindow, CommonProperty::width), 556);
    EXPECT_EQ(number(mainWindow, CommonProperty::height), 613);
    EXPECT_EQ(number(editBox, CommonProperty::width), 550);
    EXPECT_EQ(number(editBox, CommonProperty::height), 530);
    EXPECT_EQ(number(editBox, CommonProperty::left), -1);
    EXPECT_EQ(number(listBox, CommonProperty::top), 527);
    EXPECT_EQ(number(listBox, CommonProperty::width), 556);
}

TEST_F(MainWindow, ResizingKeepsTheControlsInPlace)
{
    SetWindowPos(handleOf(mainWindow), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(number(editBox, CommonProperty::width), 294);
    EXPECT_EQ(number(editBox, CommonProperty::height), 117);
    EXPECT_EQ(number(listBox, CommonProperty::top), 114);
    EXPECT_EQ(number(listBox, CommonProperty::width), 300);
}

TEST_F(MainWindow, ControlIdentifiersRunFromTheLastUnitBackwards)
{
    // Units after the window: edit box, list box, colour picker, common dialog
    // (menu entries have no window); the last is created first.
    EXPECT_EQ(GetDlgCtrlID(handleOf(commonDialog)), 100);
    EXPECT_EQ(GetDlgCtrlID(handleOf(colorPicker)), 110);
    EXPECT_EQ(GetDlgCtrlID(handleOf(listBox)), 120);
    EXPECT_EQ(GetDlgCtrlID(handleOf(editBox)), 130);
}

TEST_F(MainWindow, NonVisualAndHiddenUnitsAreNeverShown)
{
    EXPECT_TRUE(IsWindowVisible(handleOf(editBox)));
    EXPECT_TRUE(IsWindowVisible(handleOf(listBox)));
    EXPECT_FALSE(IsWindowVisible(handleOf(colorPicker)));
    EXPECT_FALSE(IsWindowVisible(handleOf(commonDialog)));
    writeProperty(commonDialog, CommonProperty::visible, std::int64_t{1});
    EXPECT_FALSE(IsWindowVisible(handleOf(commonDialog)));
}

TEST_F(MainWindow, EditBoxTakesNoLimitAndItsColours)
{
    HWND edit = handleOf(editBox);
    EXPECT_GE(static_cast<DWORD>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
    EXPECT_EQ(number(editBox, EditBoxProperty::textColour), 0x00FFFF00);
    EXPECT_EQ(number(editBox, EditBoxProperty::backgroundColour), 0x00E03058);
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_MULTILINE);
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(number(listBox, ListBoxProperty::currentSelection), -1);
}

TEST_F(MainWindow, MenuEntriesCarryTheirIdentifiersAndShortcutTexts)
{
    HMENU bar = GetMenu(handleOf(mainWindow));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 7); // the editing and writing menus last
    EXPECT_EQ(menuText(bar, 20003), "保存文档\tCtrl+S");
    EXPECT_EQ(menuText(bar, 20008), "剪切字符   Ctrl+X");
    EXPECT_EQ(menuText(bar, 20013), "清空字符\tDel");
    EXPECT_EQ(menuText(bar, 20031), "官网更新下载 \tCtrl+I");
    EXPECT_EQ(menuText(bar, 20035), "墨香软件园");
    EXPECT_TRUE(GetMenuState(bar, 20033, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(bar, 20020, MF_BYCOMMAND) & MF_GRAYED);
    char top[64] = {};
    GetMenuStringA(bar, 3, top, sizeof top, MF_BYPOSITION);
    EXPECT_STREQ(top, "版权帮助"); // a popup shows no shortcut
    EXPECT_TRUE(GetMenuState(GetSubMenu(bar, 0), 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(menuText(bar, 20040), "查找文字\tCtrl+F3");
    EXPECT_EQ(menuText(bar, 20047), "撤销\tAlt+Backspace");
    EXPECT_EQ(menuText(bar, 20052), "下一章\tAlt+Down");
}

TEST_F(MainWindow, CtrlRChoosesTheBackgroundColourEntryOnly)
{
    postKey(handleOf(editBox), 'R', true);
    EXPECT_EQ(countEvents(HandlerIndex::chooseBackgroundColour), 1);
    EXPECT_EQ(recordedEvents().size(), 1u);
    EXPECT_EQ(recordedEvents()[0].source.unit, UnitId::menuEntry(20));
}

TEST_F(MainWindow, AcceleratorsWinOverTheEditBox)
{
    writeProperty(editBox, EditBoxProperty::content, std::string("abc"));
    recordedEvents().clear();
    SendMessageA(handleOf(editBox), EM_SETSEL, 0, 1);
    postKey(handleOf(editBox), VK_DELETE);
    EXPECT_EQ(countEvents(HandlerIndex::clearText), 1);
    EXPECT_EQ(countEvents(HandlerIndex::editBoxKeyDown), 0) << "the key never reached the edit box";
    EXPECT_EQ(editText(), "abc");
    postKey(handleOf(editBox), 'A', true);
    EXPECT_EQ(countEvents(HandlerIndex::newDocument), 1);
    postKey(handleOf(editBox), 'Z', true);
    EXPECT_EQ(countEvents(HandlerIndex::authorNotice), 1);
}

TEST_F(MainWindow, ClipboardKeysReachTheEditBox)
{
    postKey(handleOf(editBox), 'X', true);
    postKey(handleOf(editBox), 'C', true);
    postKey(handleOf(editBox), 'V', true);
    EXPECT_EQ(countEvents(HandlerIndex::cutCharacters), 0);
    EXPECT_EQ(countEvents(HandlerIndex::copyCharacters), 0);
    EXPECT_EQ(countEvents(HandlerIndex::pasteCharacters), 0);
    EXPECT_EQ(countEvents(HandlerIndex::editBoxKeyDown), 3);
}

TEST_F(MainWindow, ChoosingAMenuEntryByCommandRaisesItsHandler)
{
    SendMessageA(handleOf(mainWindow), WM_COMMAND, 20003, 0);
    SendMessageA(handleOf(mainWindow), WM_COMMAND, 20000, 0); // a popup: no handler
    SendMessageA(handleOf(mainWindow), WM_COMMAND, 20002, 0); // a separator
    SendMessageA(handleOf(mainWindow), WM_COMMAND, 20033, 0); // disabled
    ASSERT_EQ(recordedEvents().size(), 1u);
    EXPECT_EQ(recordedEvents()[0].handler, HandlerIndex::saveDocument);
}

TEST_F(MainWindow, MayCloseVetoKeepsTheWindowOpen)
{
    setHandler(HandlerIndex::exitDialogue, [](const EventArguments&) { return std::optional<std::int32_t>(0); });
    PostMessageA(handleOf(mainWindow), WM_CLOSE, 0, 0);
    ASSERT_TRUE(pumpUntil([] { return countEvents(HandlerIndex::exitDialogue) == 1; }));
    EXPECT_TRUE(windowLoaded(WindowId::main));
    EXPECT_TRUE(IsWindowVisible(handleOf(mainWindow)));

    setHandler(HandlerIndex::exitDialogue, [](const EventArguments&) { return std::optional<std::int32_t>(1); });
    PostMessageA(handleOf(mainWindow), WM_CLOSE, 0, 0);
    EXPECT_TRUE(pumpUntil([] { return !windowLoaded(WindowId::main); }));
}

TEST_F(MainWindow, AHandlerAnsweringNothingDoesNotVeto)
{
    PostMessageA(handleOf(mainWindow), WM_CLOSE, 0, 0);
    EXPECT_TRUE(pumpUntil([] { return !windowLoaded(WindowId::main); }));
    EXPECT_EQ(countEvents(HandlerIndex::exitDialogue), 1);
}

TEST_F(MainWindow, KeyDownAnsweringFalseSwallowsTheKey)
{
    setHandler(HandlerIndex::editBoxKeyDown, [](const EventArguments& arguments) {
        return arguments[0] == 'Q' ? std::optional<std::int32_t>(0) : std::nullopt;
    });
    postKey(handleOf(editBox), 'Q');
    postKey(handleOf(editBox), 'W');
    EXPECT_EQ(editText(), "w");
    ASSERT_EQ(countEvents(HandlerIndex::editBoxKeyDown), 2);
    EXPECT_EQ(recordedEvents()[0].arguments[0], 'Q');
    EXPECT_EQ(recordedEvents()[0].arguments.count, 2);
}

TEST_F(MainWindow, TabMovesFocusAndEnterStartsANewLine)
{
    postKey(handleOf(editBox), VK_TAB);
    pumpPending();
    EXPECT_EQ(editText().find('\t'), std::string::npos);
    SetFocus(handleOf(editBox));
    postKey(handleOf(editBox), 'A');
    postKey(handleOf(editBox), VK_RETURN);
    postKey(handleOf(editBox), 'B');
    EXPECT_EQ(editText(), "a\r\nb");
}

TEST_F(MainWindow, EscBecomesKeyDownOfTheFocusedUnit)
{
    postKey(handleOf(editBox), VK_ESCAPE);
    EXPECT_EQ(countEvents(HandlerIndex::editBoxKeyDown), 1);
    EXPECT_EQ(countEvents(HandlerIndex::mainWindowKeyDown), 0);
    EXPECT_TRUE(windowLoaded(WindowId::main)) << "Esc-closes is off";

    writeProperty(editBox, CommonProperty::disabled, std::int64_t{1});
    SetFocus(handleOf(mainWindow));
    ASSERT_EQ(GetFocus(), handleOf(mainWindow));
    recordedEvents().clear();
    postKey(handleOf(mainWindow), VK_ESCAPE);
    EXPECT_EQ(countEvents(HandlerIndex::mainWindowKeyDown), 1);
    EXPECT_EQ(countEvents(HandlerIndex::editBoxKeyDown), 0);
    ASSERT_FALSE(recordedEvents().empty());
    EXPECT_EQ(recordedEvents()[0].arguments[0], VK_ESCAPE);
}

TEST_F(MainWindow, GotFocusAndContentChangedReachTheirHandlers)
{
    SetFocus(handleOf(mainWindow)); // hands the focus on to the edit box
    EXPECT_EQ(GetFocus(), handleOf(editBox));
    EXPECT_GE(countEvents(HandlerIndex::applySettings), 1);
    recordedEvents().clear();
    writeProperty(editBox, EditBoxProperty::content, std::string("写作"));
    EXPECT_EQ(countEvents(HandlerIndex::refreshStatistics), 1) << "one content-changed after a write";
    postKey(handleOf(editBox), 'A');
    EXPECT_EQ(countEvents(HandlerIndex::refreshStatistics), 2);
}

} // namespace
} // namespace wrivo

namespace wrivo {
namespace {

TEST_F(MainWindow, CommonPropertiesAreClampedAndStored)
{
    writeProperty(editBox, CommonProperty::width, std::int64_t{-5});
    EXPECT_EQ(number(editBox, CommonProperty::width), 0);
    writeProperty(listBox, CommonProperty::left, std::int64_t{40000});
    EXPECT_EQ(number(listBox, CommonProperty::left), 32627);
    writeProperty(listBox, CommonProperty::top, std::int64_t{-40000});
    EXPECT_EQ(number(listBox, CommonProperty::top), -32627);
    writeProperty(editBox, CommonProperty::tag, std::string("标签"));
    EXPECT_EQ(propertyText(readProperty(editBox, CommonProperty::tag)), "标签");
    writeProperty(listBox, CommonProperty::visible, std::int64_t{0});
    EXPECT_FALSE(IsWindowVisible(handleOf(listBox)));
    EXPECT_EQ(number(listBox, CommonProperty::visible), 0);
}

TEST_F(MainWindow, FontPropertiesWorkByMember)
{
    const int dpi = GetDeviceCaps(ScopedGetDC(nullptr).get(), LOGPIXELSY);
    EXPECT_EQ(propertyText(readProperty(editBox, EditBoxProperty::font, 6)), "宋体");
    if (dpi == 96) {
        EXPECT_EQ(number(editBox, EditBoxProperty::font, 5), 18);
    }

    writeProperty(editBox, EditBoxProperty::font, std::int64_t{12}, 5);
    Bytes block = propertyBytes(readProperty(editBox, EditBoxProperty::font));
    ASSERT_EQ(block.size(), 60u);
    std::int32_t height = 0;
    memcpy(&height, block.data(), 4);
    EXPECT_EQ(height, -((12 * dpi * 2 + 72) / 144));
    EXPECT_EQ(block[23], 134) << "the rest of the font is kept";
    writeProperty(editBox, EditBoxProperty::font, std::int64_t{18}, 5);
    if (dpi == 96) {
        block = propertyBytes(readProperty(editBox, EditBoxProperty::font));
        memcpy(&height, block.data(), 4);
        EXPECT_EQ(height, -24);
    }

    writeProperty(editBox, EditBoxProperty::font, std::string(40, 'x'), 6);
    EXPECT_EQ(propertyText(readProperty(editBox, EditBoxProperty::font, 6)), "宋体");
    writeProperty(editBox, EditBoxProperty::font, std::string("黑体"), 6);
    EXPECT_EQ(propertyText(readProperty(editBox, EditBoxProperty::font, 6)), "黑体");
    writeProperty(editBox, EditBoxProperty::font, std::string(), 6);
    EXPECT_EQ(propertyText(readProperty(editBox, EditBoxProperty::font, 6)), "宋体");
    writeProperty(listBox, ListBoxProperty::font, std::int64_t{1}, 1);
    EXPECT_EQ(number(listBox, ListBoxProperty::font, 1), 1);
}

TEST_F(MainWindow, MenuEntryPropertiesRebuildTheMenuBar)
{
    const UnitRef save{WindowId::main, UnitId::menuEntry(3), layout::kind::menu};
    writeProperty(save, MenuProperty::caption, std::string("存盘"));
    HMENU bar = GetMenu(handleOf(mainWindow));
    EXPECT_EQ(menuText(bar, 20003), "存盘\tCtrl+S");
    writeProperty(save, MenuProperty::disabled, std::int64_t{1});
    EXPECT_TRUE(GetMenuState(GetMenu(handleOf(mainWindow)), 20003, MF_BYCOMMAND) & MF_GRAYED);
    postKey(handleOf(editBox), 'S', true);
    EXPECT_EQ(countEvents(HandlerIndex::saveDocument), 0) << "a disabled entry cannot be chosen";
    writeProperty(save, MenuProperty::visible, std::int64_t{0});
    EXPECT_EQ(GetMenuState(GetMenu(handleOf(mainWindow)), 20003, MF_BYCOMMAND), UINT(-1));
    EXPECT_EQ(number(save, MenuProperty::visible), 0);
    EXPECT_EQ(propertyText(readProperty(save, MenuProperty::caption)), "存盘");
}

TEST_F(MainWindow, CaptionAndTopmostAreWindowProperties)
{
    writeProperty(mainWindow, WindowProperty::caption, std::string("标题"));
    char caption[64] = {};
    GetWindowTextA(handleOf(mainWindow), caption, sizeof caption);
    EXPECT_STREQ(caption, "标题");
    EXPECT_EQ(propertyText(readProperty(mainWindow, WindowProperty::caption)), "标题");
    writeProperty(mainWindow, WindowProperty::topmost, std::int64_t{1});
    EXPECT_TRUE(GetWindowLongA(handleOf(mainWindow), GWL_EXSTYLE) & WS_EX_TOPMOST);
    writeProperty(mainWindow, WindowProperty::topmost, std::int64_t{0});
    EXPECT_FALSE(GetWindowLongA(handleOf(mainWindow), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindow, DestroyingTheWindowWithoutCloseNowWaitsForTheLoop)
{
    destroyUnit(mainWindow);
    EXPECT_TRUE(windowLoaded(WindowId::main));
    EXPECT_TRUE(IsWindow(handleOf(mainWindow)));
    EXPECT_TRUE(pumpUntil([] { return !windowLoaded(WindowId::main); }));
    EXPECT_EQ(countEvents(HandlerIndex::exitDialogue), 0) << "destroying does not ask may-close";
}

TEST_F(MainWindow, LoadingAClosingWindowLoadsItAnew)
{
    HWND before = handleOf(mainWindow);
    destroyUnit(mainWindow); // its close request is still queued
    ASSERT_TRUE(loadWindow(WindowId::main, std::nullopt, false));
    EXPECT_FALSE(IsWindow(before));
    HWND after = handleOf(mainWindow);
    EXPECT_NE(after, before);
    pumpPending();
    EXPECT_TRUE(windowLoaded(WindowId::main)) << "the old close request does not reach the new window";
    EXPECT_EQ(handleOf(mainWindow), after);
}

TEST_F(MainWindow, LoadingAnOpenWindowMakesNoSecondCopy)
{
    HWND before = handleOf(mainWindow);
    EXPECT_TRUE(loadWindow(WindowId::main, std::nullopt, false));
    EXPECT_EQ(handleOf(mainWindow), before);
    EXPECT_FALSE(loadWindow(0x12345678, std::nullopt, false));
    EXPECT_FALSE(loadWindow(WindowId::start, std::optional<std::uint32_t>(0x12345678), false));
}

// The selection properties count bytes of the GBK text on every platform.
TEST_F(MainWindow, EditBoxSelectionCountsBytes)
{
    writeProperty(editBox, EditBoxProperty::content, std::string("ab汉字测试cd"));
    writeProperty(editBox, EditBoxProperty::selectionStart, std::int64_t{4});
    writeProperty(editBox, EditBoxProperty::selectionLength, std::int64_t{4});
    EXPECT_EQ(propertyText(readProperty(editBox, EditBoxProperty::selectedText)), "字测");
    EXPECT_EQ(number(editBox, EditBoxProperty::selectionStart), 4);
    EXPECT_EQ(number(editBox, EditBoxProperty::selectionLength), 4);

    writeProperty(editBox, EditBoxProperty::selectionLength, std::int64_t{-1});
    EXPECT_EQ(number(editBox, EditBoxProperty::selectionStart), 0) << "-1 selects everything";
    EXPECT_EQ(number(editBox, EditBoxProperty::selectionLength), 12);

    writeProperty(editBox, EditBoxProperty::selectionStart, std::int64_t{-1});
    EXPECT_EQ(number(editBox, EditBoxProperty::selectionStart), 12) << "-1 is the end";
    EXPECT_EQ(number(editBox, EditBoxProperty::selectionLength), 0);

    writeProperty(editBox, EditBoxProperty::selectionStart, std::int64_t{2});
    writeProperty(editBox, EditBoxProperty::selectionLength, std::int64_t{2});
    recordedEvents().clear();
    writeProperty(editBox, EditBoxProperty::selectedText, std::string("中"));
    EXPECT_EQ(editText(), "ab中字测试cd");
    EXPECT_EQ(countEvents(HandlerIndex::refreshStatistics), 1);
}

// The common dialog control runs the real save dialog from its properties and
// takes the chosen path; a cancel leaves the file name alone.
TEST_F(MainWindow, CommonDialogSavesToTheChosenPath)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = temp;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    writeProperty(commonDialog, CommonDlgProperty::dialogType, std::int64_t{1});
    writeProperty(commonDialog, CommonDlgProperty::initialFolder, folder);
    writeProperty(commonDialog, CommonDlgProperty::fileName, std::string("之前.txt"));

    test::answered([&] { EXPECT_FALSE(openDialog(commonDialog)); }, {test::pressing("Cancel")});
    EXPECT_EQ(propertyText(readProperty(commonDialog, CommonDlgProperty::fileName)), "之前.txt");

    test::answered([&] { EXPECT_TRUE(openDialog(commonDialog)); }, {[](test::DialogWindow& box) {
                       box.typeFileName("wrivo-unit-dialog-新稿.txt");
                       box.press("OK");
                   }});
    EXPECT_EQ(propertyText(readProperty(commonDialog, CommonDlgProperty::fileName)),
              folder + "\\wrivo-unit-dialog-新稿.txt");
}

TEST_F(MainWindow, AppendTextRaisesOneContentChangedPerText)
{
    writeProperty(editBox, EditBoxProperty::content, std::string("开头"));
    recordedEvents().clear();
    appendText(editBox, {"甲乙", "\r\n丙"});
    EXPECT_EQ(editText(), "开头甲乙\r\n丙");
    EXPECT_EQ(countEvents(HandlerIndex::refreshStatistics), 2);
    EXPECT_EQ(number(editBox, EditBoxProperty::selectionStart), 12) << "the caret ends at the end";
}

// The picker starts black (no transparent entry); a button release sent to it
// opens the palette, and a chosen cell sets the colour with one event.
TEST_F(MainWindow, ColourPickerOpensItsPaletteOnAButtonRelease)
{
    EXPECT_EQ(number(colorPicker, ColorPickerProperty::colour), 0);
    recordedEvents().clear();
    bool popupSeen = false;
    std::thread clicker([&] {
        const DWORD start = GetTickCount();
        HWND popup = nullptr;
        while (!popup && GetTickCount() - start < 10000) {
            popup = FindWindowA(colourPopupClassName, nullptr);
            if (!popup) Sleep(10); // polling for the popup
        }
        popupSeen = popup != nullptr;
        if (popup) // the second row's first cell: the eighth colour, 浅灰
            PostMessageA(popup, WM_LBUTTONUP, 0, MAKELPARAM(2 + 9, 2 + 18 + 9));
    });
    SendMessageA(handleOf(colorPicker), WM_LBUTTONUP, 0, 0);
    clicker.join();
    ASSERT_TRUE(popupSeen);
    EXPECT_EQ(number(colorPicker, ColorPickerProperty::colour), 0xC0C0C0);
    EXPECT_EQ(countEvents(HandlerIndex::applyChosenColour), 1);
}

} // namespace
} // namespace wrivo
