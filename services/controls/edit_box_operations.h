// What the application does to an edit box through its unit reference:
// append text, count the characters the code page cannot write, give it the
// focus (any control), and read, set and replace a selection in GBK bytes.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "host/host_types.h"
#include "services/controls/character_offsets.h"
#include "services/controls/control_edit.h"
#include "services/controls/edit_selection.h"

namespace wrivo {

// Appends each text in order at the end of the edit box's text, the caret
// following and the view ending at the bottom; each insertion raises the
// edit box's content-changed event through the control's own notification.
void appendText(const UnitRef& editBox, std::initializer_list<std::string_view> texts);

// How many characters the edit box holds that GBK cannot write: where the
// control keeps its text as UTF-16 (Wine), text pasted from elsewhere may
// bring such characters (emoji, for one); as GBK bytes each of them becomes
// "?". 0 where the control holds GBK bytes itself.
std::int32_t charactersOutsideCodePage(const UnitRef& editBox);

// Gives the keyboard focus to the control's window.
void setFocus(const UnitRef& control);

// The edit box's selection, and selecting (scrolled into view), in bytes of
// `text`: the box's text as the caller has just read it, so that no second
// read is needed where the control counts characters.
EditRange selectionIn(const UnitRef& editBox, std::string_view text);
void selectIn(const UnitRef& editBox, std::string_view text, EditRange range);
// The caret's line scrolled to the top of the box.
void scrollCaretLineToTop(const UnitRef& editBox);
// The selection in the control's own count, as one number that changes when
// the caret or the selection moves; reading it reads no text.
std::uint64_t selectionMark(const UnitRef& editBox);
// Replaces `range` of `text` (the box's text as it stands) with `replacement`:
// one edit, which raises content-changed once (through the control's own
// notification, or for the whole text as a content write), the caret after
// what was put in.
void replaceRangeIn(const UnitRef& editBox, std::string_view text, EditRange range, std::string_view replacement);

// The same with the offsets of the box's text (as it stands) at hand, which
// spare the scan of the text up to the place where the control counts characters.
EditRange selectionIn(const UnitRef& editBox, const CharacterOffsets& offsets);
void selectIn(const UnitRef& editBox, const CharacterOffsets& offsets, EditRange range);
void replaceRangeIn(const UnitRef& editBox, const CharacterOffsets& offsets, EditRange range,
                    std::string_view replacement);

// How many content changes the box's control has reported, and the last one
// when it was an edit the control made of its own text (a key, a paste, a
// cut, a replacement of the selection): see control_edit.h. A reader that saw
// the change before it (its number less one) knows it is the only one since.
std::uint32_t controlChanges(const UnitRef& editBox);
std::optional<ControlEdit> lastControlEdit(const UnitRef& editBox);
// The bytes of the box's text between two offsets as its control counts
// them, read without the rest of the text; nothing where that cannot be done
// exactly (the caller reads the whole text then).
// `textLength` (as the control counts), where known, speeds up a stretch near
// the end.
std::optional<std::string> textStretch(const UnitRef& editBox, std::int32_t start, std::int32_t end,
                                       std::int32_t textLength = -1);
// A byte offset of the box's text (whose offsets are given) as its control
// counts, and back.
std::int32_t controlOffset(const CharacterOffsets& offsets, std::int32_t bytes);
std::int32_t byteOffset(const CharacterOffsets& offsets, std::int32_t controlOffset);

// One of several replacements made in one go.
struct RangeReplacement {
    EditRange range; // bytes of the text before any of them
    std::string_view replacement;
};
// Each range (in the order of the text, not overlapping) of the box's text
// becomes its replacement, in place, the drawing held until the last is in.
// Each raises content-changed through the control's notification.
void replaceRangesIn(const UnitRef& editBox, const CharacterOffsets& offsets,
                     std::span<const RangeReplacement> replacements);

} // namespace wrivo
