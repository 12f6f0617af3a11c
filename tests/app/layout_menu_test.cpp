// The main window's menu bar as the host plans it from the stored layout:
// command identifiers, displayed texts and the accelerator table.
#include "app/layout_content.h"
#include "host/menu_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string_view>

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

// The menu bar entry by entry, but for its separators: command, caption, level, key, flags, handler.
struct ExpectedEntry {
    int command;
    std::string_view caption;
    std::int32_t level;
    std::string_view shortcut;
    std::uint32_t flags;
    std::int32_t handler;
};
constexpr std::int32_t none = layout::noHandler;
using namespace HandlerIndex;
constexpr ExpectedEntry expectedMenu[] = {
    {20000, "文件操作", 0, "（无）", layout::menuTicked, none},
    {20001, "新建文档", 1, "Ctrl+A", 0, newDocument},
    {20003, "保存文档", 1, "Ctrl+S", 0, saveDocument},
    {20005, "打开文档", 1, "Ctrl+D", 0, openDocument},
    {20006, "添加文档", 1, "Ctrl+F", 0, appendDocument},
    {20007, "编辑菜单", 0, "（无）", layout::menuTicked, none},
    {20008, "剪切字符   Ctrl+X", 1, "（无）", 0, cutCharacters},
    {20010, "复制字符   Ctrl+C", 1, "（无）", 0, copyCharacters},
    {20011, "粘贴字符   Ctrl+V", 1, "（无）", 0, pasteCharacters},
    {20013, "清空字符", 1, "Del", 0, clearText},
    {20014, "功能设置", 0, "（无）", layout::menuTicked, none},
    {20015, "壹键隐藏  *必看说明* ", 1, "（无）", 0, hideNotice},
    {20016, "字数总计", 1, "Ctrl+Q", 0, countReport},
    {20017, "日期时间", 1, "Ctrl+W", 0, insertDateTime},
    {20019, "字体颜色", 1, "Ctrl+E", 0, chooseTextColour},
    {20020, "背景颜色", 1, "Ctrl+R", 0, chooseBackgroundColour},
    {20021, "字体大小", 1, "Ctrl+T", 0, chooseFont},
    {20022, "版权帮助", 0, "Ctrl+R", layout::menuTicked, none},
    {20023, "配置还原", 1, "Ctrl+P", 0, restoreDefaults},
    {20024, "关于帮助", 1, "Ctrl+O", 0, helpNotice},
    {20026, "广告合作", 1, "Ctrl+Y", 0, advertisingNotice},
    {20027, "建议反馈", 1, "Ctrl+U", 0, feedbackNotice},
    {20029, "作者版权", 1, "Ctrl+Z", 0, authorNotice},
    {20030, "程序更新", 0, "（无）", 0, none},
    {20031, "官网更新下载 ", 1, "Ctrl+I", 0, openUpdatePage},
    {20033, "官方指定合作下载站:", 1, "（无）", layout::menuDisabled, none},
    {20035, "墨香软件园", 1, "（无）", 0, openPartnerSite1},
    {20036, "青禾下载站", 1, "（无）", 0, openPartnerSite2},
    {20037, "云岫下载中心", 1, "（无）", 0, openPartnerSite3},
    {20038, "星渡软件站", 1, "（无）", 0, openPartnerSite4},
    // Ours, after every menu the program always had.
    {20039, "查找替换", 0, "（无）", 0, none},
    {20040, "查找文字", 1, "Ctrl+F3", 0, findText},
    {20041, "查找下一个", 1, "F3", 0, findNext},
    {20042, "查找上一个", 1, "Shift+F3", 0, findPrevious},
    {20043, "替换文字", 1, "Ctrl+H", 0, replaceText},
    {20045, "转到段落", 1, "Ctrl+G", 0, goToParagraph},
    {20047, "撤销", 1, "Alt+Backspace", 0, undoEdit},
    {20048, "重做", 1, "Alt+Shift+Backspace", 0, redoEdit},
    {20049, "写作", 0, "（无）", 0, none},
    {20050, "章节目录", 1, "Ctrl+J", 0, chapterList},
    {20051, "上一章", 1, "Alt+Up", 0, previousChapter},
    {20052, "下一章", 1, "Alt+Down", 0, nextChapter},
    {20054, "字数详情", 1, "Ctrl+K", 0, countDetails},
    {20055, "章节目标…", 1, "（无）", 0, chapterTarget},
    {20057, "一键排版", 1, "Ctrl+L", 0, tidyManuscript},
    {20058, "转为繁体", 1, "F7", 0, toTraditional},
    {20059, "转为简体", 1, "Shift+F7", 0, toSimplified},
    {20061, "今日目标", 1, "Ctrl+B", 0, dailyGoal},
    {20062, "闭关写作", 1, "F11", 0, writingLock},
    {20064, "发布前检查", 1, "F9", 0, publishCheck},
    {20065, "复制本章（发布用）", 1, "Shift+F9", 0, copyChapter},
    {20066, "按章导出…", 1, "Ctrl+F9", 0, exportChapters},
    {20068, "历史版本", 1, "F8", 0, showHistory},
    {20069, "备份位置…", 1, "（无）", 0, backupFolder},
};
// Each separator is "-" on a menu's list, with no key, flags or handler.
constexpr int separators[] = {20002, 20004, 20009, 20012, 20018, 20025, 20028, 20032,
                              20034, 20044, 20046, 20053, 20056, 20060, 20063, 20067};

} // namespace

TEST(LayoutMenu, TheStoredMenuIsTheExpectedOneEntryByEntry)
{
    const auto windows = layout::decodeLayoutData(layoutDataBlock());
    ASSERT_TRUE(windows);
    const std::vector<const layout::MenuEntry*> entries = windows.value->front().menuEntries();
    ASSERT_EQ(entries.size(), std::size(expectedMenu) + std::size(separators));
    EXPECT_EQ(menuEntryCount, static_cast<int>(entries.size()));
    const ExpectedEntry* next = expectedMenu;
    for (std::size_t n = 0; n < entries.size(); ++n) {
        const int command = firstMenuCommand + static_cast<int>(n);
        const bool separator = std::find(std::begin(separators), std::end(separators), command) != std::end(separators);
        const ExpectedEntry expected = separator ? ExpectedEntry{command, "-", 1, "（无）", 0, none} : *next++;
        EXPECT_EQ(command, expected.command);
        EXPECT_EQ(entries[n]->caption, expected.caption) << command;
        EXPECT_EQ(entries[n]->level, expected.level) << command;
        EXPECT_EQ(shortcutDisplayName(entries[n]->shortcut), expected.shortcut) << command;
        EXPECT_EQ(entries[n]->flags, expected.flags) << command;
        EXPECT_EQ(entries[n]->handler, expected.handler) << command;
    }

    // Nothing is hidden; a popup shows no key although one is stored.
    const MenuPlan plan = mainMenuPlan();
    ASSERT_EQ(plan.items.size(), static_cast<std::size_t>(menuEntryCount));
    EXPECT_EQ(itemWithCommand(plan, 20022)->text, "版权帮助");
}

TEST(LayoutMenu, AcceleratorsChooseTheirOneEntry)
{
    const MenuPlan plan = mainMenuPlan();
    EXPECT_EQ(plan.accelerators.size(), 36u);
    EXPECT_EQ(commandsFor(plan, ctrl('R')), std::vector<int>{20020}); // 背景颜色, not the popup
    EXPECT_EQ(commandsFor(plan, ctrl('S')), std::vector<int>{20003});
    EXPECT_EQ(commandsFor(plan, ctrl('A')), std::vector<int>{20001});
    EXPECT_EQ(commandsFor(plan, ctrl('Z')), std::vector<int>{20029});
    EXPECT_EQ(commandsFor(plan, ctrl('I')), std::vector<int>{20031});
    EXPECT_EQ(commandsFor(plan, (ShortcutKey{0x2E, 0})), std::vector<int>{20013}); // Del
    // Alt and Shift reach the table too (the editing menu's undo and redo).
    EXPECT_EQ(commandsFor(plan, (ShortcutKey{0x08, acceleratorAlt | acceleratorShift})), std::vector<int>{20048});
    EXPECT_EQ(commandsFor(plan, (ShortcutKey{0x28, acceleratorAlt})), std::vector<int>{20052}); // Alt+Down
    // The edit box keeps Ctrl+X, Ctrl+C and Ctrl+V.
    for (char letter : {'X', 'C', 'V'}) EXPECT_TRUE(commandsFor(plan, ctrl(letter)).empty()) << letter;
}

} // namespace wrivo
