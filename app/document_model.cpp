#include "app/document_model.h"

#include <cassert>
#include <utility>

namespace wrivo {
namespace {

// Up to this many places, a replace-all (and the undo or redo of one) puts
// each replacement into the edit box where it belongs; beyond it the whole
// text is set anew. Measured under Wine (bench/find_replace_bench.cpp): one
// replacement in place costs the control about 1/100 of setting the whole
// text, at 1 MB as at 10 MB (both grow with the text), so below about 100
// places in place is cheaper; 50 leaves room for the noise of the figures.
constexpr std::size_t mostPlacesInPlace = 50;

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

} // namespace

const CharacterOffsets& DocumentModel::offsets() const
{
    if (!offsets_ || offsetsText_ != text_) {
        offsetsText_ = text_;
        offsets_.emplace(*text_);
    }
    return *offsets_;
}

EditRange DocumentModel::selection() const
{
    return box_->selection(offsets());
}

void DocumentModel::select(EditRange range)
{
    history_.breakRun();
    box_->select(offsets(), range);
}

void DocumentModel::boxChanged(std::shared_ptr<std::string> text, const TextChange& change, bool whole)
{
    std::shared_ptr<const std::string> before = text_;
    take(std::move(text), change);
    confirmed_ = whole;
    // A write of the model's own is told once, whole, by the transition. The
    // box's own edit leaves the file as it is, so the keystroke reads none.
    if (writing_ == 0 && !correcting_)
        notify({changeCount_, change, true, ChangeCause::edit, std::move(before), text_, {}});
}

std::shared_ptr<std::string> DocumentModel::textWith(std::size_t from, std::size_t to, std::string_view inserted)
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
void DocumentModel::take(std::shared_ptr<std::string> text, const TextChange& change)
{
    std::shared_ptr<std::string> before = std::exchange(text_, std::move(text));
    ++changeCount_;
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
        history_.recordChange(*before, *text_, change, clock_());
    spare_ = {std::move(before), change};
}

void DocumentModel::confirm()
{
    if (confirmed_ || !box_) return;
    confirmed_ = true;
    auto held = std::make_shared<std::string>(box_->content());
    const bool textHeld = *held == *text_;
    DocumentStatistics recounted = statistics_;
    recounted.refresh(text_);
    if (textHeld && recounted == statistics_) return;
    // No known edit comes here. Should one, the whole count stands, and the
    // box's text is taken whole, as a correction of the snapshot rather than
    // a step of the writer's.
    statistics_ = std::move(recounted);
    const Transition from = begin();
    if (!textHeld) {
        correcting_ = true;
        const TextChange change = changedStretch(*text_, *held);
        take(std::move(held), change);
        correcting_ = false;
    }
    notify(from, ChangeCause::correction, true);
}

template <typename Write>
void DocumentModel::writeOwn(Write&& write)
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
void DocumentModel::changeAsOneStep(Write&& write, bool counts, std::optional<FileChange> file)
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

void DocumentModel::notify(const Transition& from, ChangeCause cause, bool counts)
{
    notify({changeCount_, changedStretch(*from.before, *text_), counts, cause, from.before, text_, from.fileBefore});
}

void DocumentModel::notify(const Change& change)
{
    for (DocumentWatcher* watcher : watchers_) watcher->changed(change);
}

void DocumentModel::setFile(const std::string& path)
{
    box_->rememberFile(path);
}

void DocumentModel::open(const std::string& path, std::string text)
{
    load(path, std::move(text), ChangeCause::open);
}

void DocumentModel::restore(const std::string& path, std::string text)
{
    // The text differs from the file (that is why it was kept), so it
    // counts as modified and the save dialog offers the file.
    load(path, std::move(text), ChangeCause::restore);
}

void DocumentModel::load(const std::string& path, std::string text, ChangeCause cause)
{
    confirm(); // what the watchers keep of the text it replaces is what the box held
    const Transition from = begin();
    setFile(path);
    writeOwn([&] {
        box_->setContent("");
        box_->setContent(std::move(text));
    });
    history_.clear(); // what was undoable belonged to the text now gone
    notify(from, cause, false);
}

void DocumentModel::append(const std::string& path, std::string_view text)
{
    const Transition from = begin();
    FileChange remembered{file(), path};
    setFile(path);
    changeAsOneStep([&] { box_->append(text); }, false, std::move(remembered));
    notify(from, ChangeCause::append, false);
}

void DocumentModel::startNew()
{
    confirm();
    const Transition from = begin();
    writeOwn([&] { box_->setContent(""); });
    history_.clear();
    notify(from, ChangeCause::newDocument, false);
}

void DocumentModel::discardText()
{
    confirm();
    const Transition from = begin();
    changeAsOneStep([&] { box_->setContent(""); }, false);
    statistics_.resetLineBreaks();
    notify(from, ChangeCause::clear, false);
}

void DocumentModel::replacing(const std::string& path)
{
    confirm();
    setFile(path);
    for (DocumentWatcher* watcher : watchers_) watcher->replacing(path, *text_);
}

void DocumentModel::saved(const std::string& path)
{
    for (DocumentWatcher* watcher : watchers_) watcher->saved(path, text_);
}

void DocumentModel::replaceRange(EditRange range, std::string_view replacement, ChangeCause cause)
{
    const Transition from = begin();
    const std::shared_ptr<const std::string> current = text_;
    const auto start = static_cast<std::size_t>(range.start);
    if (range.start < 0 || range.length < 0 || start + static_cast<std::size_t>(range.length) > current->size()) return;
    EditStep step = EditStep::single(
        start, std::string_view(*current).substr(start, static_cast<std::size_t>(range.length)), replacement,
        {range.start, range.length}, {range.start, static_cast<std::int32_t>(replacement.size())});
    const std::uint64_t changes = changeCount_;
    writeOwn([&] { box_->replaceRange(offsets(), range, replacement); });
    if (changeCount_ == changes) return;
    history_.recordStep(std::move(step), text_->size());
    notify(from, cause, true);
}

std::size_t DocumentModel::replaceAll(std::string_view term, std::string_view replacement, SearchOptions options)
{
    confirm(); // the text may go into the box whole
    const Transition from = begin();
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
        writeOwn([&] { box_->setContent(std::move(result.text)); });
    }
    box_->select(offsets(), {step.selectionAfter.start, step.selectionAfter.length});
    history_.recordStep(std::move(step), text_->size());
    notify(from, ChangeCause::replaceAll, true);
    return result.offsets.size();
}

void DocumentModel::appendAtEnd(std::string_view text)
{
    const Transition from = begin();
    changeAsOneStep([&] { box_->append(text); }, true);
    notify(from, ChangeCause::insert, true);
}

void DocumentModel::undo()
{
    if (const EditStep* next = history_.nextToUndo(); next && next->places.size() > mostPlacesInPlace) confirm();
    if (const EditStep* step = history_.undo()) replay(*step, true);
}

void DocumentModel::redo()
{
    if (const EditStep* next = history_.nextToRedo(); next && next->places.size() > mostPlacesInPlace) confirm();
    if (const EditStep* step = history_.redo()) replay(*step, false);
}

void DocumentModel::replaceInPlace(std::span<const RangeReplacement> replacements)
{
    writeOwn([&] { box_->replaceRanges(offsets(), replacements); });
}

// One place is put back as one replacement in the box, which the control
// keeps as its own undoable edit; a few (a replace-all) are put back each in
// its place; many give the whole text anew.
void DocumentModel::replay(const EditStep& step, bool undo)
{
    const Transition from = begin();
    const std::shared_ptr<const std::string> current = text_;
    if (!fits(step, current->size(), undo)) {
        history_.clear();
        return;
    }
    const ByteSelection selection = undo ? step.selectionBefore : step.selectionAfter;
    bool caretInPlace = false;
    writeOwn([&] {
        if (step.places.size() == 1) {
            const TextChange& place = step.places.front();
            const std::string_view replacement = undo ? step.removed : step.inserted;
            box_->replaceRange(offsets(), asRange(place.offset, undo ? place.insertedLength : place.removedLength),
                               replacement);
            // The control leaves the caret after what it put in.
            caretInPlace = selection == ByteSelection{static_cast<std::int32_t>(place.offset + replacement.size()), 0};
        } else if (step.places.size() <= mostPlacesInPlace) {
            replaceInPlace(placesOf(step, undo));
        } else { // from a snapshot confirmed before the step was taken
            box_->setContent(undo ? textBeforeStep(*current, step) : textAfterStep(*current, step));
        }
    });
    if (step.file) setFile(undo ? step.file->before : step.file->after);
    if (!caretInPlace) box_->select(offsets(), {selection.start, selection.length});
    // A step that did not count as writing counts no more taken back or made again.
    notify(from, undo ? ChangeCause::undo : ChangeCause::redo, step.countsAsWriting);
}

} // namespace wrivo
