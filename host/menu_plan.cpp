#include "host/menu_plan.h"

#include "host/layout_data.h"

namespace wrivo {

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
        if (entry.flags & layout::menuHidden) {
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
        item.greyed = (entry.flags & layout::menuDisabled) != 0;
        item.checked = (entry.flags & layout::menuTicked) != 0;
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
