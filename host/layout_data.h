// The layout data: the stored description of the program's windows, their
// units (the window itself, its controls and its menu entries), the shortcut
// keys and the event bindings, and the decoded form the host builds windows from.
//
// Stored form (all integers 32-bit little-endian; a stored text or byte block
// is a 32-bit byte length and that many bytes):
//   window table   byte length 8*W, W window identifiers, W zero slots;
//   per window     two kept int32, two stored texts, then the unit array:
//                  unit count U, byte length of the rest, U unit identifiers,
//                  U record offsets (from the first record, the first 0),
//                  U records, each a 32-bit length and the record.
// A record is read only when its window is loaded (decodeWindowLayout), so a
// record the program cannot read fails that window's load, not the start.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace wrivo {

using Bytes = std::vector<std::uint8_t>;

// The stored form's own model, exact to the byte (reserved words included), so
// that encoding what was decoded gives the same bytes back.
namespace layout {

// ---- Unit kinds -----------------------------------------------------------

namespace kind {
inline constexpr std::uint32_t window = 0x00010001;
inline constexpr std::uint32_t menu = 0x00010003;
inline constexpr std::uint32_t editBox = 0x00010005;
inline constexpr std::uint32_t listBox = 0x0001000F;
inline constexpr std::uint32_t colorPicker = 0x0001001C;
inline constexpr std::uint32_t commonDlg = 0x0001001F;
inline constexpr std::uint32_t timer = 0x00010020;
} // namespace kind

// Kind flags.
inline constexpr std::uint32_t kindRaisesEvents = 0x44; // either bit
inline constexpr std::uint32_t kindNonVisual = 0x8000;  // hidden window, never shown
inline constexpr std::uint32_t kindNeverRebuilt = 0x10;

struct UnitKindInfo {
    std::uint32_t code;
    std::uint32_t flags;
    std::int32_t propertyCount;   // the common properties included
    std::int32_t dataVersion;     // highest kind-data version this program reads
    std::string_view name;        // GBK, e.g. "编辑框"
    std::string_view englishName; // e.g. "EditBox"
};

// Null for a kind this program does not know.
const UnitKindInfo* findUnitKind(std::uint32_t code);
inline bool kindRaisesEventsOf(const UnitKindInfo& k)
{
    return (k.flags & kindRaisesEvents) != 0;
}
inline bool kindIsNonVisual(const UnitKindInfo& k)
{
    return (k.flags & kindNonVisual) != 0;
}

// Category of a unit identifier (top four bits).
enum class UnitCategory : std::uint32_t {
    windowUnit = 0,
    control = 1,
    menuEntry = 2
};
inline UnitCategory unitCategory(std::uint32_t unitId)
{
    return static_cast<UnitCategory>(unitId >> 28);
}

// ---- Values ---------------------------------------------------------------

inline constexpr std::int32_t noHandler = -1;
inline constexpr std::uint32_t defaultColour = 0xFF000000; // the system's colour for the surface

// Flags of a visual unit.
enum UnitFlag : std::uint32_t {
    unitVisible = 1,
    unitDisabled = 2,
    unitTabStop = 4
};
// Flags of a menu entry.
enum MenuFlag : std::uint32_t {
    menuHidden = 1,
    menuDisabled = 2,
    menuTicked = 4
};

// A font exactly as LOGFONTA lays it out (60 bytes), so the host can copy it.
struct LogFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::array<char, 32> faceName{}; // zero-terminated GBK

    std::string_view face() const;               // up to the terminator
    void setFace(std::string_view face);         // cut to 31 bytes, zero-terminated
    static LogFont named(std::string_view face); // all zero but the (truncated) face
    bool operator==(const LogFont&) const = default;
};
static_assert(sizeof(LogFont) == 60);

struct EventBinding {
    std::int32_t event;
    std::int32_t handler; // index into the application's handler table, or noHandler
    bool operator==(const EventBinding&) const = default;
};

// ---- Kind data --------------------------------------------------------------

struct WindowSettings {
    static constexpr std::int32_t latestVersion = 6;
    std::int32_t version = latestVersion;
    std::int32_t borderStyle = 2; // 0 none .. 6, see the window builder
    std::int32_t pictureMode = 0;
    std::uint32_t backColour = defaultColour;
    std::int32_t maxButton = 0;
    std::int32_t minButton = 0;
    std::int32_t controlBox = 1;
    std::int32_t position = 0; // 0 stored place, 1 centred, 2 minimised, 3 maximised
    std::int32_t movable = 1;
    std::int32_t playCount = 0;
    std::int32_t enterMovesFocus = 0;
    std::int32_t escCloses = 0;
    std::int32_t f1OpensHelp = 0;
    std::int32_t helpContext = 0;
    std::int32_t showInTaskbar = 1;     // version 2
    std::int32_t dragAnywhere = 0;      // version 3
    std::int32_t shape = 0;             // version 3
    std::int32_t topmost = 0;           // version 4
    std::int32_t keepCaptionActive = 0; // version 5
    std::string className;              // version 6
    Bytes backgroundPicture;
    Bytes icon;
    Bytes backgroundSound;
    std::string caption;
    std::string helpFile;
    bool operator==(const WindowSettings&) const = default;
};

struct EditBoxSettings {
    static constexpr std::int32_t latestVersion = 2;
    std::int32_t version = latestVersion;
    std::int32_t borderStyle = 1; // 0 none .. 5, see the control builder
    std::uint32_t textColour = defaultColour;
    std::uint32_t backColour = defaultColour;
    std::int32_t hideSelection = 1;
    std::int32_t maxLength = 0; // 0: no limit
    std::int32_t multiLine = 0;
    std::int32_t scrollBars = 0; // 0 none, 1 horizontal, 2 vertical, 3 both
    std::int32_t alignment = 0;  // 0 left, 1 centre, 2 right
    std::int32_t inputMode = 0;  // 0 normal, 1 read-only, 2 password
    std::uint16_t passwordChar = '*';
    std::int32_t caseConversion = 0; // 0 none, 1 lower, 2 upper
    std::int32_t spinMode = 0;
    std::int32_t spinMinimum = 0;
    std::int32_t spinMaximum = 0;
    std::int32_t selectionStart = 0;
    std::int32_t selectionLength = 0;
    std::optional<LogFont> font; // none: the default GUI font
    std::string content;
    std::string extraText1; // version 2
    std::string extraText2; // version 2
    bool operator==(const EditBoxSettings&) const = default;
};

struct ListBoxSettings {
    static constexpr std::int32_t latestVersion = 3;
    std::int32_t version = latestVersion;
    std::int32_t borderStyle = 1;
    std::int32_t sorted = 0;
    std::int32_t horizontalLayout = 0;
    std::int32_t extraItemHeight = 0;
    std::uint32_t textColour = defaultColour;
    std::uint32_t backColour = defaultColour;
    std::int32_t multipleSelection = 0;
    std::int32_t currentSelection = -1;
    std::optional<LogFont> font;
    Bytes secondBlock;
    std::vector<std::string> items;
    std::string extraText1; // version 2
    std::string extraText2; // version 3
    bool operator==(const ListBoxSettings&) const = default;
};

struct ColorPickerSettings {
    static constexpr std::int32_t latestVersion = 1;
    std::int32_t version = latestVersion;
    std::uint32_t colour = defaultColour;
    std::int32_t second = 0;
    bool operator==(const ColorPickerSettings&) const = default;
};

struct CommonDlgSettings {
    static constexpr std::int32_t latestVersion = 1;
    std::int32_t version = latestVersion;
    std::int32_t dialogType = 0; // 0 open, 1 save, 2 font, 3 help
    std::int32_t filterIndex = 0;
    std::array<std::int32_t, 13> options{};
    std::string title;
    std::string fileName;
    std::string filter;
    std::string initialFolder;
    std::string defaultExtension;
    std::string extraText1;
    std::string extraText2;
    bool operator==(const CommonDlgSettings&) const = default;
};

struct TimerSettings {
    static constexpr std::int32_t latestVersion = 1;
    std::int32_t version = latestVersion;
    std::int32_t interval = 0; // milliseconds; 0 stopped
    bool operator==(const TimerSettings&) const = default;
};

// A menu entry has no kind data of its own; its record is this.
struct MenuEntry {
    std::int32_t shortcut = 0; // index of host/shortcuts.h, 0 for none
    std::int32_t level = 0;    // 0 top-level menu, 1 its item, 2.. deeper
    std::uint32_t flags = 0;   // MenuFlag
    std::string caption;       // "-" is a separator
    std::int32_t handler = noHandler;
    std::array<std::uint8_t, 16> reserved{};
    bool operator==(const MenuEntry&) const = default;
};

using KindSettings = std::variant<WindowSettings, EditBoxSettings, ListBoxSettings, ColorPickerSettings,
                                  CommonDlgSettings, TimerSettings, MenuEntry>;

// ---- Units and windows -------------------------------------------------------

// What every visual unit (not a menu entry) has.
struct UnitCommon {
    std::int32_t left = 0; // relative to the window's client area;
    std::int32_t top = 0;  // the window unit: its outer size
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::int32_t> children; // units contained in this one
    Bytes mousePointer{0, 0, 0, 0};     // 4 zero bytes: the default pointer
    std::string tag;
    std::uint32_t flags = 0; // UnitFlag
    std::int32_t tabOrder = 0;
    std::vector<EventBinding> events;
    // Reserved words, carried as stored.
    std::int32_t reservedAfterNames = 0;
    std::array<std::int32_t, 2> reservedAfterSize{};
    std::int32_t reservedAfterTag = 0;
    std::array<std::int32_t, 5> reservedTail{};

    bool visible() const { return (flags & unitVisible) != 0; }
    bool disabled() const { return (flags & unitDisabled) != 0; }
    bool tabStop() const { return (flags & unitTabStop) != 0; }
    // The first binding of `event`, or noHandler.
    std::int32_t handlerFor(std::int32_t event) const;
    bool operator==(const UnitCommon&) const = default;
};

struct LayoutUnit {
    std::uint32_t id = 0;
    std::uint32_t kind = 0;
    std::int32_t baseUnit = 0; // control arrays; 0 here
    std::array<std::int32_t, 4> reserved{};
    std::string name; // e.g. "编辑框1"; empty for the window unit
    std::string secondName;
    UnitCommon common; // not stored for menu entries
    KindSettings settings;

    bool isMenuEntry() const { return kind == kind::menu; }
    template <class T>
    const T* as() const
    {
        return std::get_if<T>(&settings);
    }
    template <class T>
    T* as()
    {
        return std::get_if<T>(&settings);
    }
    bool operator==(const LayoutUnit&) const = default;
};

struct WindowLayout {
    std::uint32_t id = 0;
    std::array<std::int32_t, 2> kept{};
    std::string text1;
    std::string text2;
    std::vector<LayoutUnit> units; // units[0] is the window's own unit

    const LayoutUnit* findUnit(std::uint32_t unitId) const;
    LayoutUnit* findUnit(std::uint32_t unitId);
    const LayoutUnit* findUnitByName(std::string_view name) const;
    // The window unit's settings; null when units[0] is not a window unit.
    const WindowSettings* windowSettings() const;
    // The menu entries in stored order (their position is the n of 20000 + n).
    // They point into this layout, so a temporary one has none to give.
    std::vector<const MenuEntry*> menuEntries() const&;
    std::vector<const MenuEntry*> menuEntries() const&& = delete;
    bool operator==(const WindowLayout&) const = default;
};

// ---- Reading ------------------------------------------------------------------

enum class LayoutProblem {
    none,
    truncated,        // a value runs past its record, array or the data
    badLength,        // a stored length that does not fit what it frames
    badCount,         // a count that cannot fit in the bytes it claims
    badOffset,        // a record offset that does not point at its record
    unterminatedText, // a zero-terminated text without its zero
    unknownKind,      // a kind code this program does not know
    newerVersion,     // kind data newer than this program reads
    badValue,         // a value outside what the field allows (a font block not 60 bytes, ...)
    trailingBytes,    // bytes left over after a record or the data
    badWindow,        // a window without a window unit first, or two units with one identifier
};
std::string_view describeLayoutProblem(LayoutProblem problem);

template <class T>
struct LayoutResult {
    std::optional<T> value;
    LayoutProblem problem = LayoutProblem::none;
    explicit operator bool() const { return value.has_value(); }
};

// A window as stored: its framing checked, its records not yet read.
struct StoredWindow {
    std::uint32_t id = 0;
    std::array<std::int32_t, 2> kept{};
    std::string text1;
    std::string text2;
    std::vector<std::uint32_t> unitIds;
    std::vector<Bytes> unitRecords;
};

// Reads the window table and each window's unit array framing. A failure here
// means the layout data cannot be used at all.
LayoutResult<std::vector<StoredWindow>> readLayoutData(std::span<const std::uint8_t> data);

// readLayoutData at host start: data that cannot be read is the run-time error
// "载入窗口模板数据段出错!" (the process ends).
std::vector<StoredWindow> readLayoutDataOrReport(std::span<const std::uint8_t> data);

// Reads every record of a stored window: the window's load. Fails on any
// record it cannot read, a newer kind-data version among them.
LayoutResult<WindowLayout> decodeWindowLayout(const StoredWindow& stored);

// Reads one unit record (without its length prefix).
LayoutResult<LayoutUnit> decodeUnitRecord(std::uint32_t unitId, std::span<const std::uint8_t> record);

// Both steps for every window (tests and tools).
LayoutResult<std::vector<WindowLayout>> decodeLayoutData(std::span<const std::uint8_t> data);

} // namespace layout
} // namespace wrivo
