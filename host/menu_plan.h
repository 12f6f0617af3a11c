// What a window's menu bar looks like, worked out from its menu entries before
// any menu is made: command identifiers, popups by level, separators, the
// displayed texts with their shortcut names, and the accelerator table.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/shortcuts.h"

namespace wrivo {

inline constexpr int firstMenuCommand = 20000;

// One menu entry as the layout stores it.
struct MenuEntryInput {
    std::string caption;
    std::int32_t level = 0;
    std::int32_t flags = 0; // layout::MenuFlag bits
    std::int32_t shortcut = 0;
};

struct MenuItemPlan {
    int entry = 0;      // position among the entries
    int command = 0;    // 20000 + entry
    int parent = -1;    // index of the popup item it sits in; -1 for the bar
    bool popup = false; // has items under it
    bool separator = false;
    bool greyed = false;
    bool checked = false;
    std::string text; // caption, then "\t" and the shortcut's name
};

struct AcceleratorPlan {
    ShortcutKey key;
    int command = 0;
    friend bool operator==(const AcceleratorPlan&, const AcceleratorPlan&) = default;
};

struct MenuPlan {
    std::vector<MenuItemPlan> items; // in entry order, hidden ones left out
    std::vector<AcceleratorPlan> accelerators;
};

MenuPlan planMenuBar(const std::vector<MenuEntryInput>& entries);

} // namespace wrivo
