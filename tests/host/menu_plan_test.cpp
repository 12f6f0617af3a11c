#include "host/menu_plan.h"

#include <gtest/gtest.h>

namespace wrivo {
namespace {

TEST(Shortcuts, DisplayNamesFollowTheIndexTable)
{
    EXPECT_EQ(shortcutDisplayName(0), "（无）");
    EXPECT_EQ(shortcutDisplayName(1), "Ctrl+A");
    EXPECT_EQ(shortcutDisplayName(19), "Ctrl+S");
    EXPECT_EQ(shortcutDisplayName(26), "Ctrl+Z");
    EXPECT_EQ(shortcutDisplayName(27), "F1");
    EXPECT_EQ(shortcutDisplayName(38), "F12");
    EXPECT_EQ(shortcutDisplayName(39), "Ctrl+F1");
    EXPECT_EQ(shortcutDisplayName(51), "Shift+F1");
    EXPECT_EQ(shortcutDisplayName(74), "Ctrl+Shift+F12");
    EXPECT_EQ(shortcutDisplayName(75), "Ins");
    EXPECT_EQ(shortcutDisplayName(76), "Del");
    EXPECT_EQ(shortcutDisplayName(77), "Alt+Backspace");
    EXPECT_EQ(shortcutDisplayName(78), "Alt+Shift+Backspace");
    EXPECT_EQ(shortcutDisplayName(79), "（无）");
}

TEST(Shortcuts, KeysCarryCtrlAndShiftBits)
{
    EXPECT_EQ(shortcutKey(18), (ShortcutKey{'R', acceleratorCtrl}));
    EXPECT_EQ(shortcutKey(27), (ShortcutKey{0x70, 0}));
    EXPECT_EQ(shortcutKey(50), (ShortcutKey{0x7B, acceleratorCtrl}));
    EXPECT_EQ(shortcutKey(51), (ShortcutKey{0x70, acceleratorShift}));
    EXPECT_EQ(shortcutKey(63), (ShortcutKey{0x70, acceleratorCtrl | acceleratorShift}));
    EXPECT_EQ(shortcutKey(75), (ShortcutKey{0x2D, 0}));
    EXPECT_EQ(shortcutKey(76), (ShortcutKey{0x2E, 0}));
    EXPECT_EQ(shortcutKey(77), (ShortcutKey{0x08, acceleratorAlt}));
    EXPECT_EQ(shortcutKey(78), (ShortcutKey{0x08, acceleratorAlt | acceleratorShift}));
    EXPECT_EQ(shortcutKey(79), (ShortcutKey{}));
    EXPECT_EQ(shortcutKey(0), (ShortcutKey{}));
}

std::vector<MenuEntryInput> sampleMenu()
{
    return {
        {"文件操作", 0, menuEntryTicked, 0},
        {"保存文档", 1, 0, 19},
        {"-", 1, 0, 0},
        {"剪切字符   Ctrl+X", 1, 0, 0},
        {"版权帮助", 0, menuEntryTicked, 18},
        {"背景颜色", 1, 0, 18},
        {"更多", 1, 0, 0},
        {"深处", 2, menuEntryDisabled, 76},
        {"回到一级", 1, 0, 0},
        {"隐藏菜单", 0, menuEntryHidden, 0},
        {"隐藏项", 1, 0, 17},
        {"程序更新", 0, 0, 0},
        {"藏起来的", 1, menuEntryHidden, 0},
        {"说明", 1, menuEntryDisabled, 0},
    };
}

TEST(MenuPlan, EveryEntryCountsForTheCommandIdentifiers)
{
    MenuPlan plan = planMenuBar(sampleMenu());
    ASSERT_EQ(plan.items.size(), 11u); // two hidden entries and a hidden popup's item left out
    EXPECT_EQ(plan.items[1].command, 20001);
    EXPECT_EQ(plan.items[9].entry, 11);
    EXPECT_EQ(plan.items[9].command, 20011);
    EXPECT_EQ(plan.items[10].command, 20013);
}

TEST(MenuPlan, TextsShowTheShortcutAfterATab)
{
    MenuPlan plan = planMenuBar(sampleMenu());
    EXPECT_EQ(plan.items[1].text, "保存文档\tCtrl+S");
    EXPECT_TRUE(plan.items[2].separator);
    EXPECT_EQ(plan.items[3].text, "剪切字符   Ctrl+X");
    EXPECT_EQ(plan.items[4].text, "版权帮助"); // a popup shows no shortcut
    EXPECT_EQ(plan.items[7].text, "深处\tDel");
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
}

TEST(MenuPlan, PopupsTakeOnlyTheDisabledFlag)
{
    MenuPlan plan = planMenuBar(sampleMenu());
    EXPECT_FALSE(plan.items[0].checked);
    EXPECT_TRUE(plan.items[7].greyed);
    EXPECT_TRUE(plan.items[10].greyed);
}

TEST(MenuPlan, OnlyCommandEntriesGetAccelerators)
{
    MenuPlan plan = planMenuBar(sampleMenu());
    std::vector<AcceleratorPlan> expected = {
        {{'S', acceleratorCtrl}, 20001},
        {{'R', acceleratorCtrl}, 20005},
        {{0x2E, 0}, 20007},
    };
    EXPECT_EQ(plan.accelerators, expected);
}

} // namespace
} // namespace wrivo
