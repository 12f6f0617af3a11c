#include "host/layout_writer.h"

#include "host/font_record.h"

#include <algorithm>
#include <cstring>

namespace wrivo::layout {

namespace {

class ByteWriter {
public:
    Bytes bytes;

    void u32(std::uint32_t v)
    {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(v >> shift));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void u16(std::uint16_t v)
    {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    template <class... Ints>
    void ints(Ints... values)
    {
        (put(values), ...);
    }
    template <std::size_t N>
    void intArray(const std::array<std::int32_t, N>& values)
    {
        for (std::int32_t v : values) i32(v);
    }
    void raw(const void* data, std::size_t size)
    {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + size);
    }
    void text(std::string_view s)
    {
        i32(static_cast<std::int32_t>(s.size()));
        raw(s.data(), s.size());
    }
    void block(const Bytes& b)
    {
        i32(static_cast<std::int32_t>(b.size()));
        raw(b.data(), b.size());
    }
    void zeroTerminated(std::string_view s)
    {
        raw(s.data(), std::min(s.size(), s.find('\0')));
        bytes.push_back(0);
    }

private:
    void put(std::int32_t v) { i32(v); }
    void put(std::uint32_t v) { u32(v); }
};

void writeFont(ByteWriter& out, const std::optional<LogFont>& font)
{
    if (!font) {
        out.i32(0);
        return;
    }
    out.block(encodeFontRecord(*font));
}

void writeSettings(ByteWriter& out, const WindowSettings& s)
{
    out.ints(s.version, s.borderStyle, s.pictureMode, s.backColour, s.maxButton, s.minButton, s.controlBox, s.position,
             s.movable, s.playCount, s.enterMovesFocus, s.escCloses, s.f1OpensHelp, s.helpContext);
    if (s.version >= 2) out.ints(s.showInTaskbar);
    if (s.version >= 3) out.ints(s.dragAnywhere, s.shape);
    if (s.version >= 4) out.ints(s.topmost);
    if (s.version >= 5) out.ints(s.keepCaptionActive);
    if (s.version >= 6) out.text(s.className);
    out.block(s.backgroundPicture);
    out.block(s.icon);
    out.block(s.backgroundSound);
    out.text(s.caption);
    out.text(s.helpFile);
}

void writeSettings(ByteWriter& out, const EditBoxSettings& s)
{
    out.ints(s.version, s.borderStyle, s.textColour, s.backColour, s.hideSelection, s.maxLength, s.multiLine,
             s.scrollBars, s.alignment, s.inputMode);
    out.u16(s.passwordChar);
    out.ints(s.caseConversion, s.spinMode, s.spinMinimum, s.spinMaximum, s.selectionStart, s.selectionLength);
    writeFont(out, s.font);
    out.text(s.content);
    if (s.version >= 2) {
        out.text(s.extraText1);
        out.text(s.extraText2);
    }
}

void writeSettings(ByteWriter& out, const ListBoxSettings& s)
{
    out.ints(s.version, s.borderStyle, s.sorted, s.horizontalLayout, s.extraItemHeight, s.textColour, s.backColour,
             s.multipleSelection, s.currentSelection);
    writeFont(out, s.font);
    out.block(s.secondBlock);
    out.i32(static_cast<std::int32_t>(s.items.size()));
    for (const std::string& item : s.items) out.text(item);
    if (s.version >= 2) out.text(s.extraText1);
    if (s.version >= 3) out.text(s.extraText2);
}

void writeSettings(ByteWriter& out, const ColorPickerSettings& s)
{
    out.ints(s.version, s.colour, s.second);
}

void writeSettings(ByteWriter& out, const CommonDlgSettings& s)
{
    out.ints(s.version, s.dialogType, s.filterIndex);
    out.intArray(s.options);
    for (const std::string* text :
         {&s.title, &s.fileName, &s.filter, &s.initialFolder, &s.defaultExtension, &s.extraText1, &s.extraText2})
        out.text(*text);
}

void writeSettings(ByteWriter& out, const TimerSettings& s)
{
    out.ints(s.version, s.interval);
}

void writeSettings(ByteWriter& out, const MenuEntry& e)
{
    out.ints(e.shortcut, e.level, e.flags);
    out.zeroTerminated(e.caption);
    out.i32(e.handler);
    out.raw(e.reserved.data(), e.reserved.size());
}

void writeCommon(ByteWriter& out, const UnitCommon& c)
{
    out.ints(c.reservedAfterNames, c.left, c.top, c.width, c.height);
    out.intArray(c.reservedAfterSize);
    out.i32(static_cast<std::int32_t>(c.children.size()));
    for (std::int32_t child : c.children) out.i32(child);
    out.block(c.mousePointer);
    out.zeroTerminated(c.tag);
    out.ints(c.reservedAfterTag, c.flags, c.tabOrder);
    out.i32(static_cast<std::int32_t>(c.events.size()));
    for (const EventBinding& binding : c.events) out.ints(binding.event, binding.handler);
    out.intArray(c.reservedTail);
}

} // namespace

Bytes encodeUnitRecord(const LayoutUnit& unit)
{
    ByteWriter out;
    out.ints(unit.kind, unit.baseUnit);
    out.intArray(unit.reserved);
    out.zeroTerminated(unit.name);
    out.zeroTerminated(unit.secondName);
    if (!unit.isMenuEntry()) writeCommon(out, unit.common);
    std::visit([&](const auto& settings) { writeSettings(out, settings); }, unit.settings);
    return std::move(out.bytes);
}

Bytes encodeLayoutData(std::span<const WindowLayout> windows)
{
    ByteWriter out;
    out.i32(static_cast<std::int32_t>(windows.size() * 8));
    for (const WindowLayout& window : windows) out.u32(window.id);
    for (std::size_t i = 0; i < windows.size(); ++i) out.u32(0);
    for (const WindowLayout& window : windows) {
        out.intArray(window.kept);
        out.text(window.text1);
        out.text(window.text2);
        ByteWriter ids, offsets, records;
        for (const LayoutUnit& unit : window.units) {
            ids.u32(unit.id);
            offsets.u32(static_cast<std::uint32_t>(records.bytes.size()));
            records.block(encodeUnitRecord(unit));
        }
        out.i32(static_cast<std::int32_t>(window.units.size()));
        out.i32(static_cast<std::int32_t>(ids.bytes.size() + offsets.bytes.size() + records.bytes.size()));
        for (const ByteWriter* part : {&ids, &offsets, &records}) out.raw(part->bytes.data(), part->bytes.size());
    }
    return std::move(out.bytes);
}

} // namespace wrivo::layout
