// The native menu bar and accelerator table of a window, made from the plan
// of its menu entries.
#include "host/live_window.h"
#include "host/menu_plan.h"

namespace wrivo {

using layout::MenuEntry;

MenuBar buildMenuBar(const std::vector<LiveUnit*>& entries)
{
    MenuBar bar;
    if (entries.empty()) return bar;
    std::vector<MenuEntryInput> inputs;
    inputs.reserve(entries.size());
    for (const LiveUnit* unit : entries) {
        const MenuEntry* entry = unit->record.as<MenuEntry>();
        if (entry)
            inputs.push_back({entry->caption, entry->level, static_cast<std::int32_t>(entry->flags), entry->shortcut});
        else
            inputs.push_back({"-", 1, 0, 0});
    }
    MenuPlan plan = planMenuBar(inputs);

    bar.menu.reset(CreateMenu());
    HMENU menu = bar.menu.get();
    std::vector<HMENU> popups(plan.items.size(), nullptr);
    for (std::size_t i = 0; i < plan.items.size(); ++i) {
        const MenuItemPlan& item = plan.items[i];
        HMENU container = item.parent < 0 ? menu : popups[static_cast<std::size_t>(item.parent)];
        UINT flags = MF_STRING;
        if (item.greyed) flags |= MF_GRAYED;
        if (item.checked) flags |= MF_CHECKED;
        UINT_PTR identifier = static_cast<UINT_PTR>(item.command);
        if (item.separator) {
            flags = MF_SEPARATOR;
        } else if (item.popup) {
            popups[i] = CreatePopupMenu();
            flags |= MF_POPUP;
            identifier = reinterpret_cast<UINT_PTR>(popups[i]);
        }
        AppendMenuA(container, flags, identifier, item.separator ? nullptr : item.text.c_str());
        if (item.popup) {
            // The popup keeps its command identifier too, so that every entry
            // can be found by its number.
            MENUITEMINFOA info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID;
            info.wID = static_cast<UINT>(item.command);
            SetMenuItemInfoA(container, static_cast<UINT>(GetMenuItemCount(container) - 1), TRUE, &info);
        }
    }

    if (plan.accelerators.empty()) return bar;
    std::vector<ACCEL> table;
    for (const AcceleratorPlan& accelerator : plan.accelerators) {
        ACCEL entry = {};
        entry.fVirt = static_cast<BYTE>(FVIRTKEY | FNOINVERT | accelerator.key.modifiers);
        entry.key = accelerator.key.virtualKey;
        entry.cmd = static_cast<WORD>(accelerator.command);
        table.push_back(entry);
    }
    bar.accelerators.reset(CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
    return bar;
}

} // namespace wrivo
