#include "host/layout_data.h"
#include "host/menu_plan.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace wrivo {
namespace {

// Each index has its own name and its own key, and the name leads back to
// the index; the known names and keys are spot-checked in every group.
TEST(Shortcuts, EveryIndexHasOneNameAndOneKey)
{
    EXPECT_EQ(shortcutCount, 81);
    std::set<std::string> names;
    std::set<std::pair<int, int>> keys;
    for (int index = 1; index < shortcutCount; ++index) {
        const std::string name = shortcutDisplayName(index);
        const ShortcutKey key = shortcutKey(index);
        EXPECT_TRUE(names.insert(name).second) << name;
        EXPECT_TRUE(keys.insert({key.virtualKey, key.modifiers}).second) << name;
        EXPECT_NE(key.virtualKey, 0) << name;
        EXPECT_EQ(shortcuts::findShortcut(name), index) << name;
    }
    EXPECT_EQ(shortcutDisplayName(0), "（无）");
    EXPECT_EQ(shortcutKey(shortcutCount), ShortcutKey{});
    EXPECT_EQ(shortcuts::findShortcut(""), 0);
    for (const char* unknown : {"Ctrl+", "F13", "Ctrl+a", "Alt+Left"}) EXPECT_EQ(shortcuts::findShortcut(unknown), -1);

    const std::pair<int, ShortcutKey> known[] = {
        {18, {'R', acceleratorCtrl}},
        {27, {0x70, 0}},
        {50, {0x7B, acceleratorCtrl}},
        {51, {0x70, acceleratorShift}},
        {74, {0x7B, acceleratorCtrl | acceleratorShift}},
        {75, {0x2D, 0}},
        {76, {0x2E, 0}},
        {77, {0x08, acceleratorAlt}},
        {78, {0x08, acceleratorAlt | acceleratorShift}},
        {79, {0x26, acceleratorAlt}},
        {80, {0x28, acceleratorAlt}},
    };
    for (const auto& [index, key] : known) EXPECT_EQ(shortcutKey(index), key) << index;
    EXPECT_EQ(shortcutDisplayName(74), "Ctrl+Shift+F12");
    EXPECT_EQ(shortcutDisplayName(75), "Ins");
    EXPECT_EQ(shortcutDisplayName(79), "Alt+Up");
    EXPECT_EQ(shortcutIndex("Shift+F3"), 53);
    EXPECT_EQ(shortcutIndex("Alt+Down"), 80);
}

std::vector<MenuEntryInput> sampleMenu()
{
    return {
        {"文件操作", 0, layout::menuTicked, 0},
        {"保存文档", 1, 0, 19},
        {"-", 1, 0, 0},
        {"剪切字符   Ctrl+X", 1, 0, 0},
        {"版权帮助", 0, layout::menuTicked, 18},
        {"背景颜色", 1, 0, 18},
        {"更多", 1, 0, 0},
        {"深处", 2, layout::menuDisabled, 76},
        {"回到一级", 1, 0, 80},
        {"隐藏菜单", 0, layout::menuHidden, 0},
        {"隐藏项", 1, 0, 17},
        {"程序更新", 0, 0, 0},
        {"上移", 1, 0, 79},
        {"藏起来的", 1, layout::menuHidden, 0},
        {"说明", 1, layout::menuDisabled, 81}, // past the table: no key
    };
}

TEST(MenuPlan, EveryEntryCountsForTheCommandIdentifiers)
{
    MenuPlan plan = planMenuBar(sampleMenu());
    ASSERT_EQ(plan.items.size(), 12u); // two hidden entries and a hidden popup's item left out
    EXPECT_EQ(plan.items[1].command, 20001);
    EXPECT_EQ(plan.items[9].entry, 11);
    EXPECT_EQ(plan.items[9].command, 20011);
    EXPECT_EQ(plan.items[11].command, 20014);
}

TEST(MenuPlan, TextsShowTheShortcutAfterATab)
{
    MenuPlan plan = planMenuBar(sampleMenu());
    EXPECT_EQ(plan.items[1].text, "保存文档\tCtrl+S");
    EXPECT_TRUE(plan.items[2].separator);
    EXPECT_EQ(plan.items[3].text, "剪切字符   Ctrl+X");
    EXPECT_EQ(plan.items[4].text, "版权帮助"); // a popup shows no shortcut
    EXPECT_EQ(plan.items[7].text, "深处\tDel");
    EXPECT_EQ(plan.items[8].text, "回到一级\tAlt+Down");
    EXPECT_EQ(plan.items[10].text, "上移\tAlt+Up");
    EXPECT_EQ(plan.items[11].text, "说明");
}

TEST(MenuPlan, LevelsOpenPopups)
{
    MenuPlan plan = planMenuBar(sampleMenu());
    EXPECT_TRUE(plan.items[0].popup);
    EXPECT_EQ(plan.items[0].parent, -1);
    EXPECT_EQ(plan.items[1].parent, 0);
    EXPECT_EQ(plan.items[5].parent, 4);
    EXPECT_TRUE(plan.items[6].popup);
    EXPECT_EQ(plan.items[7].parent, 6);
    EXPECT_EQ(plan.items[8].parent, 4);
    EXPECT_EQ(plan.items[9].parent, -1);
    EXPECT_EQ(plan.items[10].parent, 9);
    EXPECT_EQ(plan.items[11].parent, 9);
}

TEST(MenuPlan, PopupsTakeOnlyTheDisabledFlag)
{
    MenuPlan plan = planMenuBar(sampleMenu());
    EXPECT_FALSE(plan.items[0].checked);
    EXPECT_TRUE(plan.items[7].greyed);
    EXPECT_TRUE(plan.items[11].greyed);
}

TEST(MenuPlan, OnlyCommandEntriesGetAccelerators)
{
    MenuPlan plan = planMenuBar(sampleMenu());
    std::vector<AcceleratorPlan> expected = {
        {{'S', acceleratorCtrl}, 20001}, {{'R', acceleratorCtrl}, 20005}, {{0x2E, 0}, 20007},
        {{0x28, acceleratorAlt}, 20008}, {{0x26, acceleratorAlt}, 20012},
    };
    EXPECT_EQ(plan.accelerators, expected);
}

} // namespace
} // namespace wrivo
