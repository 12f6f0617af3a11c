// Property writes on the real main window that must keep what the unit already
// is: moving by one coordinate keeps the other, a style write with the value
// the edit box already has keeps its control (and the undo), the edit box's
// default background is the list box's, and the common dialog's font and
// help settings are stored where they are read.
#include <windows.h>
#include <gtest/gtest.h>

#include "app/layout_content.h"
#include "app/main_window.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "host/scoped_win32.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "tests/support/host_harness_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

const UnitRef mainWindow{WindowId::main, UnitId::mainWindow, layout::kind::window};
const UnitRef editBox{WindowId::main, UnitId::editBox, layout::kind::editBox};
const UnitRef listBox{WindowId::main, UnitId::listBox, layout::kind::listBox};
const UnitRef commonDialog{WindowId::main, UnitId::commonDialog, layout::kind::commonDlg};

HWND handleOf(const UnitRef& unit)
{
    return reinterpret_cast<HWND>(windowHandle(unit));
}

std::int64_t number(const UnitRef& unit, int property)
{
    return propertyNumber(readProperty(unit, property));
}

// The colour of the brush and the text background the window answers for the
// control's WM_CTLCOLOR* question.
struct AnsweredColours {
    COLORREF brush = CLR_INVALID;
    COLORREF textBackground = CLR_INVALID;
};

AnsweredColours coloursAnswered(const UnitRef& unit, UINT question)
{
    HWND control = handleOf(unit);
    const ScopedGetDC dc(control);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        handleOf(mainWindow), question, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(control)));
    AnsweredColours answered;
    answered.textBackground = GetBkColor(dc.get());
    LOGBRUSH description{};
    if (brush && GetObjectA(brush, sizeof description, &description)) answered.brush = description.lbColor;
    return answered;
}

class PropertyWrites : public ::testing::Test {
protected:
    void SetUp() override
    {
        startRecordingHost();
        resetHandlers();
        ASSERT_TRUE(loadWindow(WindowId::main, std::nullopt, false));
        writeProperty(mainWindow, CommonProperty::visible, std::int64_t{1});
        pumpPending();
    }

    void TearDown() override
    {
        if (windowLoaded(WindowId::main)) destroyUnit(mainWindow, true);
        pumpPending();
    }
};

TEST_F(PropertyWrites, MovingByOneCoordinateKeepsTheOtherWhereTheUnitIs)
{
    // The main window is centred at load, away from its stored place.
    const std::int64_t top = number(mainWindow, CommonProperty::top);
    const std::int64_t left = number(mainWindow, CommonProperty::left);
    writeProperty(mainWindow, CommonProperty::left, left + 37);
    EXPECT_EQ(number(mainWindow, CommonProperty::left), left + 37);
    EXPECT_EQ(number(mainWindow, CommonProperty::top), top) << "writing left keeps the live top";
    writeProperty(mainWindow, CommonProperty::top, top + 21);
    EXPECT_EQ(number(mainWindow, CommonProperty::top), top + 21);
    EXPECT_EQ(number(mainWindow, CommonProperty::left), left + 37) << "writing top keeps the live left";
    EXPECT_EQ(number(mainWindow, CommonProperty::width), 556);

    // A control laid out by the resize handler, not at its stored place.
    SetWindowPos(handleOf(listBox), nullptr, 5, 400, 300, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    writeProperty(listBox, CommonProperty::top, std::int64_t{410});
    EXPECT_EQ(number(listBox, CommonProperty::left), 5);
    EXPECT_EQ(number(listBox, CommonProperty::top), 410);
    writeProperty(listBox, CommonProperty::left, std::int64_t{9});
    EXPECT_EQ(number(listBox, CommonProperty::left), 9);
    EXPECT_EQ(number(listBox, CommonProperty::top), 410);
    EXPECT_EQ(number(listBox, CommonProperty::width), 300);
}

TEST_F(PropertyWrites, TheDefaultBackgroundIsTheButtonFaceForEditBoxAndListBoxAlike)
{
    const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(buttonFace, GetSysColor(COLOR_WINDOW)) << "the two system colours must differ to tell them apart";
    struct Control {
        UnitRef unit;
        int backgroundProperty;
        UINT question;
    };
    for (const Control& control : {Control{editBox, EditBoxProperty::backgroundColour, WM_CTLCOLOREDIT},
                                   Control{listBox, ListBoxProperty::backgroundColour, WM_CTLCOLORLISTBOX}}) {
        writeProperty(control.unit, control.backgroundProperty, std::int64_t{0xFF000000});
        const AnsweredColours answered = coloursAnswered(control.unit, control.question);
        EXPECT_EQ(answered.brush, buttonFace) << "unit " << control.unit.unit;
        EXPECT_EQ(answered.textBackground, buttonFace) << "unit " << control.unit.unit;
        EXPECT_EQ(number(control.unit, control.backgroundProperty), 0xFF000000) << "the setting itself is kept";
    }
    writeProperty(editBox, EditBoxProperty::backgroundColour, std::int64_t{0x00123456});
    EXPECT_EQ(coloursAnswered(editBox, WM_CTLCOLOREDIT).brush, COLORREF{0x00123456});
}

TEST_F(PropertyWrites, AStyleWriteOfTheSameValueKeepsTheControlAndItsUndo)
{
    HWND edit = handleOf(editBox);
    SetFocus(edit);
    for (char key : std::string("abc")) PostMessageA(edit, WM_CHAR, static_cast<WPARAM>(key), 1);
    pumpPending();
    ASSERT_EQ(propertyText(readProperty(editBox, EditBoxProperty::content)), "abc");
    ASSERT_TRUE(SendMessageA(edit, EM_CANUNDO, 0, 0));

    for (int property : {EditBoxProperty::multiLine, EditBoxProperty::scrollBars, EditBoxProperty::alignment,
                         EditBoxProperty::caseConversion, EditBoxProperty::hideSelection, EditBoxProperty::borderStyle})
        writeProperty(editBox, property, readProperty(editBox, property));
    EXPECT_EQ(handleOf(editBox), edit) << "no rebuild for unchanged styles";
    EXPECT_TRUE(SendMessageA(edit, EM_CANUNDO, 0, 0)) << "the typing can still be undone";

    // Read-only comes and goes by its own message, on the same control.
    writeProperty(editBox, EditBoxProperty::inputMode, std::int64_t{1});
    EXPECT_EQ(handleOf(editBox), edit);
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(SendMessageA(edit, EM_CANUNDO, 0, 0));
    writeProperty(editBox, EditBoxProperty::inputMode, std::int64_t{0});
    EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(handleOf(editBox), edit);

    // A real change still rebuilds, keeping the text.
    writeProperty(editBox, EditBoxProperty::alignment, std::int64_t{2});
    EXPECT_NE(handleOf(editBox), edit);
    EXPECT_TRUE(GetWindowLongA(handleOf(editBox), GWL_STYLE) & ES_RIGHT);
    EXPECT_EQ(propertyText(readProperty(editBox, EditBoxProperty::content)), "abc");
}

TEST_F(PropertyWrites, ASingleLineBoxTakesPasswordModeWithoutARebuild)
{
    writeProperty(editBox, EditBoxProperty::multiLine, std::int64_t{0});
    HWND edit = handleOf(editBox);
    writeProperty(editBox, EditBoxProperty::passwordCharacter, std::int64_t{'#'});
    EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), 0) << "no password character outside password mode";
    writeProperty(editBox, EditBoxProperty::inputMode, std::int64_t{2});
    EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), '#');
    writeProperty(editBox, EditBoxProperty::inputMode, std::int64_t{0});
    EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
    EXPECT_EQ(handleOf(editBox), edit);
}

TEST_F(PropertyWrites, CommonDialogSettingsAreStoredWhereTheyAreRead)
{
    namespace P = CommonDlgProperty;
    EXPECT_EQ(number(commonDialog, P::fontColour), 0) << "the font colour starts black";
    EXPECT_EQ(number(commonDialog, P::fontSize), 0);
    EXPECT_EQ(number(commonDialog, P::helpCommand), 0);
    EXPECT_EQ(number(commonDialog, P::firstFileOption), 0) << "create prompt";
    EXPECT_EQ(number(commonDialog, P::firstFileOption + 1), 1) << "file must exist";
    EXPECT_EQ(number(commonDialog, P::firstFileOption + 2), 1) << "overwrite prompt";
    EXPECT_EQ(number(commonDialog, P::firstFileOption + 3), 1) << "path must exist";
    EXPECT_EQ(number(commonDialog, P::firstFileOption + 4), 0) << "keep the current folder";

    writeProperty(commonDialog, P::helpCommand, std::int64_t{4});
    writeProperty(commonDialog, P::helpValue, std::int64_t{77});
    writeProperty(commonDialog, P::fontColour, std::int64_t{0x00FF00FF});
    writeProperty(commonDialog, P::bold, std::int64_t{1});
    writeProperty(commonDialog, P::strikeOut, std::int64_t{1});
    writeProperty(commonDialog, P::fontSize, std::int64_t{18});
    writeProperty(commonDialog, P::fontName, std::string("黑体"));
    writeProperty(commonDialog, P::helpFile, std::string("帮助.hlp"));
    EXPECT_EQ(number(commonDialog, P::helpCommand), 4);
    EXPECT_EQ(number(commonDialog, P::helpValue), 77);
    EXPECT_EQ(number(commonDialog, P::fontColour), 0x00FF00FF);
    EXPECT_EQ(number(commonDialog, P::bold), 1);
    EXPECT_EQ(number(commonDialog, P::italic), 0);
    EXPECT_EQ(number(commonDialog, P::strikeOut), 1);
    EXPECT_EQ(number(commonDialog, P::fontSize), 18);
    EXPECT_EQ(propertyText(readProperty(commonDialog, P::fontName)), "黑体");
    EXPECT_EQ(propertyText(readProperty(commonDialog, P::helpFile)), "帮助.hlp");
    EXPECT_EQ(number(commonDialog, P::firstFileOption + 1), 1) << "the file options are left alone";

    writeProperty(commonDialog, P::filterIndex, std::int64_t{-3});
    EXPECT_EQ(number(commonDialog, P::filterIndex), 0) << "below 0 is stored as 0";
    writeProperty(commonDialog, P::fontSize, std::int64_t{-12});
    EXPECT_EQ(number(commonDialog, P::fontSize), 0) << "below 0 is stored as 0";
    writeProperty(commonDialog, P::dialogType, std::int64_t{9});
    EXPECT_EQ(number(commonDialog, P::dialogType), 3);
}

} // namespace
} // namespace wrivo
