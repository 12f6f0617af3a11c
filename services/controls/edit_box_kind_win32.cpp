// The edit box kind: creates the EDIT control from the unit's settings,
// paints it in its colours and font, raises content-changed, claims Enter
// when it is a writable multi-line box, and serves its properties.
#include "host/live_window.h"
#include "host/unit_access.h"
#include "services/controls/control_colours.h"
#include "services/controls/edit_selection.h"
#include "services/controls/edit_text_win32.h"
#include "services/controls/edit_watch_win32.h"
#include "services/controls/unit_properties.h"

namespace wrivo {

using layout::unitDisabled, layout::unitTabStop, layout::EditBoxSettings, layout::LayoutUnit;
namespace kind = layout::kind;

namespace {

struct EditBoxState : UnitState {
    ControlPaint paint;
    RememberedSelection selection; // as last written, in bytes
    std::size_t textLength = 0;    // at the last read of the text: room for the next (editText)
    EditWatch watch;
};

EditBoxSettings& settingsOf(LiveUnit& unit)
{
    if (!std::holds_alternative<EditBoxSettings>(unit.record.settings)) unit.record.settings = EditBoxSettings{};
    return std::get<EditBoxSettings>(unit.record.settings);
}

EditBoxState& stateOf(LiveUnit& unit)
{
    if (!unit.state) unit.state = std::make_unique<EditBoxState>();
    return static_cast<EditBoxState&>(*unit.state);
}

DWORD editStyles(const LayoutUnit& record, const EditBoxSettings& settings, DWORD& exStyle)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (record.common.flags & unitTabStop) style |= WS_TABSTOP;
    if (record.common.flags & unitDisabled) style |= WS_DISABLED;
    if (settings.multiLine) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL;
        if (settings.scrollBars & 1) style |= WS_HSCROLL | ES_AUTOHSCROLL; // no wrapping with a horizontal bar
        if (settings.scrollBars & 2) style |= WS_VSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (settings.alignment == 1) style |= ES_CENTER;
    if (settings.alignment == 2) style |= ES_RIGHT;
    if (settings.inputMode == 1) style |= ES_READONLY;
    if (settings.inputMode == 2 && !settings.multiLine) style |= ES_PASSWORD;
    if (!settings.hideSelection) style |= ES_NOHIDESEL;
    if (settings.caseConversion == 1) style |= ES_LOWERCASE;
    if (settings.caseConversion == 2) style |= ES_UPPERCASE;
    controlBorderStyles(settings.borderStyle, style, exStyle);
    return style;
}

// A multi-line EDIT control supports neither the password style nor
// EM_SETPASSWORDCHAR (Microsoft's EM_SETPASSWORDCHAR page); 0 shows the text.
void applyPasswordCharacter(HWND control, const EditBoxSettings& settings)
{
    if (settings.multiLine) return;
    SendMessageA(control, EM_SETPASSWORDCHAR, settings.inputMode == 2 ? settings.passwordChar : 0, 0);
    InvalidateRect(control, nullptr, TRUE);
}

// Stores a style setting; true when it changed, so the control needs
// rebuilding. The same value costs nothing (a rebuild loses the undo).
template <typename Setting, typename Value>
bool changeStyle(Setting& setting, Value value)
{
    if (setting == static_cast<Setting>(value)) return false;
    setting = static_cast<Setting>(value);
    return true;
}

HWND createEditBox(const UnitCreation& creation)
{
    LiveUnit& unit = creation.unit;
    EditBoxSettings& settings = settingsOf(unit);
    DWORD exStyle = 0;
    DWORD style = editStyles(unit.record, settings, exStyle);
    const LayoutUnit& record = unit.record;
    HWND control = CreateWindowExA(exStyle, "EDIT", "", style, record.common.left, record.common.top,
                                   record.common.width, record.common.height, creation.parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.controlId)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control) return nullptr;
    // The platform's default limit would stop a writer mid-document.
    SendMessageA(control, EM_SETLIMITTEXT, static_cast<WPARAM>(settings.maxLength > 0 ? settings.maxLength : 0), 0);
    if (settings.inputMode == 2) applyPasswordCharacter(control, settings);
    EditBoxState& state = stateOf(unit);
    state.paint.setFont(control, fontBlockOf(settings.font));
    state.paint.setBackground(settings.backColour);
    SetWindowTextA(control, settings.content.c_str());
    return control;
}

HBRUSH editBoxColours(LiveUnit& unit, HDC dc)
{
    EditBoxSettings& settings = settingsOf(unit);
    return stateOf(unit).paint.paint(dc, settings.textColour, settings.backColour);
}

bool editBoxClaimsKey(LiveUnit& unit, const MSG& message)
{
    EditBoxSettings& settings = settingsOf(unit);
    bool enter = (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) ||
                 (message.message == WM_CHAR && message.wParam == '\r');
    return enter && settings.multiLine && settings.inputMode != 1;
}

// The control's own undo (WM_UNDO, as its context menu sends; EM_UNDO) is
// the editor's: the request is raised and the control's single step stays
// unused. The messages by which the control edits its text are watched.
bool editBoxMessage(LiveUnit& unit, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_UNDO || message == EM_UNDO) {
        raiseUnitEvent(unit, UnitEvent::editBoxUndo);
        result = TRUE;
        return true;
    }
    if (!EditWatch::edits(message)) return false;
    const EditWatch::Around watched(stateOf(unit).watch, unit.handle, message);
    result = passToControl(unit, message, wParam, lParam);
    return true;
}

void editBoxNotified(LiveUnit& unit, int code)
{
    if (code != EN_CHANGE) return;
    stateOf(unit).watch.changed(unit.handle);
    raiseUnitEvent(unit, UnitEvent::primary);
}

PropertyValue getEditBoxProperty(LiveUnit& unit, int number)
{
    EditBoxSettings& settings = settingsOf(unit);
    std::size_t* textLength = &stateOf(unit).textLength;
    switch (number) {
    case EditBoxProperty::content: return editText(unit.handle, textLength);
    case EditBoxProperty::borderStyle: return std::int64_t{settings.borderStyle};
    case EditBoxProperty::textColour: return std::int64_t{settings.textColour};
    case EditBoxProperty::backgroundColour: return std::int64_t{settings.backColour};
    case EditBoxProperty::font: return fontBlockOf(settings.font);
    case EditBoxProperty::hideSelection: return std::int64_t{settings.hideSelection != 0};
    case EditBoxProperty::maximumLength: return std::int64_t{settings.maxLength};
    case EditBoxProperty::multiLine: return std::int64_t{settings.multiLine != 0};
    case EditBoxProperty::scrollBars: return std::int64_t{settings.scrollBars};
    case EditBoxProperty::alignment: return std::int64_t{settings.alignment};
    case EditBoxProperty::inputMode: return std::int64_t{settings.inputMode};
    case EditBoxProperty::passwordCharacter: return std::int64_t{settings.passwordChar};
    case EditBoxProperty::caseConversion: return std::int64_t{settings.caseConversion};
    case EditBoxProperty::selectionStart: return std::int64_t{editSelection(unit.handle, textLength).start};
    case EditBoxProperty::selectionLength: return std::int64_t{editSelection(unit.handle, textLength).length};
    case EditBoxProperty::selectedText: return selectedEditText(unit.handle, textLength);
    default: return std::int64_t{0};
    }
}

bool setEditBoxProperty(LiveUnit& unit, int number, const PropertyValue& value)
{
    EditBoxSettings& settings = settingsOf(unit);
    EditBoxState& state = stateOf(unit);
    std::int64_t number64 = propertyNumber(value);
    auto int32 = [&] { return static_cast<std::int32_t>(number64); };
    switch (number) {
    case EditBoxProperty::content: {
        settings.content = propertyText(value);
        // The write itself raises nothing; the one content-changed follows it.
        {
            const EventSuspension quiet;
            SetWindowTextA(unit.handle, settings.content.c_str());
        }
        raiseUnitEvent(unit, UnitEvent::primary);
        return false;
    }
    case EditBoxProperty::textColour:
        if (settings.textColour == static_cast<std::uint32_t>(number64)) return false;
        settings.textColour = static_cast<std::uint32_t>(number64);
        InvalidateRect(unit.handle, nullptr, TRUE);
        return false;
    case EditBoxProperty::backgroundColour:
        if (settings.backColour == static_cast<std::uint32_t>(number64)) return false;
        settings.backColour = static_cast<std::uint32_t>(number64);
        state.paint.setBackground(settings.backColour);
        InvalidateRect(unit.handle, nullptr, TRUE);
        return false;
    case EditBoxProperty::font: {
        Bytes block = propertyBytes(value);
        if (block == fontBlockOf(settings.font)) return false; // re-laying out a long text costs seconds
        settings.font = decodeFontRecord(block);
        state.paint.setFont(unit.handle, block);
        return false;
    }
    case EditBoxProperty::maximumLength:
        settings.maxLength = int32() < 0 ? 0 : int32();
        SendMessageA(unit.handle, EM_SETLIMITTEXT, static_cast<WPARAM>(settings.maxLength), 0);
        return false;
    case EditBoxProperty::selectionStart:
    case EditBoxProperty::selectionLength: {
        const std::string text = editText(unit.handle, &state.textLength);
        const auto textBytes = static_cast<std::int32_t>(text.size());
        if (number == EditBoxProperty::selectionStart)
            state.selection.writeStart(number64, textBytes);
        else
            state.selection.writeLength(number64, textBytes);
        selectEditRangeIn(unit.handle, {state.selection.start, state.selection.length}, text);
        return false;
    }
    case EditBoxProperty::selectedText: replaceEditSelection(unit.handle, propertyText(value)); return false;
    case EditBoxProperty::inputMode: {
        const bool wasPassword = settings.inputMode == 2;
        settings.inputMode = int32();
        // Read-only and the password character have their own messages, so
        // the control (and its undo) stays.
        SendMessageA(unit.handle, EM_SETREADONLY, settings.inputMode == 1, 0);
        if (wasPassword != (settings.inputMode == 2)) applyPasswordCharacter(unit.handle, settings);
        return false;
    }
    case EditBoxProperty::passwordCharacter:
        settings.passwordChar = static_cast<std::uint16_t>(number64);
        if (settings.inputMode == 2) applyPasswordCharacter(unit.handle, settings);
        return false;
    case EditBoxProperty::borderStyle:
        if (!changeStyle(settings.borderStyle, int32())) return false;
        break;
    case EditBoxProperty::hideSelection:
        if (!changeStyle(settings.hideSelection, number64 != 0)) return false;
        break;
    case EditBoxProperty::multiLine:
        if (!changeStyle(settings.multiLine, number64 != 0)) return false;
        break;
    case EditBoxProperty::scrollBars:
        if (!changeStyle(settings.scrollBars, int32())) return false;
        break;
    case EditBoxProperty::alignment:
        if (!changeStyle(settings.alignment, int32())) return false;
        break;
    case EditBoxProperty::caseConversion:
        if (!changeStyle(settings.caseConversion, int32())) return false;
        break;
    default: return false;
    }
    // Style changes need a new control; it keeps the text typed so far.
    settings.content = editText(unit.handle, &state.textLength);
    return true;
}

} // namespace

const EditWatch* editWatchOf(HWND edit)
{
    LiveUnit* unit = liveUnitOfControl(edit);
    if (!unit || unit->record.kind != kind::editBox) return nullptr;
    return &stateOf(*unit).watch;
}

void registerEditBoxKind()
{
    UnitKind kind;
    kind.code = kind::editBox;
    kind.fontProperty = EditBoxProperty::font;
    kind.create = createEditBox;
    kind.getProperty = getEditBoxProperty;
    kind.setProperty = setEditBoxProperty;
    kind.claimKey = editBoxClaimsKey;
    kind.notify = editBoxNotified;
    kind.message = editBoxMessage;
    kind.colours = editBoxColours;
    registerUnitKind(kind);
}

} // namespace wrivo
