#include "app/statistics.h"

#include <algorithm>

#include "app/notices.h"
#include "host/gbk_rules.h"
#include "services/text/text.h"

namespace wrivo {
namespace {

// Under the count's rule (every byte from 0x80 up leads) the place after a
// byte below 0x80 is always a character boundary: that byte is a character
// of its own or the second of a pair. So a change is measured from the one
// such place before it to the one after it, in which the pairs of the
// changed bytes' neighbours are all found again.
std::size_t boundaryBefore(std::string_view text, std::size_t offset)
{
    while (offset > 0 && gbk::CountRule::leads(static_cast<unsigned char>(text[offset - 1]))) --offset;
    return offset;
}

std::size_t boundaryAfter(std::string_view text, std::size_t offset)
{
    while (offset < text.size() && gbk::CountRule::leads(static_cast<unsigned char>(text[offset]))) ++offset;
    return offset < text.size() ? offset + 1 : offset;
}

} // namespace

// The paragraphs of `text`, a stretch of the document's text that begins a
// paragraph, at their places in the document.
void DocumentStatistics::split(std::string_view text, std::vector<Place>& into) const
{
    const char* const base = document_->data();
    forEachPiece(text, "\r\n", [&](std::string_view p) {
        into.push_back({static_cast<std::size_t>(p.data() - base), p.size()});
    });
}

void DocumentStatistics::refresh(std::shared_ptr<const std::string> document)
{
    document_ = std::move(document);
    // Two passes, each the fastest of its kind (a combined one measured
    // slower): the paragraphs, found by jumping from one carriage return to
    // the next, and the bytes without spaces, a word at a time.
    paragraphs_.clear(); // keeps its capacity from one keystroke to the next
    split(*document_, paragraphs_);
    // The "\r\n" pairs stay in the measured text: each counts 1.0 until the
    // tracked line breaks are subtracted.
    documentNonSpaceBytes_ = nonSpaceLength(*document_);
}

void DocumentStatistics::refresh(std::shared_ptr<const std::string> document, const TextChange& change)
{
    const std::string_view before = *document_;
    const std::string_view after = *document;
    if (change.offset + change.removedLength > before.size() || change.offset + change.insertedLength > after.size()) {
        refresh(std::move(document)); // not a change between these two texts
        return;
    }
    const std::ptrdiff_t shift =
        static_cast<std::ptrdiff_t>(change.insertedLength) - static_cast<std::ptrdiff_t>(change.removedLength);
    // The bytes without spaces: the measured stretch out, the same stretch of
    // the new text in.
    const std::size_t start = boundaryBefore(before, change.offset);
    const std::size_t endBefore = boundaryAfter(before, change.offset + change.removedLength);
    const std::size_t endAfter = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(endBefore) + shift);
    documentNonSpaceBytes_ = documentNonSpaceBytes_ - nonSpaceLength(before.substr(start, endBefore - start)) +
                             nonSpaceLength(after.substr(start, endAfter - start));

    // The paragraphs: those from the last one that starts two bytes before
    // the stretch (a "\r\n" across its start is found again) to the first that
    // starts two bytes after it (the "\r\n" before that one lies where both
    // texts pair alike) are cut again from the new text; those before keep
    // their place, those after move by the change.
    auto startsAfter = [this](std::size_t offset) {
        return std::upper_bound(paragraphs_.begin(), paragraphs_.end(), offset,
                                [](std::size_t o, const Place& p) { return o < p.start; });
    };
    auto first = startsAfter(start >= 2 ? start - 2 : 0);
    if (first != paragraphs_.begin()) --first;
    const auto last = startsAfter(endBefore + 1); // the first starting at endBefore + 2 or later
    const std::size_t from = first == paragraphs_.end() ? start : std::min(first->start, start);
    const std::size_t toBefore = last == paragraphs_.end() ? before.size() : last->start;
    const std::size_t toAfter = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(toBefore) + shift);

    const auto firstIndex = static_cast<std::size_t>(first - paragraphs_.begin());
    const auto lastIndex = static_cast<std::size_t>(last - paragraphs_.begin());
    for (std::size_t k = lastIndex; k < paragraphs_.size(); ++k)
        paragraphs_[k].start = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(paragraphs_[k].start) + shift);
    document_ = std::move(document);
    std::vector<Place> cut;
    split(after.substr(from, toAfter - from), cut);
    paragraphs_.erase(paragraphs_.begin() + static_cast<std::ptrdiff_t>(firstIndex),
                      paragraphs_.begin() + static_cast<std::ptrdiff_t>(lastIndex));
    paragraphs_.insert(paragraphs_.begin() + static_cast<std::ptrdiff_t>(firstIndex), cut.begin(), cut.end());
}

void DocumentStatistics::backspacePressed()
{
    const std::int32_t pieces = paragraphCount();
    if (pieces == lineBreakCount_) {
        --lineBreakCount_;
    } else if (pieces < lineBreakCount_) {
        lineBreakCount_ = pieces - 1;
    }
}

double DocumentStatistics::characterCount() const
{
    return static_cast<double>(documentNonSpaceBytes_) / 2.0 - lineBreakCount_;
}

std::string DocumentStatistics::caption() const
{
    return captions::statistics(toText(Value{paragraphCount()}), toText(Value{characterCount()}));
}

std::string halfCountText(std::uint64_t bytes)
{
    // A whole or a half number is written by "%.13g" as its digits and, for a
    // half, ".5"; directly that is several times faster, which counts when a
    // row is written for each of 100,000 paragraphs. Beyond 13 digits
    // "%.13g" would round, so such counts (never a paragraph's) go to it.
    if (bytes >= 2'000'000'000'000ull) return toText(Value{static_cast<double>(bytes) / 2.0});
    std::string text = std::to_string(bytes / 2);
    if (bytes % 2) text += ".5";
    return text;
}

std::string DocumentStatistics::rowText(std::size_t index) const
{
    return halfCountText(nonSpaceLength(paragraph(index)));
}

std::optional<ByteSelection> DocumentStatistics::paragraphSelection(std::int32_t row) const
{
    if (row < 0 || row >= paragraphCount()) return std::nullopt;
    const Place& place = paragraphs_[static_cast<std::size_t>(row)];
    return ByteSelection{static_cast<std::int32_t>(place.start), static_cast<std::int32_t>(place.length)};
}

} // namespace wrivo
