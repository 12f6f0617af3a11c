// The document: the one text the editor holds, the file it belongs to, and
// its undo history.
//
// The edit box holds the text; the common dialog's file-name property holds
// the remembered file, which is what the next file dialog offers (a file
// dialog writes the user's choice there, and the command that showed it puts
// the remembered file back at once). This object is the only one that
// changes either, and it does so in whole steps: a transition either happens
// completely (text, file, history, rows, shelf and recovery copy agree
// afterwards) or leaves everything as it was.
//
// It also keeps the one snapshot of the text that everything else reads (the
// counts and caption, find, undo, the recovery copy), taken at every content
// change of the edit box. A content change that arrives while the document is
// not writing the edit box itself is the user's own edit, and goes into the
// history as one.
//
// A change the box's control made as one edit of its own (a key, a paste, a
// cut, a replacement) is taken by reading only the stretch it touched; the
// whole text is read for any other, and again before the text goes to disk
// and once typing pauses, so that what is kept is always what the box holds.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/edit_history.h"
#include "app/statistics.h"
#include "services/controls/character_offsets.h"
#include "services/controls/edit_box_operations.h"
#include "services/controls/edit_selection.h"
#include "services/text/text_change.h"
#include "services/text/text_search.h"

namespace wrivo {

class Document {
public:
    // The text as the edit box's last content change left it.
    const std::string& text() const { return *text_; }
    // The same text, shared: a reader on another thread (the recovery copy)
    // keeps it alive without copying it; a change makes a new one.
    std::shared_ptr<const std::string> sharedText() const { return text_; }
    // Grows by one with every change of the text, whoever made it: a reader
    // that keeps the number it last saw knows whether the text changed since.
    std::uint64_t changeCount() const { return changeCount_; }
    // The remembered file; empty when there is none.
    std::string file() const;
    bool isEmpty() const;
    // True when the document is not empty and differs from its file as the
    // file is on disk now (read anew every time). Asked of the text as the
    // box holds it (confirm).
    bool isModified();
    // The paragraphs and counts of the text, and the tracked line breaks
    // (which the Enter and Backspace keys keep).
    const DocumentStatistics& statistics() const { return statistics_; }
    DocumentStatistics& statistics() { return statistics_; }

    // Byte and character offsets of the text, for an edit control that
    // counts characters; kept until the text changes.
    const CharacterOffsets& offsets() const;

    // The edit box's selection in bytes of the text, and selecting (scrolled
    // into view). Selecting ends a run of typing: the next typed character
    // starts a new step.
    EditRange selection() const;
    void select(EditRange range);

    // The transitions. `open` and `append` load a file after the reading
    // checks and their questions; when the file is refused or the user says
    // No, nothing changes (the remembered file included) and they answer
    // false. Open puts unsaved text on the shelf before it replaces it, and
    // the history starts afresh; an append is one step, which takes back the
    // remembered file too.
    bool open(const std::string& path);
    bool append(const std::string& path);
    // Writes the text to `path`, which becomes the remembered file whether
    // the write succeeds or not (the next save dialog offers it again).
    bool saveTo(const std::string& path);
    // New: unsaved text goes to the shelf, the text is emptied and the
    // history starts afresh; the remembered file stays.
    void startNew();
    // The clear command: as New, but emptying is a step that can be undone.
    void discardText();
    // A recovered text comes back with its file, as open would load it.
    void restore(const std::string& path, std::string text);
    // `range` of the text becomes `replacement`, as one step (redone, it
    // leaves what was put in selected).
    void replaceRange(EditRange range, std::string_view replacement);
    // Every match, as one step, one content change and one rewrite of the
    // strip; the selection stays on the same text (moved by the replacements
    // before it), and redo puts it back there. Answers how many were
    // replaced (0: none, and nothing changed).
    std::size_t replaceAll(std::string_view term, std::string_view replacement, SearchOptions options);
    // `text` after the end of the text (the date and time command), as one step.
    void appendAtEnd(std::string_view text);
    // The last step taken back, or the last one taken back made again.
    void undo();
    void redo();

    // The edit box's content-changed event: the new text becomes the
    // snapshot, and goes into the history as the user's edit unless the
    // document is writing it itself.
    void contentChanged();
    // When the snapshot was last taken from a stretch: reads the whole text
    // and counts it whole; should either differ (no known edit does that),
    // the box's text is taken, as part of the text the last step left (undo
    // never puts the difference back), and the whole count shown. Before the
    // text is written anywhere (to disk, or whole into the box from the
    // snapshot) and once typing pauses.
    void confirm();
    // Whether the snapshot was last taken from the whole text.
    bool confirmed() const { return confirmed_; }

private:
    struct Edited {
        std::shared_ptr<std::string> text;
        TextChange change;
    };
    // The text after the box's last change, when that was the control's own
    // edit and the only change since the snapshot: the snapshot with the
    // stretch the edit touched read anew from the box.
    std::optional<Edited> readEdit();
    void take(Edited edited);
    // The snapshot with `from`..`to` replaced by `inserted`, as a new
    // snapshot: the one before the last change brought up to date with that
    // change and this one, where nothing reads it any more; else a copy.
    std::shared_ptr<std::string> textWith(std::size_t from, std::size_t to, std::string_view inserted);
    void setFile(const std::string& path);
    void load(const std::string& path, std::string text);
    // Runs `write`, which writes the edit box, as the document's own change.
    template <typename Write>
    void writeOwn(Write&& write);
    // Runs `write` and records what it changed as one step of its own.
    // `counts`: whether the change, its undo and its redo count as writing.
    template <typename Write>
    void changeAsOneStep(Write&& write, bool counts, std::optional<FileChange> file = std::nullopt);
    void replay(const EditStep& step, bool undo);
    // Puts the replacements into the edit box where they belong, the content
    // changes they raise held until the last is in; then one content change.
    void replaceInPlace(std::span<const RangeReplacement> replacements);

    std::shared_ptr<std::string> text_ = std::make_shared<std::string>(); // never changed once taken
    // The snapshot before it and the change that made the current one of it
    // (what the change put in is in the current one).
    struct Spare {
        std::shared_ptr<std::string> text;
        TextChange change;
    } spare_;
    std::uint64_t changeCount_ = 0;
    DocumentStatistics statistics_;
    EditHistory history_;
    int writing_ = 0;                      // how deep the document is in writes of its own
    std::uint32_t controlChangesSeen_ = 0; // the box's control's change count at the snapshot
    bool confirmed_ = true;                // the snapshot was read whole
    bool correcting_ = false;              // taking the box's text after a check found it differs
    mutable std::optional<CharacterOffsets> offsets_;
    mutable std::shared_ptr<const std::string> offsetsText_; // the text offsets_ belongs to
};

// The editor's one document (while the application's state lives).
Document& document();

} // namespace wrivo
