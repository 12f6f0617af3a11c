// Decoding the stored layout data. Every read is bounds-checked against the
// span it reads from; the first problem met is remembered and every later
// read fails, so a damaged record is rejected without reading past it.
#include "host/font_record.h"
#include "host/host_texts.h"
#include "host/layout_data.h"
#include "host/runtime_error.h"

#include <cstring>
#include <set>

namespace wrivo::layout {

namespace {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) { }

    LayoutProblem problem() const { return problem_; }
    bool ok() const { return problem_ == LayoutProblem::none; }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return data_.size() - position_; }

    bool fail(LayoutProblem problem)
    {
        if (problem_ == LayoutProblem::none) problem_ = problem;
        return false;
    }

    bool take(std::size_t count, std::span<const std::uint8_t>& out)
    {
        if (!ok()) return false;
        if (count > remaining()) return fail(LayoutProblem::truncated);
        out = data_.subspan(position_, count);
        position_ += count;
        return true;
    }

    bool u32(std::uint32_t& value)
    {
        std::span<const std::uint8_t> b;
        if (!take(4, b)) return false;
        value = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
        return true;
    }

    bool i32(std::int32_t& value)
    {
        std::uint32_t raw = 0;
        if (!u32(raw)) return false;
        value = static_cast<std::int32_t>(raw);
        return true;
    }

    template <class... Ints>
    bool ints(Ints&... values)
    {
        return (readInt(values) && ...);
    }

    template <std::size_t N>
    bool intArray(std::array<std::int32_t, N>& values)
    {
        for (std::int32_t& v : values) {
            if (!i32(v)) return false;
        }
        return true;
    }

    bool u16(std::uint16_t& value)
    {
        std::span<const std::uint8_t> b;
        if (!take(2, b)) return false;
        value = static_cast<std::uint16_t>(b[0] | b[1] << 8);
        return true;
    }

    // A 32-bit length (which must fit the rest) and that many bytes.
    bool lengthPrefixed(std::span<const std::uint8_t>& out)
    {
        std::int32_t length = 0;
        if (!i32(length)) return false;
        if (length < 0) return fail(LayoutProblem::badLength);
        if (static_cast<std::size_t>(length) > remaining()) return fail(LayoutProblem::badLength);
        return take(static_cast<std::size_t>(length), out);
    }

    bool text(std::string& out)
    {
        std::span<const std::uint8_t> b;
        if (!lengthPrefixed(b)) return false;
        out.assign(reinterpret_cast<const char*>(b.data()), b.size());
        return true;
    }

    bool block(Bytes& out)
    {
        std::span<const std::uint8_t> b;
        if (!lengthPrefixed(b)) return false;
        out.assign(b.begin(), b.end());
        return true;
    }

    bool zeroTerminated(std::string& out)
    {
        if (!ok()) return false;
        const auto rest = data_.subspan(position_);
        const auto* zero = static_cast<const std::uint8_t*>(std::memchr(rest.data(), 0, rest.size()));
        if (zero == nullptr) return fail(LayoutProblem::unterminatedText);
        const auto length = static_cast<std::size_t>(zero - rest.data());
        out.assign(reinterpret_cast<const char*>(rest.data()), length);
        position_ += length + 1;
        return true;
    }

    // A 32-bit count of items of at least `itemSize` bytes each.
    bool count(std::size_t itemSize, std::size_t& out)
    {
        std::int32_t n = 0;
        if (!i32(n)) return false;
        if (n < 0 || static_cast<std::size_t>(n) > remaining() / itemSize) return fail(LayoutProblem::badCount);
        out = static_cast<std::size_t>(n);
        return true;
    }

    bool atEnd()
    {
        if (!ok()) return false;
        return remaining() == 0 || fail(LayoutProblem::trailingBytes);
    }

private:
    bool readInt(std::int32_t& v) { return i32(v); }
    bool readInt(std::uint32_t& v) { return u32(v); }

    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
    LayoutProblem problem_ = LayoutProblem::none;
};

bool readVersion(ByteReader& in, std::int32_t latest, std::int32_t& version)
{
    if (!in.i32(version)) return false;
    if (version > latest) return in.fail(LayoutProblem::newerVersion);
    if (version < 1) return in.fail(LayoutProblem::badValue);
    return true;
}

bool readFont(ByteReader& in, std::optional<LogFont>& font)
{
    std::span<const std::uint8_t> b;
    if (!in.lengthPrefixed(b)) return false;
    if (b.empty()) {
        font.reset();
        return true;
    }
    font = decodeFontRecord(b);
    return font || in.fail(LayoutProblem::badValue);
}

bool readWindow(ByteReader& in, WindowSettings& s)
{
    if (!readVersion(in, WindowSettings::latestVersion, s.version)) return false;
    in.ints(s.borderStyle, s.pictureMode, s.backColour, s.maxButton, s.minButton, s.controlBox, s.position, s.movable,
            s.playCount, s.enterMovesFocus, s.escCloses, s.f1OpensHelp, s.helpContext);
    if (s.version >= 2) in.ints(s.showInTaskbar);
    if (s.version >= 3) in.ints(s.dragAnywhere, s.shape);
    if (s.version >= 4) in.ints(s.topmost);
    if (s.version >= 5) in.ints(s.keepCaptionActive);
    if (s.version >= 6) in.text(s.className);
    return in.block(s.backgroundPicture) && in.block(s.icon) && in.block(s.backgroundSound) && in.text(s.caption) &&
           in.text(s.helpFile);
}

bool readEditBox(ByteReader& in, EditBoxSettings& s)
{
    if (!readVersion(in, EditBoxSettings::latestVersion, s.version)) return false;
    in.ints(s.borderStyle, s.textColour, s.backColour, s.hideSelection, s.maxLength, s.multiLine, s.scrollBars,
            s.alignment, s.inputMode);
    in.u16(s.passwordChar);
    in.ints(s.caseConversion, s.spinMode, s.spinMinimum, s.spinMaximum, s.selectionStart, s.selectionLength);
    if (!readFont(in, s.font) || !in.text(s.content)) return false;
    if (s.version >= 2) return in.text(s.extraText1) && in.text(s.extraText2);
    return true;
}

bool readListBox(ByteReader& in, ListBoxSettings& s)
{
    if (!readVersion(in, ListBoxSettings::latestVersion, s.version)) return false;
    in.ints(s.borderStyle, s.sorted, s.horizontalLayout, s.extraItemHeight, s.textColour, s.backColour,
            s.multipleSelection, s.currentSelection);
    if (!readFont(in, s.font) || !in.block(s.secondBlock)) return false;
    std::size_t itemCount = 0;
    if (!in.count(4, itemCount)) return false;
    s.items.assign(itemCount, std::string());
    for (std::string& item : s.items) {
        if (!in.text(item)) return false;
    }
    if (s.version >= 2) in.text(s.extraText1);
    if (s.version >= 3) in.text(s.extraText2);
    return in.ok();
}

bool readColorPicker(ByteReader& in, ColorPickerSettings& s)
{
    return readVersion(in, ColorPickerSettings::latestVersion, s.version) && in.ints(s.colour, s.second);
}

bool readCommonDlg(ByteReader& in, CommonDlgSettings& s)
{
    if (!readVersion(in, CommonDlgSettings::latestVersion, s.version)) return false;
    in.ints(s.dialogType, s.filterIndex);
    in.intArray(s.options);
    return in.text(s.title) && in.text(s.fileName) && in.text(s.filter) && in.text(s.initialFolder) &&
           in.text(s.defaultExtension) && in.text(s.extraText1) && in.text(s.extraText2);
}

bool readTimer(ByteReader& in, TimerSettings& s)
{
    return readVersion(in, TimerSettings::latestVersion, s.version) && in.ints(s.interval);
}

template <class Settings, class Reader>
bool readKindData(ByteReader& in, LayoutUnit& unit, Reader reader)
{
    Settings settings;
    if (!reader(in, settings)) return false;
    unit.settings = std::move(settings);
    return true;
}

bool readMenuEntry(ByteReader& in, LayoutUnit& unit)
{
    MenuEntry entry;
    std::span<const std::uint8_t> reserved;
    in.ints(entry.shortcut, entry.level, entry.flags);
    in.zeroTerminated(entry.caption);
    in.ints(entry.handler);
    if (!in.take(entry.reserved.size(), reserved)) return false;
    std::memcpy(entry.reserved.data(), reserved.data(), reserved.size());
    if (entry.level < 0) return in.fail(LayoutProblem::badValue);
    unit.settings = std::move(entry);
    return true;
}

bool readCommon(ByteReader& in, UnitCommon& c)
{
    in.ints(c.reservedAfterNames, c.left, c.top, c.width, c.height);
    in.intArray(c.reservedAfterSize);
    std::size_t childCount = 0;
    if (!in.count(4, childCount)) return false;
    c.children.assign(childCount, 0);
    for (std::int32_t& child : c.children) in.i32(child);
    in.block(c.mousePointer);
    in.zeroTerminated(c.tag);
    in.ints(c.reservedAfterTag, c.flags, c.tabOrder);
    std::size_t eventCount = 0;
    if (!in.count(8, eventCount)) return false;
    c.events.assign(eventCount, EventBinding{0, noHandler});
    for (EventBinding& binding : c.events) in.ints(binding.event, binding.handler);
    in.intArray(c.reservedTail);
    return in.ok();
}

bool readUnit(ByteReader& in, LayoutUnit& unit)
{
    in.u32(unit.kind);
    in.i32(unit.baseUnit);
    in.intArray(unit.reserved);
    in.zeroTerminated(unit.name);
    in.zeroTerminated(unit.secondName);
    if (!in.ok()) return false;
    if (unit.kind == kind::menu) return readMenuEntry(in, unit);
    if (findUnitKind(unit.kind) == nullptr) return in.fail(LayoutProblem::unknownKind);
    if (!readCommon(in, unit.common)) return false;
    switch (unit.kind) {
    case kind::window: return readKindData<WindowSettings>(in, unit, readWindow);
    case kind::editBox: return readKindData<EditBoxSettings>(in, unit, readEditBox);
    case kind::listBox: return readKindData<ListBoxSettings>(in, unit, readListBox);
    case kind::colorPicker: return readKindData<ColorPickerSettings>(in, unit, readColorPicker);
    case kind::commonDlg: return readKindData<CommonDlgSettings>(in, unit, readCommonDlg);
    case kind::timer: return readKindData<TimerSettings>(in, unit, readTimer);
    default: return in.fail(LayoutProblem::unknownKind);
    }
}

// The unit array of one window: identifiers, offsets and the length-framed records.
bool readUnitArray(ByteReader& in, StoredWindow& window)
{
    std::size_t unitCount = 0;
    std::span<const std::uint8_t> rest;
    if (!in.count(8, unitCount)) return false; // at least an identifier and an offset each
    if (!in.lengthPrefixed(rest)) return false;
    ByteReader array(rest);
    if (unitCount > rest.size() / 12) return in.fail(LayoutProblem::badCount); // + a record length each
    window.unitIds.assign(unitCount, 0);
    for (std::uint32_t& id : window.unitIds) array.u32(id);
    std::vector<std::uint32_t> offsets(unitCount, 0);
    for (std::uint32_t& offset : offsets) array.u32(offset);
    const std::size_t firstRecord = array.position();
    window.unitRecords.assign(unitCount, Bytes());
    for (std::size_t i = 0; i < unitCount && array.ok(); ++i) {
        if (offsets[i] != array.position() - firstRecord) return in.fail(LayoutProblem::badOffset);
        std::span<const std::uint8_t> record;
        if (!array.lengthPrefixed(record)) break;
        window.unitRecords[i].assign(record.begin(), record.end());
    }
    array.atEnd();
    if (!array.ok()) return in.fail(array.problem());
    return true;
}

} // namespace

LayoutResult<LayoutUnit> decodeUnitRecord(std::uint32_t unitId, std::span<const std::uint8_t> record)
{
    ByteReader in(record);
    LayoutUnit unit;
    unit.id = unitId;
    if (readUnit(in, unit) && in.atEnd()) return {std::move(unit), LayoutProblem::none};
    return {std::nullopt, in.problem()};
}

LayoutResult<std::vector<StoredWindow>> readLayoutData(std::span<const std::uint8_t> data)
{
    ByteReader in(data);
    std::int32_t tableLength = 0;
    if (!in.i32(tableLength)) return {std::nullopt, in.problem()};
    if (tableLength < 0 || tableLength % 8 != 0 || static_cast<std::size_t>(tableLength) > in.remaining())
        return {std::nullopt, LayoutProblem::badLength};
    std::vector<StoredWindow> windows(static_cast<std::size_t>(tableLength) / 8);
    std::set<std::uint32_t> ids;
    for (StoredWindow& window : windows) {
        if (in.u32(window.id) && !ids.insert(window.id).second) return {std::nullopt, LayoutProblem::badWindow};
    }
    for (std::size_t i = 0; i < windows.size(); ++i) {
        std::uint32_t slot = 0;
        in.u32(slot); // filled by the host at run time; its stored value means nothing
    }
    for (StoredWindow& window : windows) {
        in.intArray(window.kept);
        in.text(window.text1);
        in.text(window.text2);
        if (!readUnitArray(in, window)) break;
    }
    if (in.atEnd()) return {std::move(windows), LayoutProblem::none};
    return {std::nullopt, in.problem()};
}

std::vector<StoredWindow> readLayoutDataOrReport(std::span<const std::uint8_t> data)
{
    LayoutResult<std::vector<StoredWindow>> stored = readLayoutData(data);
    if (!stored) reportRuntimeError(errorLayoutData);
    return std::move(*stored.value);
}

LayoutResult<WindowLayout> decodeWindowLayout(const StoredWindow& stored)
{
    if (stored.unitIds.size() != stored.unitRecords.size()) return {std::nullopt, LayoutProblem::badCount};
    WindowLayout layout;
    layout.id = stored.id;
    layout.kept = stored.kept;
    layout.text1 = stored.text1;
    layout.text2 = stored.text2;
    std::set<std::uint32_t> seen;
    for (std::size_t i = 0; i < stored.unitRecords.size(); ++i) {
        LayoutResult<LayoutUnit> unit = decodeUnitRecord(stored.unitIds[i], stored.unitRecords[i]);
        if (!unit) return {std::nullopt, unit.problem};
        if (!seen.insert(unit.value->id).second) return {std::nullopt, LayoutProblem::badWindow};
        layout.units.push_back(std::move(*unit.value));
    }
    if (layout.units.empty() || layout.units.front().kind != kind::window)
        return {std::nullopt, LayoutProblem::badWindow};
    for (std::size_t i = 1; i < layout.units.size(); ++i) {
        if (layout.units[i].kind == kind::window) return {std::nullopt, LayoutProblem::badWindow};
    }
    return {std::move(layout), LayoutProblem::none};
}

LayoutResult<std::vector<WindowLayout>> decodeLayoutData(std::span<const std::uint8_t> data)
{
    LayoutResult<std::vector<StoredWindow>> stored = readLayoutData(data);
    if (!stored) return {std::nullopt, stored.problem};
    std::vector<WindowLayout> windows;
    for (const StoredWindow& window : *stored.value) {
        LayoutResult<WindowLayout> layout = decodeWindowLayout(window);
        if (!layout) return {std::nullopt, layout.problem};
        windows.push_back(std::move(*layout.value));
    }
    return {std::move(windows), LayoutProblem::none};
}

} // namespace wrivo::layout
