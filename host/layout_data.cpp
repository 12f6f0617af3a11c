#include "host/layout_data.h"

#include <algorithm>

namespace wrivo::layout {

namespace {

constexpr UnitKindInfo kinds[] = {
    {kind::window, 0x800000D0, 32, WindowSettings::latestVersion, "窗口", "window"},
    {kind::menu, 0x80000004, 4, 0, "菜单", "menu"},
    {kind::editBox, 0x80000040, 29, EditBoxSettings::latestVersion, "编辑框", "EditBox"},
    {kind::listBox, 0x80000040, 22, ListBoxSettings::latestVersion, "列表框", "ListBox"},
    {kind::colorPicker, 0x80000040, 10, ColorPickerSettings::latestVersion, "颜色选择器", "ColorPicker"},
    {kind::commonDlg, 0x80008040, 30, CommonDlgSettings::latestVersion, "通用对话框", "CommonDlg"},
    {kind::timer, 0x80008040, 9, TimerSettings::latestVersion, "时钟", "Timer"},
};

} // namespace

const UnitKindInfo* findUnitKind(std::uint32_t code)
{
    for (const UnitKindInfo& k : kinds) {
        if (k.code == code) return &k;
    }
    return nullptr;
}

std::string_view LogFont::face() const
{
    const auto end = std::find(faceName.begin(), faceName.end(), '\0');
    return std::string_view(faceName.data(), static_cast<std::size_t>(end - faceName.begin()));
}

void LogFont::setFace(std::string_view face)
{
    faceName.fill('\0');
    const std::size_t n = std::min(face.size(), faceName.size() - 1);
    std::copy_n(face.begin(), n, faceName.begin());
}

LogFont LogFont::named(std::string_view face)
{
    LogFont font;
    font.setFace(face);
    return font;
}

std::int32_t UnitCommon::handlerFor(std::int32_t event) const
{
    for (const EventBinding& binding : events) {
        if (binding.event == event) return binding.handler;
    }
    return noHandler;
}

const LayoutUnit* WindowLayout::findUnit(std::uint32_t unitId) const
{
    for (const LayoutUnit& unit : units) {
        if (unit.id == unitId) return &unit;
    }
    return nullptr;
}

LayoutUnit* WindowLayout::findUnit(std::uint32_t unitId)
{
    return const_cast<LayoutUnit*>(static_cast<const WindowLayout*>(this)->findUnit(unitId));
}

const LayoutUnit* WindowLayout::findUnitByName(std::string_view name) const
{
    for (const LayoutUnit& unit : units) {
        if (!unit.isMenuEntry() && unit.name == name) return &unit;
    }
    return nullptr;
}

const WindowSettings* WindowLayout::windowSettings() const
{
    return units.empty() ? nullptr : units.front().as<WindowSettings>();
}

std::vector<const MenuEntry*> WindowLayout::menuEntries() const&
{
    std::vector<const MenuEntry*> entries;
    for (const LayoutUnit& unit : units) {
        if (const MenuEntry* entry = unit.as<MenuEntry>()) entries.push_back(entry);
    }
    return entries;
}

std::string_view describeLayoutProblem(LayoutProblem problem)
{
    switch (problem) {
    case LayoutProblem::none: return "no problem";
    case LayoutProblem::truncated: return "a value runs past the end of its data";
    case LayoutProblem::badLength: return "a stored length does not fit what it frames";
    case LayoutProblem::badCount: return "a count does not fit the bytes it claims";
    case LayoutProblem::badOffset: return "a record offset does not point at its record";
    case LayoutProblem::unterminatedText: return "a text has no terminating zero";
    case LayoutProblem::unknownKind: return "a unit has an unknown kind";
    case LayoutProblem::newerVersion: return "a unit's data is newer than this program reads";
    case LayoutProblem::badValue: return "a value is outside what its field allows";
    case LayoutProblem::trailingBytes: return "bytes are left over after a record";
    case LayoutProblem::badWindow: return "a window's units are not in order";
    }
    return "unknown problem";
}

} // namespace wrivo::layout
