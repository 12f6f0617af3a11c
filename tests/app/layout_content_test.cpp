// The program's layout content checked for what must hold whatever its
// values: it survives its stored form, every event is bound to a place of the
// application's handler table, and every shortcut key reaches the entry that
// carries it.
#include "app/layout_content.h"
#include "host/layout_writer.h"
#include "host/menu_plan.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace wrivo {

using namespace layout;

namespace {

std::vector<WindowLayout> decodedContent()
{
    const LayoutResult<std::vector<WindowLayout>> decoded = decodeLayoutData(layoutDataBlock());
    EXPECT_TRUE(decoded) << describeLayoutProblem(decoded.problem);
    return decoded ? *decoded.value : std::vector<WindowLayout>{};
}

WindowLayout mainWindow()
{
    std::vector<WindowLayout> windows = decodedContent();
    return windows.empty() ? WindowLayout{} : windows.front();
}

// A menu entry with entries one level deeper right after it opens a popup.
bool opensPopup(const std::vector<const MenuEntry*>& entries, std::size_t n)
{
    return n + 1 < entries.size() && entries[n + 1]->level > entries[n]->level;
}

} // namespace

TEST(LayoutContent, StoredBlockDecodesToExactlyTheContent)
{
    const std::vector<WindowLayout> windows = decodedContent();
    EXPECT_EQ(windows, layoutContent());
    EXPECT_EQ(encodeLayoutData(windows), layoutDataBlock());
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0].id, WindowId::main); // the main window first
    EXPECT_EQ(windows[1].id, WindowId::start);
}

// Each place of the handler table is bound by an event or menu entry of the
// layout, and nothing is bound outside the table. A handler may serve more
// than one binding (undo: its menu entry and the edit box's own undo).
TEST(LayoutContent, EveryHandlerIndexIsAPlaceOfTheTableAndBound)
{
    std::map<std::int32_t, int> bindings;
    for (const WindowLayout& window : decodedContent()) {
        for (const LayoutUnit& unit : window.units) {
            if (const MenuEntry* entry = unit.as<MenuEntry>()) {
                if (entry->handler != noHandler) ++bindings[entry->handler];
                continue;
            }
            for (const EventBinding& binding : unit.common.events)
                if (binding.handler != noHandler) ++bindings[binding.handler];
        }
    }
    for (const auto& [handler, count] : bindings) {
        EXPECT_GE(handler, 0) << count << " bindings";
        EXPECT_LT(handler, HandlerIndex::handlerCount) << count << " bindings";
    }
    EXPECT_EQ(bindings.size(), static_cast<std::size_t>(HandlerIndex::handlerCount)) << "a handler nothing runs";
}

// Every unit is of a kind the host knows; the common dialog is the one
// non-visual unit, and every menu entry has its unit.
TEST(LayoutContent, UnitsAreOfKnownKindsAndMenuEntriesHaveTheirUnits)
{
    const WindowLayout main = mainWindow();
    std::set<std::string> names;
    for (const LayoutUnit& unit : main.units) {
        const UnitKindInfo* info = findUnitKind(unit.kind);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(kindIsNonVisual(*info), unit.kind == kind::commonDlg);
        if (!unit.name.empty()) {
            EXPECT_TRUE(names.insert(unit.name).second) << "two units named the same";
        }
    }
    const std::vector<const MenuEntry*> entries = main.menuEntries();
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(menuEntryCount));
    for (int n = 0; n < menuEntryCount; ++n) EXPECT_NE(main.findUnit(UnitId::menuEntry(n)), nullptr) << n;
}

// The menu is a tree read in order: the first entry is on the bar, an entry
// goes at most one level deeper than the one before, and the entries that run
// nothing are exactly the popups, the separators and the greyed heading.
TEST(LayoutContent, MenuIsATreeWhoseLeavesRunHandlers)
{
    const WindowLayout main = mainWindow();
    const std::vector<const MenuEntry*> entries = main.menuEntries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries[0]->level, 0);
    for (std::size_t n = 0; n < entries.size(); ++n) {
        const MenuEntry& e = *entries[n];
        if (n > 0) {
            EXPECT_LE(e.level, entries[n - 1]->level + 1) << n;
        }
        EXPECT_EQ(e.flags & menuHidden, 0u) << n;
        const bool runsNothing = opensPopup(entries, n) || e.caption == "-" || (e.flags & menuDisabled) != 0;
        EXPECT_EQ(e.handler == noHandler, runsNothing) << n << " " << e.caption;
    }
}

// Every shortcut is one of the table's indexes, and the accelerator of each
// key chooses the one entry the layout gives that key (a popup's stored
// shortcut is no accelerator).
TEST(LayoutContent, EachShortcutKeyChoosesTheEntryThatCarriesIt)
{
    const WindowLayout main = mainWindow();
    const std::vector<const MenuEntry*> entries = main.menuEntries();
    std::vector<MenuEntryInput> inputs;
    std::map<int, std::vector<int>> expected; // shortcut index -> commands
    for (std::size_t n = 0; n < entries.size(); ++n) {
        const MenuEntry& e = *entries[n];
        EXPECT_GE(e.shortcut, 0) << n;
        EXPECT_LT(e.shortcut, shortcutCount) << n;
        inputs.push_back({e.caption, e.level, static_cast<std::int32_t>(e.flags), e.shortcut});
        if (e.shortcut != 0 && !opensPopup(entries, n))
            expected[e.shortcut].push_back(firstMenuCommand + static_cast<int>(n));
    }
    std::map<int, std::vector<int>> chosen;
    for (const AcceleratorPlan& accelerator : planMenuBar(inputs).accelerators) {
        int index = 1;
        while (index < shortcutCount && !(shortcutKey(index) == accelerator.key)) ++index;
        chosen[index].push_back(accelerator.command);
    }
    EXPECT_EQ(chosen, expected);
    for (const auto& [index, commands] : expected) EXPECT_EQ(commands.size(), 1u) << shortcutDisplayName(index);
}

} // namespace wrivo
