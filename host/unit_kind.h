// The kind table: how the host creates, reads, writes and listens to units of
// each kind without knowing any kind's code. Each kind (window, menu entry and
// timer here in the host; edit box, list box, colour picker and common dialog
// with their services) fills one UnitKind record and registers it at start;
// the host looks kinds up by number and calls only through these records.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "host/host_types.h"
#include "host/layout_data.h"

namespace wrivo {

class LiveWindow;

// A kind's own state for one live unit (brushes, fonts, cached settings).
struct UnitState {
    virtual ~UnitState() = default;
};

// One unit of a loaded window: its live record, native window and state.
struct LiveUnit {
    layout::LayoutUnit record;
    std::uint32_t kindFlags = 0; // of the layout's kind table
    LiveWindow* window = nullptr;
    const struct UnitKind* kind = nullptr;
    HWND handle = nullptr;
    int controlId = 0;
    std::unique_ptr<UnitState> state;
    bool removed = false; // destroyed at run time; kept until its window goes

    UnitRef ref() const;
};

struct UnitCreation {
    LiveUnit& unit;
    HWND parent;   // the window's native window
    int controlId; // 100, 110, ...
};

struct UnitKind {
    std::uint32_t code = 0; // kind code, e.g. kind::editBox
    // The kind's font property, whose value is a LOGFONTA block read and
    // written whole or by member (sub-index); -1 when it has none.
    int fontProperty = -1;

    // Creates the unit's native window as a hidden child of the window; the
    // host applies visibility once all units exist. Null fails the load.
    HWND (*create)(const UnitCreation& creation) = nullptr;

    // Kind-specific properties (8 and up). A setter answers true when the
    // control must be rebuilt from its (already updated) record.
    PropertyValue (*getProperty)(LiveUnit& unit, int number) = nullptr;
    bool (*setProperty)(LiveUnit& unit, int number, const PropertyValue& value) = nullptr;

    // Whether the focused unit wants this dialog key (Tab, Enter, Esc, arrows) for itself.
    bool (*claimKey)(LiveUnit& unit, const MSG& message) = nullptr;

    // A notification the control sent to its window (WM_COMMAND code).
    void (*notify)(LiveUnit& unit, int code) = nullptr;

    // Colours of the control (WM_CTLCOLOR*): a brush, or null for the default.
    HBRUSH (*colours)(LiveUnit& unit, HDC dc) = nullptr;

    // An owner-drawn control's item to paint (WM_DRAWITEM sent to its window);
    // false leaves it to the window's default handling.
    bool (*drawItem)(LiveUnit& unit, const DRAWITEMSTRUCT& item) = nullptr;

    // Messages to the unit's own native window, before its window procedure.
    // Answer true with `result` set to keep the message from it.
    bool (*message)(LiveUnit& unit, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = nullptr;

    // Called once every unit of the window exists.
    void (*windowComplete)(LiveUnit& unit) = nullptr;
};

void registerUnitKind(const UnitKind& kind);

// From a kind's message hook: the message as the control handles it without
// the hook (the rest of its window procedures). The hook answers true with
// what this gave.
LRESULT passToControl(LiveUnit& unit, UINT message, WPARAM wParam, LPARAM lParam);
const UnitKind* findKindOperations(std::uint32_t code);

// Raises an event of the unit (its window and identifier filled in).
EventOutcome raiseUnitEvent(LiveUnit& unit, int event, const EventArguments& arguments = {});

// The kinds the host itself implements; called by the host at start.
void registerHostKinds();

// Helpers for kinds.
HFONT createFontFromBlock(const Bytes& block);                 // null when the block is empty
Bytes fontBlockOf(const std::optional<layout::LogFont>& font); // empty for none
int screenPixelsPerInch();
// Border styles of controls: 0 none, 1 sunken, 2 dialog frame, 3 static edge,
// 4 sunken with dialog frame, 5 single line.
void controlBorderStyles(std::int32_t borderStyle, DWORD& style, DWORD& exStyle);

} // namespace wrivo

namespace wrivo {
// The hidden child window a non-visual unit (timer, common dialog) lives in.
HWND createHiddenUnitWindow(const UnitCreation& creation);
} // namespace wrivo
