#include "services/controls/edit_text_win32.h"

#include <algorithm>

#include "services/controls/edit_selection.h"

#include <string>
#include <vector>

namespace wrivo {

namespace {

// Offsets as the control counts them <-> bytes of its text.
std::int32_t toControlUnits(std::string_view text, std::int32_t bytes)
{
    return editControlCountsCharacters() ? charactersInBytes(text, bytes) : bytes;
}

std::int32_t toBytes(std::string_view text, std::int32_t units)
{
    return editControlCountsCharacters() ? bytesInCharacters(text, units) : units;
}

// The selection in the control's units, and selecting in them.
std::pair<std::int32_t, std::int32_t> controlSelection(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<std::int32_t>(start), static_cast<std::int32_t>(end)};
}

void selectInUnits(HWND edit, std::int32_t start, std::int32_t end)
{
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

std::int32_t endOf(EditRange range)
{
    const std::int64_t end = std::int64_t{range.start} + range.length;
    return end > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(end);
}

// Holds the control's drawing while it lives, then has it drawn once. As
// Microsoft's WM_SETREDRAW page has it: redraw off, the changes, redraw on,
// then RedrawWindow with RDW_ERASE | RDW_FRAME | RDW_INVALIDATE |
// RDW_ALLCHILDREN (the edit box may have a border of its own). Redraw on
// shows a hidden window, so a hidden control is left alone.
class HeldDrawing {
public:
    explicit HeldDrawing(HWND edit) : edit_(IsWindowVisible(edit) ? edit : nullptr)
    {
        if (edit_) SendMessageA(edit_, WM_SETREDRAW, FALSE, 0);
    }
    ~HeldDrawing()
    {
        if (!edit_) return;
        SendMessageA(edit_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(edit_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    HeldDrawing(const HeldDrawing&) = delete;
    HeldDrawing& operator=(const HeldDrawing&) = delete;

private:
    HWND edit_;
};

} // namespace

std::int32_t controlOffset(const CharacterOffsets& offsets, std::int32_t bytes)
{
    return editControlCountsCharacters() ? offsets.charactersInBytes(bytes) : bytes;
}

std::int32_t byteOffset(const CharacterOffsets& offsets, std::int32_t controlOffset)
{
    return editControlCountsCharacters() ? offsets.bytesInCharacters(controlOffset) : controlOffset;
}

std::string editText(HWND edit, std::size_t* lastLength)
{
    // Asking for the length first costs a pass over the whole text (the
    // control converts it to count the bytes), so the read is tried at once
    // into room for the size last read plus some. A text that does not fit
    // comes back cut at the end of the room, perhaps a byte short of it where
    // a Chinese character would have been split; so only a text that leaves
    // at least three bytes of room unused is whole, and any other is read
    // again at its exact length.
    const std::size_t guess = lastLength ? *lastLength : 0;
    std::size_t capacity = guess + guess / 8 + 4096;
    std::string text;
    for (int attempt = 0; attempt < 2; ++attempt) {
        text.resize(capacity);
        const int copied = GetWindowTextA(edit, text.data(), static_cast<int>(capacity));
        const std::size_t length = copied > 0 ? static_cast<std::size_t>(copied) : 0;
        if (length + 3 <= capacity || attempt == 1) {
            text.resize(std::min(length, capacity - 1));
            break;
        }
        capacity = static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1; // may be more than needed
    }
    if (lastLength) *lastLength = text.size();
    return text;
}

std::int32_t editLength(HWND edit)
{
    // Asked through the window's ANSI procedure, the length of a control that
    // keeps UTF-16 would be its GBK length, found by converting the text.
    if (!editControlCountsCharacters()) return static_cast<std::int32_t>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0));
    const auto procedure = reinterpret_cast<WNDPROC>(GetClassLongPtrW(edit, GCLP_WNDPROC));
    return procedure ? static_cast<std::int32_t>(CallWindowProcW(procedure, edit, WM_GETTEXTLENGTH, 0, 0)) : -1;
}

std::optional<std::string> editTextStretch(HWND edit, std::int32_t start, std::int32_t end, std::int32_t textLength)
{
    // More lines than this are read whole: each line's messages walk the
    // control's lines from the first where it keeps them in a list (Wine).
    constexpr int mostLines = 8;
    // EM_GETLINE's room is given in a WORD.
    constexpr std::size_t mostBytes = 0xFFFF;
    constexpr std::int32_t nearTheEnd = 1024;
    // A longer stretch spans more lines than are read one by one (or one
    // longer than a read can take).
    constexpr std::int32_t mostUnits = 4096;
    if (start < 0 || end < start || end - start > mostUnits || !(GetWindowLongA(edit, GWL_STYLE) & ES_MULTILINE))
        return std::nullopt;
    const bool characters = editControlCountsCharacters();
    const auto lines = static_cast<std::int32_t>(SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
    std::string stretch, piece;
    // Writing goes on at the end of a text, mostly. With the text's length
    // at hand, the last line's start is its length less the last line's: a
    // stretch on it is read with one walk of the lines.
    if (textLength >= 0 && textLength - start < nearTheEnd) {
        piece.assign(mostBytes, '\0');
        *reinterpret_cast<WORD*>(piece.data()) = static_cast<WORD>(mostBytes);
        const LRESULT copied =
            SendMessageA(edit, EM_GETLINE, static_cast<WPARAM>(lines - 1), reinterpret_cast<LPARAM>(piece.data()));
        piece.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(mostBytes))));
        const std::int32_t index = textLength - toControlUnits(piece, static_cast<std::int32_t>(piece.size()));
        if (piece.size() < mostBytes && index <= start && end <= textLength) {
            const std::int32_t from = toBytes(piece, start - index);
            return piece.substr(static_cast<std::size_t>(from),
                                static_cast<std::size_t>(toBytes(piece, end - index) - from));
        }
    }
    auto line = static_cast<std::int32_t>(SendMessageA(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(start), 0));
    auto index = static_cast<std::int32_t>(SendMessageA(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
    if (line < 0 || index < 0 || index > start) return std::nullopt;
    for (int read = 0; read < mostLines; ++read) {
        // The line's characters, then the break to the next line: none where
        // the line wraps, "\r\n" where a paragraph ends. The last line has
        // no break, and its length is what the read gives (the length would
        // cost one more walk of the lines): with room for any line, a read
        // that fills it may have been cut.
        const bool last = line + 1 >= lines;
        std::int32_t length = 0, next = 0;
        std::size_t room = mostBytes;
        if (!last) {
            length = static_cast<std::int32_t>(SendMessageA(edit, EM_LINELENGTH, static_cast<WPARAM>(index), 0));
            next = static_cast<std::int32_t>(SendMessageA(edit, EM_LINEINDEX, static_cast<WPARAM>(line + 1), 0));
            const std::int32_t gap = next - index - length;
            if (length < 0 || (gap != 0 && gap != 2)) return std::nullopt;
            // A character is at most two bytes of GBK; the room's word needs two.
            room = std::max<std::size_t>(static_cast<std::size_t>(length) * (characters ? 2 : 1), 2);
            if (room > mostBytes) return std::nullopt;
        }
        piece.assign(room, '\0');
        *reinterpret_cast<WORD*>(piece.data()) = static_cast<WORD>(room);
        const LRESULT copied =
            SendMessageA(edit, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(piece.data()));
        piece.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(room))));
        const std::int32_t units = toControlUnits(piece, static_cast<std::int32_t>(piece.size()));
        if (last) {
            if (piece.size() >= mostBytes) return std::nullopt;
            length = units;
            next = index + length;
        } else if (units != length) {
            return std::nullopt;
        }
        if (next - index - length == 2) piece += "\r\n";
        // The part of this line's stretch [index, next) inside [start, end).
        const std::int32_t from = toBytes(piece, std::max(start, index) - index);
        const std::int32_t to = toBytes(piece, std::min(end, next) - index);
        if (to > from) stretch.append(piece, static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
        if (next >= end) return stretch;
        if (last) return std::nullopt; // the stretch ends beyond the text
        ++line;
        index = next;
    }
    return std::nullopt;
}

std::int32_t editCharactersOutsideCodePage(HWND edit)
{
    if (!editControlCountsCharacters()) return 0;
    // The UTF-16 text as the control holds it: asked through the window's
    // ANSI procedure it would already have become GBK, "?" included.
    const auto procedure = reinterpret_cast<WNDPROC>(GetClassLongPtrW(edit, GCLP_WNDPROC));
    const std::int32_t length = editLength(edit);
    if (!procedure || length <= 0) return 0;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        CallWindowProcW(procedure, edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));

    auto needsDefault = [](const wchar_t* units, int count) {
        BOOL usedDefault = FALSE;
        WideCharToMultiByte(CP_ACP, 0, units, count, nullptr, 0, nullptr, &usedDefault);
        return usedDefault != FALSE;
    };
    if (!needsDefault(text.data(), static_cast<int>(text.size()))) return 0;
    // Rare: count them one character (a unit, or a surrogate pair) at a time.
    std::int32_t outside = 0;
    for (std::size_t i = 0; i < text.size();) {
        const bool pair = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
        const int units = pair ? 2 : 1;
        outside += needsDefault(text.data() + i, units) ? 1 : 0;
        i += static_cast<std::size_t>(units);
    }
    return outside;
}

bool editControlCountsCharacters()
{
    static const bool characters = [] {
        HWND probe = CreateWindowExA(0, "EDIT", "汉字", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        if (!probe) return false;
        SendMessageA(probe, EM_SETSEL, 0, -1);
        DWORD start = 0, end = 0;
        SendMessageA(probe, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        DestroyWindow(probe);
        return end == 2; // two characters; on Windows 4 bytes
    }();
    return characters;
}

// (The text is only looked at where the control counts characters.)
EditRange editSelectionIn(HWND edit, std::string_view text)
{
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (!editControlCountsCharacters())
        return {static_cast<std::int32_t>(start), static_cast<std::int32_t>(end - start)};
    const std::int32_t startBytes = toBytes(text, static_cast<std::int32_t>(start));
    const std::int32_t endBytes = toBytes(text, static_cast<std::int32_t>(end));
    return {startBytes, endBytes - startBytes};
}

EditRange editSelection(HWND edit, std::size_t* lastLength)
{
    return editSelectionIn(edit, editControlCountsCharacters() ? editText(edit, lastLength) : std::string());
}

void selectEditRangeIn(HWND edit, EditRange range, std::string_view text)
{
    const std::int64_t endBytes = std::int64_t{range.start} + range.length;
    std::int32_t start = range.start;
    std::int32_t end = endBytes > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(endBytes);
    if (editControlCountsCharacters()) {
        start = toControlUnits(text, start);
        end = toControlUnits(text, end);
    }
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

void selectEditRange(HWND edit, EditRange range, std::size_t* lastLength)
{
    selectEditRangeIn(edit, range, editControlCountsCharacters() ? editText(edit, lastLength) : std::string());
}

void scrollEditCaretLineToTop(HWND edit)
{
    // Both count lines as wrapped on screen; -1 is the caret's line.
    const auto line = static_cast<int>(SendMessageA(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
    const auto first = static_cast<int>(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
    if (line != first) SendMessageA(edit, EM_LINESCROLL, 0, static_cast<LPARAM>(line - first));
}

std::uint64_t editSelectionMark(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return (std::uint64_t{start} << 32) | end;
}

std::string selectedEditText(HWND edit, std::size_t* lastLength)
{
    const std::string text = editText(edit, lastLength);
    const EditRange range = editSelectionIn(edit, text);
    const auto start = static_cast<std::size_t>(range.start);
    if (start >= text.size()) return {};
    return text.substr(start, static_cast<std::size_t>(range.length));
}

void replaceEditSelection(HWND edit, std::string_view text)
{
    const std::string copy(text);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(copy.c_str()));
}

void replaceEditRangeIn(HWND edit, std::string_view text, EditRange range, std::string_view replacement)
{
    std::int32_t start = range.start;
    std::int32_t end = range.start + range.length;
    if (editControlCountsCharacters()) {
        const std::size_t startBytes = std::min(static_cast<std::size_t>(std::max(range.start, 0)), text.size());
        start = toControlUnits(text, range.start);
        end = start + charactersInBytes(text.substr(startBytes), range.length);
    }
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    const std::string copy(replacement);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(copy.c_str()));
}

EditRange editSelectionIn(HWND edit, const CharacterOffsets& offsets)
{
    const auto [start, end] = controlSelection(edit);
    const std::int32_t startBytes = byteOffset(offsets, start);
    return {startBytes, byteOffset(offsets, end) - startBytes};
}

void selectEditRangeIn(HWND edit, EditRange range, const CharacterOffsets& offsets)
{
    selectInUnits(edit, controlOffset(offsets, range.start), controlOffset(offsets, endOf(range)));
}

void replaceEditRangeIn(HWND edit, const CharacterOffsets& offsets, EditRange range, std::string_view replacement)
{
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(controlOffset(offsets, range.start)),
                 static_cast<LPARAM>(controlOffset(offsets, endOf(range))));
    const std::string copy(replacement);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(copy.c_str()));
}

void replaceEditRanges(HWND edit, const CharacterOffsets& offsets, std::span<const RangeReplacement> replacements)
{
    const HeldDrawing held(edit);
    std::string copy;
    for (auto place = replacements.rbegin(); place != replacements.rend(); ++place) {
        // The text before this place is still as it was, so its offsets hold.
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(controlOffset(offsets, place->range.start)),
                     static_cast<LPARAM>(controlOffset(offsets, endOf(place->range))));
        copy.assign(place->replacement);
        SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(copy.c_str()));
    }
}

void appendEditText(HWND edit, std::initializer_list<std::string_view> texts)
{
    for (std::string_view text : texts) {
        // An offset past the end is taken as the end, whatever the control counts.
        SendMessageA(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        replaceEditSelection(edit, text);
    }
}

} // namespace wrivo
