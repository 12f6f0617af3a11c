// The document: the one text the editor holds, the file it belongs to, its
// counts and its undo history, and every change of them, done whole.
//
// It keeps the one snapshot of the text that everything else reads (the
// counts and caption, find, undo, the recovery copy) and a change number that
// grows with every change and never repeats, which is what caches key on.
// Each transition (open, append, new, clear, restore, replace, replace all,
// tidy-up, undo, redo) asks the box that shows the text for the edit it
// needs through an EditBoxPort and takes the box's content change as its own;
// a change the box made by itself (a key, a paste, a cut) comes in through
// boxChanged and goes into the history as the writer's. After a transition
// the text, the counts, the history and the remembered file agree, and the
// watchers are told once, with what changed and why: the model calls nobody
// by name, asks no question and shows no notice.
//
// Portable: the box is behind the port (app/edit_box_binding_win32.cpp binds
// the real edit box), so the model is built and tested natively too.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/edit_history.h"
#include "app/statistics.h"
#include "services/controls/character_offsets.h"
#include "services/controls/edit_box_operations.h"
#include "services/controls/edit_selection.h"
#include "services/text/text_change.h"
#include "services/text/text_search.h"

namespace wrivo {

enum class ChangeCause {
    edit,       // the box's own: a key, a paste, a cut
    correction, // a check found the box holding other text than the snapshot
    open,
    restore, // a recovered copy brought back
    append,
    newDocument,
    clear,
    replace, // one range (find and replace)
    replaceAll,
    tidy,
    convert,
    insert, // text put at the end (the date and time)
    undo,
    redo
};

struct Change {
    std::uint64_t number = 0; // the document's change number after it
    TextChange stretch;       // where the text before and after it differ
    // Whether it counts as writing in the day's figure: a text loaded or
    // dropped does not, and neither does its undo or redo.
    bool countsAsWriting = true;
    ChangeCause cause = ChangeCause::edit;
    std::shared_ptr<const std::string> before; // the text before it
    std::shared_ptr<const std::string> after;  // and after it
    // The remembered file before a transition of the model's own (the box's
    // own edits never change it, and leave this empty).
    std::string fileBefore;
    // A text the writer may not have kept (open, restore, New, clear).
    bool dropsText() const
    {
        return cause == ChangeCause::open || cause == ChangeCause::restore || cause == ChangeCause::newDocument ||
               cause == ChangeCause::clear;
    }
};

// What a part of the editor that follows the document is told.
class DocumentWatcher {
public:
    virtual void changed(const Change&) { }
    // Before a save writes `text` over `path`, and once it has written it.
    virtual void replacing(const std::string& /*path*/, const std::string& /*text*/) { }
    virtual void saved(const std::string& /*path*/, const std::shared_ptr<const std::string>& /*text*/) { }
    virtual ~DocumentWatcher() = default;
};

// What the model asks of the box that shows the text. Every write raises the
// box's content change before it returns, which the port hands to boxChanged.
class EditBoxPort {
public:
    // The whole text as the box holds it.
    virtual std::string content() = 0;
    virtual void setContent(std::string text) = 0;
    virtual void replaceRange(const CharacterOffsets& offsets, EditRange range, std::string_view replacement) = 0;
    // Each in its place, then one content change for all of them.
    virtual void replaceRanges(const CharacterOffsets& offsets, std::span<const RangeReplacement> replacements) = 0;
    virtual void append(std::string_view text) = 0;
    virtual EditRange selection(const CharacterOffsets& offsets) = 0;
    virtual void select(const CharacterOffsets& offsets, EditRange range) = 0;
    // The file the next file dialog offers: the document's remembered file.
    virtual std::string rememberedFile() const = 0;
    virtual void rememberFile(const std::string& path) = 0;

protected:
    ~EditBoxPort() = default;
};

class DocumentModel {
public:
    // The box, and a clock that only goes forward (milliseconds), which ends
    // a run of typing at a pause.
    void bind(EditBoxPort& box, std::uint64_t (*clock)())
    {
        box_ = &box;
        clock_ = clock;
    }
    void watch(DocumentWatcher& watcher) { watchers_.push_back(&watcher); }

    // The text as the box's last content change left it.
    const std::string& text() const { return *text_; }
    // The same text, shared: a reader on another thread (the recovery copy)
    // keeps it alive without copying it; a change makes a new one.
    std::shared_ptr<const std::string> sharedText() const { return text_; }
    // Grows by one with every change of the text, whoever made it.
    std::uint64_t changeCount() const { return changeCount_; }
    // The remembered file; empty when there is none. The box's side keeps it
    // where the next file dialog finds it (the port's rememberedFile).
    std::string file() const { return box_->rememberedFile(); }
    bool isEmpty() const { return text_->empty(); }
    // The paragraphs and counts of the text, and the tracked line breaks.
    const DocumentStatistics& statistics() const { return statistics_; }
    // The Enter and Backspace keys keep the line-break count.
    void enterPressed() { statistics_.enterPressed(); }
    void backspacePressed() { statistics_.backspacePressed(); }
    // Byte and character offsets of the text, kept until the text changes.
    const CharacterOffsets& offsets() const;

    // The box's selection in bytes of the text, and selecting. Selecting
    // ends a run of typing: the next typed character starts a new step.
    EditRange selection() const;
    void select(EditRange range);

    // The transitions. `open` and `restore` load an admitted text and start
    // the history afresh; an append is one step, which takes back the
    // remembered file too.
    void open(const std::string& path, std::string text);
    void restore(const std::string& path, std::string text);
    void append(const std::string& path, std::string_view text);
    // New: the text is emptied and the history starts afresh; the remembered
    // file stays. Clear: as New, but emptying is a step that can be undone,
    // and the line-break count starts again.
    void startNew();
    void discardText();
    // `range` of the text becomes `replacement`, as one step.
    void replaceRange(EditRange range, std::string_view replacement, ChangeCause cause = ChangeCause::replace);
    // Every match, as one step; the selection stays on the same text (moved
    // by the replacements before it), and redo puts it back there. Answers
    // how many were replaced (0: none, and nothing changed).
    std::size_t replaceAll(std::string_view term, std::string_view replacement, SearchOptions options);
    // `text` after the end of the text (the date and time command), as one step.
    void appendAtEnd(std::string_view text);
    void undo();
    void redo();

    // A save: the file becomes the remembered one whether the write succeeds
    // or not (the next save dialog offers it again); the watchers hear of the
    // text about to replace it, and of the save once it happened.
    void replacing(const std::string& path);
    void saved(const std::string& path);

    // The box's content changed, to `text`, where `change` says (its own
    // edit, or the model's write coming back). The port builds `text` with
    // textWith where it read only a stretch (`whole` false).
    void boxChanged(std::shared_ptr<std::string> text, const TextChange& change, bool whole);
    // The snapshot with `from`..`to` replaced by `inserted`, as a new
    // snapshot: the one before the last change brought up to date with that
    // change and this one, where nothing reads it any more; else a copy.
    std::shared_ptr<std::string> textWith(std::size_t from, std::size_t to, std::string_view inserted);
    // When the snapshot was last taken from a stretch: reads the whole text
    // and counts it whole; should either differ (no known edit does that),
    // the box's text is taken, as part of the text the last step left (undo
    // never puts the difference back), and the whole count shown. Before the
    // text is written anywhere (to disk, or whole into the box from the
    // snapshot) and once typing pauses.
    void confirm();
    bool confirmed() const { return confirmed_; }

private:
    // Runs `write`, which writes the box, as the model's own change.
    template <typename Write>
    void writeOwn(Write&& write);
    // Runs `write` and records what it changed as one step of its own.
    template <typename Write>
    void changeAsOneStep(Write&& write, bool counts, std::optional<FileChange> file = std::nullopt);
    void replay(const EditStep& step, bool undo);
    void replaceInPlace(std::span<const RangeReplacement> replacements);
    void load(const std::string& path, std::string text, ChangeCause cause);
    void setFile(const std::string& path);
    void take(std::shared_ptr<std::string> text, const TextChange& change);

    // What a transition tells the watchers once it is whole.
    struct Transition {
        std::shared_ptr<const std::string> before;
        std::string fileBefore;
    };
    Transition begin() const { return {text_, file()}; }
    void notify(const Transition& from, ChangeCause cause, bool counts);
    void notify(const Change& change);

    EditBoxPort* box_ = nullptr;
    std::uint64_t (*clock_)() = nullptr;
    std::vector<DocumentWatcher*> watchers_;
    std::shared_ptr<std::string> text_ = std::make_shared<std::string>(); // never changed once taken
    // The snapshot before it and the change that made the current one of it.
    struct Spare {
        std::shared_ptr<std::string> text;
        TextChange change;
    } spare_;
    std::uint64_t changeCount_ = 0;
    DocumentStatistics statistics_;
    EditHistory history_;
    int writing_ = 0;         // how deep the model is in writes of its own
    bool confirmed_ = true;   // the snapshot was read whole
    bool correcting_ = false; // taking the box's text after a check found it differs
    mutable std::optional<CharacterOffsets> offsets_;
    mutable std::shared_ptr<const std::string> offsetsText_; // the text offsets_ belongs to
};

} // namespace wrivo
