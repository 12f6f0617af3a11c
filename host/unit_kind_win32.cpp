#include "host/unit_kind.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "host/font_record.h"
#include "host/host.h"
#include "host/live_window.h"
#include "host/scoped_win32.h"

namespace wrivo {

using layout::LogFont, layout::LayoutUnit;

namespace {

std::map<std::uint32_t, UnitKind>& kindTable()
{
    static std::map<std::uint32_t, UnitKind> table;
    return table;
}

constexpr UINT_PTR unitSubclassId = 0x57524956; // "WRIV"

LRESULT CALLBACK unitSubclassProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                       DWORD_PTR reference)
{
    auto* unit = reinterpret_cast<LiveUnit*>(reference);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, unitSubclassProcedure, subclassId);
        if (unit->handle == control) unit->handle = nullptr;
        return DefSubclassProc(control, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (unit->kind && unit->kind->message && unit->kind->message(*unit, message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_SETFOCUS: {
        result = DefSubclassProc(control, message, wParam, lParam);
        LiveUnit& focused = *unit;
        raiseEvent(focused.window->id, focused.record.id, UnitEvent::gotFocus);
        return result;
    }
    case WM_KILLFOCUS: {
        result = DefSubclassProc(control, message, wParam, lParam);
        raiseEvent(unit->window->id, unit->record.id, UnitEvent::lostFocus);
        return result;
    }
    default: return DefSubclassProc(control, message, wParam, lParam);
    }
}

} // namespace

UnitRef LiveUnit::ref() const
{
    return {window ? window->id : 0, record.id, record.kind};
}

EventOutcome raiseUnitEvent(LiveUnit& unit, int event, const EventArguments& arguments)
{
    return raiseEvent(unit.window->id, unit.record.id, event, arguments);
}

void registerUnitKind(const UnitKind& kind)
{
    kindTable()[kind.code] = kind;
}

LRESULT passToControl(LiveUnit& unit, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Called from within unitSubclassProcedure, as DefSubclassProc must be.
    return DefSubclassProc(unit.handle, message, wParam, lParam);
}

const UnitKind* findKindOperations(std::uint32_t code)
{
    auto found = kindTable().find(code);
    return found == kindTable().end() ? nullptr : &found->second;
}

LiveUnit* liveUnitOfControl(HWND control)
{
    DWORD_PTR reference = 0;
    if (!control || !GetWindowSubclass(control, unitSubclassProcedure, unitSubclassId, &reference)) return nullptr;
    return reinterpret_cast<LiveUnit*>(reference);
}

void tieUnitToControl(LiveUnit& unit)
{
    SetWindowSubclass(unit.handle, unitSubclassProcedure, unitSubclassId, reinterpret_cast<DWORD_PTR>(&unit));
}

Bytes fontBlockOf(const std::optional<LogFont>& font)
{
    return font ? encodeFontRecord(*font) : Bytes{};
}

HFONT createFontFromBlock(const Bytes& block)
{
    const std::optional<LogFont> record = decodeFontRecord(block);
    if (!record) return nullptr;
    LOGFONTA font{record->height,         record->width,
                  record->escapement,     record->orientation,
                  record->weight,         record->italic,
                  record->underline,      record->strikeOut,
                  record->charSet,        record->outPrecision,
                  record->clipPrecision,  record->quality,
                  record->pitchAndFamily, {}};
    std::copy(record->faceName.begin(), record->faceName.end(), font.lfFaceName);
    return CreateFontIndirectA(&font);
}

int screenPixelsPerInch()
{
    int dpi = GetDeviceCaps(ScopedGetDC(nullptr).get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

void controlBorderStyles(std::int32_t borderStyle, DWORD& style, DWORD& exStyle)
{
    switch (borderStyle) {
    case 1: exStyle |= WS_EX_CLIENTEDGE; break;
    case 2: exStyle |= WS_EX_DLGMODALFRAME; break;
    case 3: exStyle |= WS_EX_STATICEDGE; break;
    case 4: exStyle |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
    case 5: style |= WS_BORDER; break;
    default: break;
    }
}

} // namespace wrivo

namespace wrivo {

HWND createHiddenUnitWindow(const UnitCreation& creation)
{
    const LayoutUnit& record = creation.unit.record;
    return CreateWindowExA(0, "STATIC", "", WS_CHILD, record.common.left, record.common.top, record.common.width,
                           record.common.height, creation.parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.controlId)), GetModuleHandleA(nullptr),
                           nullptr);
}

} // namespace wrivo
