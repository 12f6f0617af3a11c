// The shortcut index table: what a menu entry's stored shortcut index means.
// One group list gives every index its display name ("Ctrl+A", "Shift+F3",
// "Del") and its accelerator key; the layout names shortcuts by that same
// display name (shortcutIndex("Ctrl+S")), so no index is worked out by hand.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wrivo {

// A shortcut's key: a virtual key with the Ctrl, Shift and Alt modifier bits.
inline constexpr std::uint8_t acceleratorShift = 0x04;
inline constexpr std::uint8_t acceleratorCtrl = 0x08;
inline constexpr std::uint8_t acceleratorAlt = 0x10;
struct ShortcutKey {
    std::uint16_t virtualKey = 0;
    std::uint8_t modifiers = 0;
    friend bool operator==(const ShortcutKey&, const ShortcutKey&) = default;
};

namespace shortcuts {

// A run of consecutive indexes: the letters A to Z, the keys F1 to F12, or a
// single named key. An index's name is the prefix followed by its letter or
// F-number (a single key's prefix is its whole name).
enum class Run {
    letters,
    functionKeys,
    single
};
struct Group {
    int first;
    int count;
    std::string_view prefix;
    Run run;
    std::uint16_t firstKey;
    std::uint8_t modifiers;
};

inline constexpr Group groups[] = {
    {1, 26, "Ctrl+", Run::letters, 'A', acceleratorCtrl},
    {27, 12, "", Run::functionKeys, 0x70, 0}, // VK_F1
    {39, 12, "Ctrl+", Run::functionKeys, 0x70, acceleratorCtrl},
    {51, 12, "Shift+", Run::functionKeys, 0x70, acceleratorShift},
    {63, 12, "Ctrl+Shift+", Run::functionKeys, 0x70, acceleratorCtrl | acceleratorShift},
    {75, 1, "Ins", Run::single, 0x2D, 0}, // VK_INSERT
    {76, 1, "Del", Run::single, 0x2E, 0}, // VK_DELETE
    // The edit box's own undo keys, and the moves of the writer's menu.
    {77, 1, "Alt+Backspace", Run::single, 0x08, acceleratorAlt}, // VK_BACK
    {78, 1, "Alt+Shift+Backspace", Run::single, 0x08, acceleratorAlt | acceleratorShift},
    {79, 1, "Alt+Up", Run::single, 0x26, acceleratorAlt},   // VK_UP
    {80, 1, "Alt+Down", Run::single, 0x28, acceleratorAlt}, // VK_DOWN
};

// The group an index belongs to, or null for 0 (none) and anything unknown.
constexpr const Group* groupOf(int index)
{
    for (const Group& group : groups)
        if (index >= group.first && index < group.first + group.count) return &group;
    return nullptr;
}

// The index of a display name; 0 for "" (none), -1 for a name no index has.
constexpr int findShortcut(std::string_view name)
{
    if (name.empty()) return 0;
    for (const Group& group : groups) {
        if (group.run == Run::single) {
            if (name == group.prefix) return group.first;
            continue;
        }
        if (!name.starts_with(group.prefix)) continue;
        const std::string_view rest = name.substr(group.prefix.size());
        if (group.run == Run::letters) {
            if (rest.size() == 1 && rest[0] >= 'A' && rest[0] < 'A' + group.count) return group.first + (rest[0] - 'A');
            continue;
        }
        if (rest.size() < 2 || rest.size() > 3 || rest[0] != 'F') continue;
        int number = 0;
        for (char digit : rest.substr(1)) {
            if (digit < '0' || digit > '9') return -1;
            number = number * 10 + (digit - '0');
        }
        if (number >= 1 && number <= group.count) return group.first + number - 1;
    }
    return -1;
}

} // namespace shortcuts

// Valid indexes are 0 (none) to shortcutCount - 1.
inline constexpr int shortcutCount = [] {
    int count = 1;
    for (const shortcuts::Group& group : shortcuts::groups) count = group.first + group.count;
    return count;
}();

// The index a layout stores for a shortcut named as it is displayed; a name
// that is not in the table does not compile.
consteval std::int32_t shortcutIndex(std::string_view name)
{
    const int index = shortcuts::findShortcut(name);
    if (index < 0) throw "no shortcut has this name";
    return index;
}

// "Ctrl+A", "F1", "Ctrl+Shift+F12", "Del", "Alt+Up"…; "（无）" for 0 and any index outside the table.
std::string shortcutDisplayName(int index);
// The accelerator key of an index; {0, 0} for 0 and any index outside the table.
ShortcutKey shortcutKey(int index);

} // namespace wrivo
