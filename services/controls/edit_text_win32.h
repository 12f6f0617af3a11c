// What the edit box does to its platform edit control ("EDIT" window):
// selections in GBK bytes, the selected text, and appending.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "services/controls/edit_box_operations.h"
#include "services/controls/edit_selection.h"

namespace wrivo {

// The control's whole text. `lastLength` is the control's own memory of the
// length its last read found (the edit box keeps one per unit): the read tries
// room for about that much at once. Without it the read starts from no guess.
std::string editText(HWND edit, std::size_t* lastLength = nullptr);

// The length of the control's text as it counts offsets, without reading the
// text: where it counts characters, its UTF-16 length, which is what its
// offsets count.
std::int32_t editLength(HWND edit);
// The bytes of the control's text from offset `start` to `end` (as it counts
// them), read line by line without the rest of the text. Nothing where the
// lines do not give the stretch exactly: a box of one line, a stretch of more
// than a few lines or a few thousand characters, a line longer than one read
// can take, a break between
// lines other than "\r\n", a line whose bytes do not count as the control
// counts it. `textLength`, the text's length as the control counts, lets a
// stretch near the end be found with less work where the caller knows it; it
// must be right.
std::optional<std::string> editTextStretch(HWND edit, std::int32_t start, std::int32_t end,
                                           std::int32_t textLength = -1);

// Characters of the control's text that the code page cannot hold (see
// charactersOutsideCodePage).
std::int32_t editCharactersOutsideCodePage(HWND edit);

// Whether this system's ANSI edit control counts offsets in characters (Wine)
// rather than in bytes (Windows on code page 936). Found once, by asking a
// scratch control.
bool editControlCountsCharacters();

// The control's current selection, in bytes.
// Where the control counts characters these read its text, with the memory
// editText takes.
EditRange editSelection(HWND edit, std::size_t* lastLength = nullptr);
// Selects `length` bytes from `start` and scrolls the caret into view.
void selectEditRange(HWND edit, EditRange range, std::size_t* lastLength = nullptr);
// The same with the control's text already at hand, as just read.
void selectEditRangeIn(HWND edit, EditRange range, std::string_view text);
// The line holding the caret scrolled to the top of the control (as far as
// the lines below it let the view go).
void scrollEditCaretLineToTop(HWND edit);
// The selection as the control counts it, both ends in one number: cheap, for
// noticing that the caret moved without reading the text.
std::uint64_t editSelectionMark(HWND edit);
// The bytes of the current selection.
std::string selectedEditText(HWND edit, std::size_t* lastLength = nullptr);
// The selection in bytes of `text`, the control's text as just read.
EditRange editSelectionIn(HWND edit, std::string_view text);
// Replaces the selection with the text (not undoable).
void replaceEditSelection(HWND edit, std::string_view text);
// Replaces `range` of `text` (the control's text as it stands) with
// `replacement`, as one edit the control reports as a change. The control
// keeps it as its own one undoable step, so that its context menu offers undo.
void replaceEditRangeIn(HWND edit, std::string_view text, EditRange range, std::string_view replacement);
// For each text in order: caret to the end of the text, scrolled into view,
// and the text inserted there. The control reports each insertion as a change.
void appendEditText(HWND edit, std::initializer_list<std::string_view> texts);

// The same three with the offsets of the control's text (as it stands) at
// hand: a conversion scans a short stretch, not the text up to the place.
EditRange editSelectionIn(HWND edit, const CharacterOffsets& offsets);
void selectEditRangeIn(HWND edit, EditRange range, const CharacterOffsets& offsets);
void replaceEditRangeIn(HWND edit, const CharacterOffsets& offsets, EditRange range, std::string_view replacement);

// Replaces each range (in the order of the text, not overlapping) of the
// control's text, whose offsets are given, from the last to the first, so
// that the places still to go keep their offsets; drawing is held until the
// last is in. Not undoable in the control; the control reports each as a
// change.
void replaceEditRanges(HWND edit, const CharacterOffsets& offsets, std::span<const RangeReplacement> replacements);

} // namespace wrivo
