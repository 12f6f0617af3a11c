// What a window's menu bar looks like, worked out from its menu entries before
// any menu is made: command identifiers, popups by level, separators, the
// displayed texts with their shortcut names, and the accelerator table.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wrivo {

inline constexpr int firstMenuCommand = 20000;
inline constexpr int shortcutCount = 79; // indexes 0 to 78

// Menu entry flags.
inline constexpr std::int32_t menuEntryHidden = 1;
inline constexpr std::int32_t menuEntryDisabled = 2;
inline constexpr std::int32_t menuEntryTicked = 4;

// A shortcut's key: a virtual key with the Ctrl, Shift and Alt modifier bits.
inline constexpr std::uint8_t acceleratorShift = 0x04;
inline constexpr std::uint8_t acceleratorCtrl = 0x08;
inline constexpr std::uint8_t acceleratorAlt = 0x10;
struct ShortcutKey {
    std::uint16_t virtualKey = 0;
    std::uint8_t modifiers = 0;
    friend bool operator==(const ShortcutKey&, const ShortcutKey&) = default;
};

// "Ctrl+A", "F1", "Ctrl+F1", "Shift+F1", "Ctrl+Shift+F1", "Ins", "Del", and
// the edit box's own undo keys "Alt+Backspace" (77) and "Alt+Shift+Backspace"
// (78); "（无）" for 0.
std::string shortcutDisplayName(int index);
// The key of indexes 1 to 78; {0, 0} otherwise.
ShortcutKey shortcutKey(int index);

// One menu entry as the layout stores it.
struct MenuEntryInput {
    std::string caption;
    std::int32_t level = 0;
    std::int32_t flags = 0;
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
