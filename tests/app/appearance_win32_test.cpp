// The appearance handlers on the real main window: the settings file beside
// the program, applied on focus gain, the colour-conflict rule with its real
// warning box, and restore.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>

#include "app/app_globals.h"
#include "app/appearance.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/settings_file.h"
#include "app/start_window.h"
#include "host/font_property.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "services/store/files.h"
#include "services/store/settings.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;
using namespace wrivo::appearance;
using namespace wrivo::settingsFile;

const UnitRef colorPicker{WindowId::main, UnitId::colorPicker, layout::kind::colorPicker};

std::int64_t number(const UnitRef& unit, int property, int subIndex = -1)
{
    return propertyNumber(readProperty(unit, property, subIndex));
}

std::string stored(const char* key)
{
    return readSettingsEntry(settingsPath(), section, key);
}

bool settingsFileExists()
{
    return GetFileAttributesA(settingsPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The section's entries as the file holds them, "key=value" each.
std::vector<std::string> sectionEntries()
{
    std::vector<char> buffer(4096);
    const DWORD length =
        GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()), settingsPath().c_str());
    std::vector<std::string> entries;
    for (const char* p = buffer.data(); p < buffer.data() + length && *p; p += std::strlen(p) + 1)
        entries.emplace_back(p);
    return entries;
}

class Appearance : public MainWindowScenario {
protected:
    Appearance()
        : MainWindowScenario({HandlerIndex::applySettings, HandlerIndex::applyChosenColour,
                              HandlerIndex::restoreDefaults, HandlerIndex::chooseFont})
    {
    }

    void SetUp() override
    {
        DeleteFileA(settingsPath().c_str());
        MainWindowScenario::SetUp();
    }
    void TearDown() override
    {
        MainWindowScenario::TearDown();
        DeleteFileA(settingsPath().c_str());
    }

    // The edit box gains the focus, as after a dialog closes.
    void focusEditBox()
    {
        SetFocus(handleOf(listBoxRef));
        pumpPending();
        SetFocus(handleOf(editBoxRef));
        pumpPending();
    }

    // The picker reports a chosen colour meant for the background (or the text).
    void chooseColour(std::int64_t colour, bool forText)
    {
        appGlobals()->colourTarget = forText;
        writeProperty(colorPicker, ColorPickerProperty::colour, colour);
        raiseEvent(WindowId::main, UnitId::colorPicker, UnitEvent::primary);
        pumpPending();
    }

    void setFontSizeTo(std::int64_t points)
    {
        writeProperty(editBoxRef, EditBoxProperty::font, points, FontMember::size);
    }

    void expectBackground(std::int64_t colour)
    {
        EXPECT_EQ(number(editBoxRef, EditBoxProperty::backgroundColour), colour);
        EXPECT_EQ(number(listBoxRef, ListBoxProperty::backgroundColour), colour);
        EXPECT_EQ(stored(backgroundColourKey), std::to_string(colour));
    }
};

TEST_F(Appearance, WithoutASettingsFileTheDefaultsApplyAndNoFileIsMade)
{
    writeProperty(editBoxRef, EditBoxProperty::textColour, std::int64_t{0x123456});
    focusEditBox();
    EXPECT_EQ(number(editBoxRef, EditBoxProperty::textColour), defaultTextColour);
    EXPECT_EQ(number(editBoxRef, EditBoxProperty::backgroundColour), defaultBackgroundColour);
    EXPECT_EQ(number(listBoxRef, ListBoxProperty::backgroundColour), defaultBackgroundColour);
    EXPECT_EQ(propertyText(readProperty(editBoxRef, EditBoxProperty::font, FontMember::faceName)), "宋体");
    EXPECT_EQ(number(editBoxRef, EditBoxProperty::font, FontMember::size), 18);
    EXPECT_FALSE(settingsFileExists());
}

TEST_F(Appearance, AValueEditedInTheFileTakesEffectAtTheNextFocusGain)
{
    focusEditBox();
    ASSERT_TRUE(writeSettingsEntry(settingsPath(), section, textColourKey, "255"));
    ASSERT_TRUE(writeSettingsEntry(settingsPath(), section, fontSizeKey, "abc"));
    EXPECT_EQ(number(editBoxRef, EditBoxProperty::textColour), defaultTextColour);
    focusEditBox();
    EXPECT_EQ(number(editBoxRef, EditBoxProperty::textColour), 255) << "the text turns red";
}

TEST_F(Appearance, ABackgroundThatHidesTheTextIsRefusedWithAWarning)
{
    focusEditBox();
    struct Case {
        std::int64_t textColour;
        std::int64_t chosen;
    };
    // Equal to the text colour; equal to the strip's text colour; equal to the
    // replacement itself while the text has that colour too.
    for (const Case c : {Case{0x00AA00, 0x00AA00}, Case{defaultTextColour, listTextColour},
                         Case{conflictBackgroundColour, conflictBackgroundColour}}) {
        writeProperty(editBoxRef, EditBoxProperty::textColour, c.textColour);
        const std::vector<DialogRecord> seen = answered([&] { chooseColour(c.chosen, false); }, {pressing("OK")});
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen.at(0).title, "!!!警告!!!");
        EXPECT_NE(seen.at(0).message().find("刚才您设置的[背景颜色]与 正文 或 下方 的字体颜色重复."),
                  std::string::npos);
        expectBackground(conflictBackgroundColour);
    }
}

// The warning is task-modal: the main window is disabled while it shows and
// enabled again as it closes. On a desktop the main window is then activated
// and hands the focus to the text; Wine on a bare X server activates nothing,
// so the hook does what that activation does, at the same moment.
struct FocusOnReturn {
    static inline HWND main = nullptr;
    static inline HWND edit = nullptr;
    static inline std::atomic<bool> armed{false};
    static inline HWND focused = nullptr;

    static LRESULT CALLBACK afterMessage(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && armed && sent->hwnd == main && sent->message == WM_ENABLE && sent->wParam) {
            armed = false;
            SetFocus(edit);
            focused = GetFocus();
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

TEST_F(Appearance, TheReplacementBackgroundOutlastsTheFocusReturningAsTheWarningCloses)
{
    focusEditBox();
    chooseColour(0x00336699, false); // stored without a warning
    writeProperty(editBoxRef, EditBoxProperty::textColour, std::int64_t{0x00AA00});
    FocusOnReturn::edit = handleOf(editBoxRef);
    FocusOnReturn::main = GetAncestor(FocusOnReturn::edit, GA_ROOT);
    FocusOnReturn::focused = nullptr;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, FocusOnReturn::afterMessage, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    DialogDriver driver;
    driver.answer([&](DialogWindow& box) {
        FocusOnReturn::armed = true; // the main window is disabled by now
        box.press("OK");
    });
    chooseColour(0x00AA00, false);
    UnhookWindowsHookEx(hook);
    FocusOnReturn::armed = false;
    ASSERT_TRUE(driver.finish()) << driver.report();
    ASSERT_EQ(FocusOnReturn::focused, FocusOnReturn::edit)
        << "the text did not get the focus back as the warning closed";
    expectBackground(conflictBackgroundColour);
}

TEST_F(Appearance, AFontSizeNoOneCouldReadIsTakenAsTheFactorySizeAndTheFileKept)
{
    focusEditBox();
    for (const char* absurd : {"100000", "0", "-12", "501"}) {
        ASSERT_TRUE(writeSettingsEntry(settingsPath(), section, fontSizeKey, absurd));
        setFontSizeTo(30);
        focusEditBox();
        EXPECT_EQ(number(editBoxRef, EditBoxProperty::font, FontMember::size), defaultFontSize) << absurd;
        EXPECT_EQ(stored(fontSizeKey), absurd) << "the hand-edited file stays as it is";
    }
    for (const char* readable : {"1", "500", "42"}) {
        ASSERT_TRUE(writeSettingsEntry(settingsPath(), section, fontSizeKey, readable));
        focusEditBox();
        EXPECT_EQ(std::to_string(number(editBoxRef, EditBoxProperty::font, FontMember::size)), readable);
    }
}

TEST_F(Appearance, ChosenColoursAreAppliedAndStoredWithoutAWarning)
{
    focusEditBox();
    chooseColour(0x00336699, false);
    expectBackground(0x00336699);

    // A text colour equal to the background is the user's choice.
    chooseColour(0x00336699, true);
    EXPECT_EQ(number(editBoxRef, EditBoxProperty::textColour), 0x00336699);
    EXPECT_EQ(stored(textColourKey), std::to_string(0x00336699));
}

TEST_F(Appearance, TheFontDialogsFaceAndSizeGoToTheEditBoxAndTheFile)
{
    focusEditBox();
    const auto ctrlT = [&] { // 字体大小
        postKey(handleOf(editBoxRef), 'T', true);
        pumpPending();
    };
    answered(ctrlT, {[](DialogWindow& box) {
                 box.chooseFontSize(24);
                 box.press("OK");
             }});
    EXPECT_EQ(number(editBoxRef, EditBoxProperty::font, FontMember::size), 24);
    EXPECT_EQ(stored(fontSizeKey), "24");
    EXPECT_EQ(stored(fontFaceKey), propertyText(readProperty(editBoxRef, EditBoxProperty::font, FontMember::faceName)));

    answered(ctrlT, {pressing("Cancel")});
    EXPECT_EQ(number(editBoxRef, EditBoxProperty::font, FontMember::size), 24) << "a cancelled dialog changes nothing";
}

TEST_F(Appearance, RestoreLeavesExactlyTheFactoryValuesAndTheMonthKey)
{
    ASSERT_TRUE(writeSettingsEntry(settingsPath(), section, monthKey, "12"));
    ASSERT_TRUE(writeSettingsEntry(settingsPath(), section, textColourKey, "255"));
    focusEditBox();
    writeProperty(listBoxRef, ListBoxProperty::textColour, std::int64_t{0});

    postKey(handleOf(editBoxRef), 'P', true); // Ctrl+P: 配置还原
    pumpPending();

    EXPECT_EQ(sectionEntries(), (std::vector<std::string>{"wikyxqq=12", "文本颜色=16776960", "字体名称=宋体",
                                                          "字体大小=18", "背景颜色=14692440"}));
    EXPECT_EQ(number(listBoxRef, ListBoxProperty::textColour), listTextColour);
    expectBackground(defaultBackgroundColour);
}

} // namespace
} // namespace wrivo
