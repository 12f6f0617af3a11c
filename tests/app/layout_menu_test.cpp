// The main window's menu bar as the host plans it from the stored layout:
// command identifiers, displayed texts and the accelerator table.
#include "app/layout_content.h"
#include "host/menu_plan.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace wrivo {

namespace {

MenuPlan mainMenuPlan()
{
    const auto windows = layout::decodeLayoutData(layoutDataBlock());
    EXPECT_TRUE(windows);
    std::vector<MenuEntryInput> inputs;
    if (!windows) return {};
    for (const layout::MenuEntry* entry : windows.value->front().menuEntries())
        inputs.push_back({entry->caption, entry->level, static_cast<std::int32_t>(entry->flags), entry->shortcut});
    return planMenuBar(inputs);
}

const MenuItemPlan* itemWithCommand(const MenuPlan& plan, int command)
{
    for (const MenuItemPlan& item : plan.items) {
        if (item.command == command) return &item;
    }
    return nullptr;
}

std::vector<int> commandsFor(const MenuPlan& plan, ShortcutKey key)
{
    std::vector<int> commands;
    for (const AcceleratorPlan& a : plan.accelerators) {
        if (a.key == key) commands.push_back(a.command);
    }
    return commands;
}

constexpr ShortcutKey ctrl(char letter)
{
    return {static_cast<std::uint16_t>(letter), acceleratorCtrl};
}

} // namespace

TEST(LayoutMenu, EveryEntryKeepsItsCommandNumberAndText)
{
    const MenuPlan plan = mainMenuPlan();
    ASSERT_EQ(plan.items.size(), static_cast<std::size_t>(menuEntryCount)); // nothing hidden

    const MenuItemPlan* save = itemWithCommand(plan, 20003);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text, "保存文档\tCtrl+S");
    EXPECT_EQ(itemWithCommand(plan, 20013)->text, "清空字符\tDel");
    EXPECT_EQ(itemWithCommand(plan, 20008)->text, "剪切字符   Ctrl+X");
    EXPECT_EQ(itemWithCommand(plan, 20015)->text, "壹键隐藏  *必看说明* ");
    EXPECT_EQ(itemWithCommand(plan, 20031)->text, "官网更新下载 \tCtrl+I");
    EXPECT_EQ(itemWithCommand(plan, 20035)->text, partnerSiteNames[0]);
    EXPECT_EQ(itemWithCommand(plan, 20038)->text, partnerSiteNames[3]);

    // The five top-level menus are popups on the bar; the popup "版权帮助"
    // shows no shortcut although one is stored.
    for (int top : {20000, 20007, 20014, 20022, 20030, 20039}) {
        const MenuItemPlan* item = itemWithCommand(plan, top);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->popup) << top;
        EXPECT_EQ(item->parent, -1) << top;
    }
    EXPECT_EQ(itemWithCommand(plan, 20022)->text, "版权帮助");

    const MenuItemPlan* heading = itemWithCommand(plan, 20033);
    EXPECT_TRUE(heading->greyed);
    EXPECT_EQ(heading->text, "官方指定合作下载站:");
    EXPECT_EQ(std::count_if(plan.items.begin(), plan.items.end(), [](const MenuItemPlan& i) { return i.greyed; }), 1);
    EXPECT_TRUE(itemWithCommand(plan, 20002)->separator);
    EXPECT_TRUE(itemWithCommand(plan, 20034)->separator);

    // The editing menu, last, shows its keys the way the menus before it do.
    EXPECT_EQ(itemWithCommand(plan, 20040)->text, "查找文字\tCtrl+F3");
    EXPECT_EQ(itemWithCommand(plan, 20041)->text, "查找下一个\tF3");
    EXPECT_EQ(itemWithCommand(plan, 20042)->text, "查找上一个\tShift+F3");
    EXPECT_EQ(itemWithCommand(plan, 20043)->text, "替换文字\tCtrl+H");
    EXPECT_EQ(itemWithCommand(plan, 20045)->text, "转到段落\tCtrl+G");
    EXPECT_EQ(itemWithCommand(plan, 20047)->text, "撤销\tAlt+Backspace");
    EXPECT_EQ(itemWithCommand(plan, 20048)->text, "重做\tAlt+Shift+Backspace");
}

TEST(LayoutMenu, AcceleratorsChooseTheirOneEntry)
{
    const MenuPlan plan = mainMenuPlan();
    EXPECT_EQ(plan.accelerators.size(), 25u);
    EXPECT_EQ(commandsFor(plan, ctrl('R')), std::vector<int>{20020}); // 背景颜色, not the popup
    EXPECT_EQ(commandsFor(plan, ctrl('S')), std::vector<int>{20003});
    EXPECT_EQ(commandsFor(plan, ctrl('A')), std::vector<int>{20001});
    EXPECT_EQ(commandsFor(plan, ctrl('Z')), std::vector<int>{20029});
    EXPECT_EQ(commandsFor(plan, ctrl('I')), std::vector<int>{20031});
    EXPECT_EQ(commandsFor(plan, (ShortcutKey{0x2E, 0})), std::vector<int>{20013}); // Del
    // Alt and Shift reach the table too (the editing menu's undo and redo).
    EXPECT_EQ(commandsFor(plan, (ShortcutKey{0x08, acceleratorAlt | acceleratorShift})), std::vector<int>{20048});
    // The edit box keeps Ctrl+X, Ctrl+C and Ctrl+V.
    for (char letter : {'X', 'C', 'V'}) EXPECT_TRUE(commandsFor(plan, ctrl(letter)).empty()) << letter;
}

} // namespace wrivo
