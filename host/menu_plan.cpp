#include "host/menu_plan.h"

namespace wrivo {
namespace {

constexpr std::uint16_t virtualKeyF1 = 0x70;
constexpr std::uint16_t virtualKeyInsert = 0x2D;
constexpr std::uint16_t virtualKeyDelete = 0x2E;
constexpr std::uint16_t virtualKeyBackspace = 0x08;

} // namespace

std::string shortcutDisplayName(int index)
{
    if (index >= 1 && index <= 26) return std::string("Ctrl+") + static_cast<char>('A' + index - 1);
    struct FunctionKeyGroup {
        int first;
        const char* prefix;
    };
    static constexpr FunctionKeyGroup groups[] = {{27, ""}, {39, "Ctrl+"}, {51, "Shift+"}, {63, "Ctrl+Shift+"}};
    for (const auto& group : groups) {
        if (index >= group.first && index < group.first + 12)
            return std::string(group.prefix) + "F" + std::to_string(index - group.first + 1);
    }
    if (index == 75) return "Ins";
    if (index == 76) return "Del";
    if (index == 77) return "Alt+Backspace";
    if (index == 78) return "Alt+Shift+Backspace";
    return "（无）";
}

ShortcutKey shortcutKey(int index)
{
    if (index >= 1 && index <= 26) return {static_cast<std::uint16_t>('A' + index - 1), acceleratorCtrl};
    static constexpr std::uint8_t groupModifiers[] = {0, acceleratorCtrl, acceleratorShift,
                                                      acceleratorCtrl | acceleratorShift};
    if (index >= 27 && index <= 74) {
        int group = (index - 27) / 12;
        auto key = static_cast<std::uint16_t>(virtualKeyF1 + (index - 27) % 12);
        return {key, groupModifiers[group]};
    }
    if (index == 75) return {virtualKeyInsert, 0};
    if (index == 76) return {virtualKeyDelete, 0};
    if (index == 77) return {virtualKeyBackspace, acceleratorAlt};
    if (index == 78) return {virtualKeyBackspace, acceleratorAlt | acceleratorShift};
    return {};
}

MenuPlan planMenuBar(const std::vector<MenuEntryInput>& entries)
{
    MenuPlan plan;
    // For each level, the plan index of the popup currently open at that level.
    std::vector<int> openPopups;
    // Entries deeper than a hidden popup's level are left out with it.
    int hiddenBelowLevel = -1;
    int previousLevel = -1;
    int previousItem = -1;

    for (std::size_t n = 0; n < entries.size(); ++n) {
        const MenuEntryInput& entry = entries[n];
        int level = entry.level < 0 ? 0 : entry.level;
        int command = firstMenuCommand + static_cast<int>(n);

        if (hiddenBelowLevel >= 0 && level > hiddenBelowLevel) continue;
        hiddenBelowLevel = -1;
        if (entry.flags & menuEntryHidden) {
            hiddenBelowLevel = level;
            continue;
        }

        // An entry one level deeper than its predecessor turns the predecessor
        // into a popup that holds it.
        if (level > previousLevel && previousItem >= 0 && previousLevel >= 0) {
            plan.items[previousItem].popup = true;
            openPopups.resize(previousLevel + 1);
            openPopups[previousLevel] = previousItem;
        }
        if (level > static_cast<int>(openPopups.size())) level = static_cast<int>(openPopups.size());
        openPopups.resize(level);

        MenuItemPlan item;
        item.entry = static_cast<int>(n);
        item.command = command;
        item.parent = level == 0 ? -1 : openPopups[level - 1];
        item.separator = entry.caption == "-";
        item.greyed = (entry.flags & menuEntryDisabled) != 0;
        item.checked = (entry.flags & menuEntryTicked) != 0;
        if (!item.separator) item.text = entry.caption;
        plan.items.push_back(item);
        previousItem = static_cast<int>(plan.items.size()) - 1;
        previousLevel = level;
    }

    // Popups open a menu and send no command, so a shortcut stored on one is
    // neither shown nor made an accelerator; only the disabled flag applies.
    for (MenuItemPlan& item : plan.items) {
        const MenuEntryInput& entry = entries[item.entry];
        if (item.popup) {
            item.checked = false;
            continue;
        }
        if (item.separator || entry.shortcut < 1 || entry.shortcut >= shortcutCount) continue;
        item.text += "\t" + shortcutDisplayName(entry.shortcut);
        plan.accelerators.push_back({shortcutKey(entry.shortcut), item.command});
    }
    return plan;
}

} // namespace wrivo
