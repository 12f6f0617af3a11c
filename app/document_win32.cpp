#include "app/document.h"

#include <cassert>
#include <utility>

#include "app/app_globals.h"
#include "app/file_admission.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/recovery.h"
#include "app/statistics_handlers.h"
#include "app/units.h"
#include "app/versions.h"
#include "app/writing_desk.h"
#include "host/host.h"
#include "services/controls/control_operations.h"
#include "services/controls/edit_box_operations.h"
#include "services/controls/unit_properties.h"
#include "services/dialogs/message_box.h"
#include "services/store/file_text_match.h"
#include "services/store/files.h"
#include "services/store/recovery_store.h"
#include "services/text/text.h"

namespace wrivo {
namespace {

// Up to this many places, a replace-all (and the undo or redo of one) puts
// each replacement into the edit box where it belongs; beyond it the whole
// text is set anew. Measured under Wine (bench/find_replace_bench.cpp): one
// replacement in place costs the control about 1/100 of setting the whole
// text, at 1 MB as at 10 MB (both grow with the text), so below about 100
// places in place is cheaper; 50 leaves room for the noise of the figures.
constexpr std::size_t mostPlacesInPlace = 50;

void setText(std::string text)
{
    editBox.setContent(std::move(text));
}

EditRange asRange(std::size_t offset, std::size_t length)
{
    return {static_cast<std::int32_t>(offset), static_cast<std::int32_t>(length)};
}

// Whether the step's places lie inside the text as it stands (they always
// do while every change goes into the history; a history that does not fit
// is not applied).
bool fits(const EditStep& step, std::size_t textBytes, bool undo)
{
    std::ptrdiff_t shift = 0;
    for (const TextChange& place : step.places) {
        const std::size_t start = undo ? place.offset + static_cast<std::size_t>(shift) : place.offset;
        if (start + (undo ? place.insertedLength : place.removedLength) > textBytes) return false;
        shift += static_cast<std::ptrdiff_t>(place.insertedLength) - static_cast<std::ptrdiff_t>(place.removedLength);
    }
    return true;
}

// The step's places in the text as it stands, each with what replaces it:
// undone, what it put in becomes what it took out; redone, the other way.
std::vector<RangeReplacement> placesOf(const EditStep& step, bool undo)
{
    std::vector<RangeReplacement> places;
    places.reserve(step.places.size());
    std::ptrdiff_t shift = 0;
    std::size_t removedAt = 0, insertedAt = 0;
    for (const TextChange& place : step.places) {
        const std::string_view removed = std::string_view(step.removed).substr(removedAt, place.removedLength);
        const std::string_view inserted = std::string_view(step.inserted).substr(insertedAt, place.insertedLength);
        if (undo)
            places.push_back({asRange(place.offset + static_cast<std::size_t>(shift), place.insertedLength), removed});
        else
            places.push_back({asRange(place.offset, place.removedLength), inserted});
        removedAt += place.removedLength;
        insertedAt += place.insertedLength;
        shift += static_cast<std::ptrdiff_t>(place.insertedLength) - static_cast<std::ptrdiff_t>(place.removedLength);
    }
    return places;
}

// The file's text to load, or nothing when it cannot be read or the user
// declined it (see file_admission.h).
std::optional<std::string> readAdmitted(const std::string& path)
{
    if (!admitFilePath(path)) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes = tryReadFile(path);
    if (!bytes) {
        // Too large, or not readable at all: the notice says which.
        const std::optional<std::uint64_t> size = fileSize(path);
        tell(size && *size > largestReadableFile ? notices::fileTooLarge(path, *size >> 20, largestReadableFile >> 20)
                                                 : notices::fileUnreadable(path));
        return std::nullopt;
    }
    return admitFileText(path, std::move(*bytes));
}

} // namespace

Document& document()
{
    return appGlobals()->document;
}

std::string Document::file() const
{
    return commonDialog.fileName();
}

bool Document::isEmpty() const
{
    return compareBytes(text(), "") == 0;
}

bool Document::isModified()
{
    confirm();
    const std::string& document = text();
    if (compareBytes(document, "") == 0) return false;
    // Compared in pieces: a document grown past the largest file read whole
    // still matches the file it was just saved to.
    return !fileHoldsText(file(), document);
}

const CharacterOffsets& Document::offsets() const
{
    if (!offsets_ || offsetsText_ != text_) {
        offsetsText_ = text_;
        offsets_.emplace(*text_);
    }
    return *offsets_;
}

EditRange Document::selection() const
{
    return selectionIn(editBoxRef, offsets());
}

void Document::select(EditRange range)
{
    history_.breakRun();
    selectIn(editBoxRef, offsets(), range);
}

void Document::contentChanged()
{
    if (std::optional<Edited> edited = readEdit()) {
        take(std::move(*edited));
        confirmed_ = false;
#ifndef NDEBUG
        assert(*text_ == editBox.content()); // the stretch gave what the whole text gives
#endif
        return;
    }
    auto after = std::make_shared<std::string>(editBox.content());
    // Found once for the count, the offsets and the history.
    const TextChange change = changedStretch(*text_, *after);
    take({std::move(after), change});
    confirmed_ = true;
}

std::optional<Document::Edited> Document::readEdit()
{
    const std::uint32_t changes = controlChanges(editBoxRef);
    if (changes != controlChangesSeen_ + 1) return std::nullopt;
    const std::optional<ControlEdit> edit = lastControlEdit(editBoxRef);
    if (!edit || edit->number != changes) return std::nullopt;
    const std::string& before = *text_;
    const CharacterOffsets& at = offsets();
    const std::int32_t lengthBefore = controlOffset(at, static_cast<std::int32_t>(before.size()));
    const std::optional<ControlStretch> stretch = stretchOf(*edit, lengthBefore);
    if (!stretch) return std::nullopt;
    std::optional<std::string> inserted =
        stretch->inserted == 0 ? std::string()
                               : textStretch(editBoxRef, stretch->start, stretch->start + stretch->inserted,
                                             lengthBefore - stretch->removed + stretch->inserted);
    if (!inserted) return std::nullopt;
    const auto from = static_cast<std::size_t>(byteOffset(at, stretch->start));
    const auto to = static_cast<std::size_t>(byteOffset(at, stretch->start + stretch->removed));
    std::shared_ptr<std::string> after = textWith(from, to, *inserted);
    // Narrowed to the bytes that differ: a character typed over the same one
    // changes nothing.
    TextChange change = changedStretch(std::string_view(before).substr(from, to - from), *inserted);
    change.offset += from;
    return Edited{std::move(after), change};
}

std::shared_ptr<std::string> Document::textWith(std::size_t from, std::size_t to, std::string_view inserted)
{
    const std::string& current = *text_;
    const std::size_t size = current.size() - (to - from) + inserted.size();
    // Only this object holds the spare: no reader can come to share it any
    // more. Two replacements where the text changed cost next to nothing
    // beside a copy of all of it (2 ms at 10 MB).
    const bool spare = spare_.text && spare_.text.use_count() == 1;
    std::shared_ptr<std::string> after = spare ? std::exchange(spare_.text, nullptr) : std::make_shared<std::string>();
    // With room to grow, so that the snapshots that follow fit the same memory.
    if (after->capacity() < size) after->reserve(size + size / 64 + 4096);
    if (!spare) {
        after->assign(current, 0, from).append(inserted).append(current, to);
        return after;
    }
    after->replace(spare_.change.offset, spare_.change.removedLength, current, spare_.change.offset,
                   spare_.change.insertedLength);
    assert(*after == current);
    after->replace(from, to - from, inserted);
    return after;
}

// The new text becomes the snapshot; the offsets, the count and the history
// follow it from the change alone.
void Document::take(Edited edited)
{
    std::shared_ptr<std::string> before = std::exchange(text_, std::move(edited.text));
    const TextChange& change = edited.change;
    ++changeCount_;
    controlChangesSeen_ = controlChanges(editBoxRef);
    if (offsets_ && offsetsText_ == before) {
        offsets_ = offsets_->afterChange(*text_, change);
        offsetsText_ = text_;
    }
    statistics_.refresh(text_, change);
#ifndef NDEBUG
    DocumentStatistics whole = statistics_;
    whole.refresh(text_);
    assert(whole == statistics_);
#endif
    if (correcting_)
        history_.absorb(change, *text_);
    else if (writing_ == 0)
        history_.recordChange(*before, *text_, change, steadyMilliseconds());
    spare_ = {std::move(before), change};
}

void Document::confirm()
{
    if (confirmed_) return;
    confirmed_ = true;
    const bool textHeld = editBox.content() == *text_;
    DocumentStatistics recounted = statistics_;
    recounted.refresh(text_);
    if (textHeld && recounted == statistics_) return;
    // No known edit comes here. Should one, the whole count stands, and the
    // box's text is taken whole, as for any change the control makes, but as
    // a correction of the snapshot rather than a step of the writer's.
    statistics_ = std::move(recounted);
    correcting_ = true;
    raiseEvent(editBoxRef.window, editBoxRef.unit, UnitEvent::primary);
    correcting_ = false;
}

template <typename Write>
void Document::writeOwn(Write&& write)
{
    struct Writing {
        int& depth;
        explicit Writing(int& d) : depth(++d) { }
        ~Writing() { --depth; }
        Writing(const Writing&) = delete;
        Writing& operator=(const Writing&) = delete;
    } writing(writing_);
    write();
}

template <typename Write>
void Document::changeAsOneStep(Write&& write, bool counts, std::optional<FileChange> file)
{
    const std::shared_ptr<const std::string> before = text_;
    writeOwn(write);
    EditStep step = stepBetween(*before, *text_);
    const TextChange& place = step.places.front();
    if (place.removedLength == 0 && place.insertedLength == 0 && !file) return;
    step.file = std::move(file);
    step.countsAsWriting = counts;
    history_.recordStep(std::move(step), text_->size());
}

void Document::setFile(const std::string& path)
{
    commonDialog.setFileName(path);
}

bool Document::open(const std::string& path)
{
    std::optional<std::string> text = readAdmitted(path);
    if (!text) return false;
    load(path, std::move(*text));
    return true;
}

void Document::load(const std::string& path, std::string text)
{
    const writing::NotWritten loaded;
    // Shelved while the old file is still the remembered one: a saved
    // document is not unsaved text, however different the new file is.
    recovery::shelveUnsavedDocument();
    setFile(path);
    writeOwn([&] {
        setText("");
        setText(std::move(text));
    });
    refreshParagraphRows();
    history_.clear(); // what was undoable belonged to the text now gone
}

bool Document::append(const std::string& path)
{
    std::optional<std::string> text = readAdmitted(path);
    if (!text) return false;
    const writing::NotWritten appended;
    FileChange remembered{file(), path};
    setFile(path);
    changeAsOneStep([&] { appendText(editBoxRef, {*text}); }, false, std::move(remembered));
    refreshParagraphRows();
    return true;
}

bool Document::saveTo(const std::string& path)
{
    confirm();
    setFile(path);
    const std::shared_ptr<const std::string> document = text_;
    // The file's old bytes are read before the write replaces them; the
    // worker keeps them as a version once the save has happened.
    std::optional<versions::ReplacedBytes> replaced = versions::bytesBeforeSave(path, *document);
    WriteFailure failure;
    if (!writeFile(path, {{reinterpret_cast<const std::uint8_t*>(document->data()), document->size()}}, failure,
                   &documentSaveNotes())) {
        // The write goes to a temporary file first, so the file on disk is as it was.
        tell(notices::saveFailed(path, failure.systemError, systemMessage(failure.systemError), failure.targetExisted));
        return false;
    }
    if (replaced) versions::keepAfterSave(std::move(*replaced));
    recovery::documentSaved();
    return true;
}

void Document::startNew()
{
    const writing::NotWritten emptied;
    recovery::shelveUnsavedDocument();
    writeOwn([] { setText(""); });
    history_.clear();
}

void Document::discardText()
{
    const writing::NotWritten discarded;
    recovery::shelveUnsavedDocument();
    changeAsOneStep([] { setText(""); }, false);
}

void Document::restore(const std::string& path, std::string text)
{
    // The text differs from the file (that is why it was kept), so it
    // counts as modified and the save dialog offers the file.
    load(path, std::move(text));
}

void Document::replaceRange(EditRange range, std::string_view replacement)
{
    const std::shared_ptr<const std::string> current = text_;
    const auto start = static_cast<std::size_t>(range.start);
    if (range.start < 0 || range.length < 0 || start + static_cast<std::size_t>(range.length) > current->size()) return;
    EditStep step = EditStep::single(
        start, std::string_view(*current).substr(start, static_cast<std::size_t>(range.length)), replacement,
        {range.start, range.length}, {range.start, static_cast<std::int32_t>(replacement.size())});
    const std::uint64_t changes = changeCount_;
    writeOwn([&] { replaceRangeIn(editBoxRef, offsets(), range, replacement); });
    if (changeCount_ != changes) history_.recordStep(std::move(step), text_->size());
}

std::size_t Document::replaceAll(std::string_view term, std::string_view replacement, SearchOptions options)
{
    confirm(); // the text may go into the box whole
    const std::shared_ptr<const std::string> current = text_;
    Replacement result = wrivo::replaceAll(*current, term, replacement, options);
    if (result.offsets.empty()) return 0;
    const std::size_t termLength = searchableTerm(term).size();
    const EditRange before = selection();
    EditStep step;
    step.places.reserve(result.offsets.size());
    step.removed.reserve(result.offsets.size() * termLength);
    step.inserted.reserve(result.offsets.size() * replacement.size());
    for (std::size_t offset : result.offsets) {
        step.places.push_back({offset, termLength, replacement.size()});
        step.removed.append(*current, offset, termLength);
        step.inserted += replacement;
    }
    step.selectionBefore = {before.start, before.length};
    // The writer's place stays where it was in the text, the replacements
    // before it taken into account; redo puts it back there too.
    const std::size_t start = offsetAfterStep(step, static_cast<std::size_t>(before.start));
    const std::size_t end = offsetAfterStep(step, static_cast<std::size_t>(before.start + before.length));
    step.selectionAfter = {static_cast<std::int32_t>(start), static_cast<std::int32_t>(end - start)};
    if (result.offsets.size() <= mostPlacesInPlace) {
        std::vector<RangeReplacement> replacements;
        replacements.reserve(result.offsets.size());
        for (std::size_t offset : result.offsets) replacements.push_back({asRange(offset, termLength), replacement});
        replaceInPlace(replacements);
    } else {
        writeOwn([&] { editBox.setContent(std::move(result.text)); });
    }
    selectIn(editBoxRef, offsets(), {step.selectionAfter.start, step.selectionAfter.length});
    history_.recordStep(std::move(step), text_->size());
    refreshParagraphRows();
    return result.offsets.size();
}

void Document::appendAtEnd(std::string_view text)
{
    changeAsOneStep([&] { appendText(editBoxRef, {text}); }, true);
}

void Document::undo()
{
    if (const EditStep* next = history_.nextToUndo(); next && next->places.size() > mostPlacesInPlace) confirm();
    if (const EditStep* step = history_.undo()) replay(*step, true);
}

void Document::redo()
{
    if (const EditStep* next = history_.nextToRedo(); next && next->places.size() > mostPlacesInPlace) confirm();
    if (const EditStep* step = history_.redo()) replay(*step, false);
}

void Document::replaceInPlace(std::span<const RangeReplacement> replacements)
{
    {
        const EventSuspension quiet;
        writeOwn([&] { replaceRangesIn(editBoxRef, offsets(), replacements); });
    }
    // One content change for all of them: the text read once (a few
    // milliseconds a megabyte, next to tens for each replacement).
    writeOwn([] { raiseEvent(editBoxRef.window, editBoxRef.unit, UnitEvent::primary); });
}

// One place is put back as one replacement in the edit box, which the
// control keeps as its own undoable edit; a few (a replace-all) are put back
// each in its place; many give the whole text anew.
void Document::replay(const EditStep& step, bool undo)
{
    const std::shared_ptr<const std::string> current = text_;
    if (!fits(step, current->size(), undo)) {
        history_.clear();
        return;
    }
    // A step that did not count as writing counts no more taken back or made again.
    std::optional<writing::NotWritten> uncounted;
    if (!step.countsAsWriting) uncounted.emplace();
    const ByteSelection selection = undo ? step.selectionBefore : step.selectionAfter;
    bool caretInPlace = false;
    writeOwn([&] {
        if (step.places.size() == 1) {
            const TextChange& place = step.places.front();
            const std::string_view replacement = undo ? step.removed : step.inserted;
            replaceRangeIn(editBoxRef, offsets(),
                           asRange(place.offset, undo ? place.insertedLength : place.removedLength), replacement);
            // The control leaves the caret after what it put in.
            caretInPlace = selection == ByteSelection{static_cast<std::int32_t>(place.offset + replacement.size()), 0};
        } else if (step.places.size() <= mostPlacesInPlace) {
            replaceInPlace(placesOf(step, undo));
        } else { // from a snapshot confirmed before the step was taken
            editBox.setContent(undo ? textBeforeStep(*current, step) : textAfterStep(*current, step));
        }
    });
    if (step.file) setFile(undo ? step.file->before : step.file->after);
    if (!caretInPlace) selectIn(editBoxRef, offsets(), {selection.start, selection.length});
}

} // namespace wrivo
