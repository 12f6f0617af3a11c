// The document's statistics: paragraphs and characters for the caption, one
// count per paragraph for the strip under the edit box, and the line-break
// count tracked from the Enter and Backspace keys.
//
// Characters count half a GBK byte each: a Chinese character counts 1, an
// ASCII byte (line breaks included) 0.5, spaces nothing. The tracked line
// breaks are subtracted, so the count can read 12.5 or even -2.
//
// A change is measured where it happened: only the stretch around it is split
// and counted again (a debug build checks the result against a whole recount
// after every change), and the paragraphs after it only move. The paragraphs
// are places in the document's own snapshot of the text, and a paragraph's
// own count is measured only when its row is written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/text/text_change.h"

namespace wrivo {

struct ByteSelection {
    std::int32_t start = 0;  // byte offset into the document
    std::int32_t length = 0; // bytes
    friend bool operator==(const ByteSelection&, const ByteSelection&) = default;
};

class DocumentStatistics {
public:
    // Takes the document's text as it now stands, after a content change:
    // measured whole, or, given where it differs from the text of the last
    // refresh (`change`, offsets into both), only around that place.
    void refresh(std::shared_ptr<const std::string> document);
    void refresh(std::shared_ptr<const std::string> document, const TextChange& change);

    // The Enter key (before the edit box acts on it).
    void enterPressed() { ++lineBreakCount_; }
    // The Backspace key, before it acts: the paragraphs are counted in the
    // document as the last refresh saw it, which is the document as it
    // stands, since every change is followed by a refresh.
    void backspacePressed();
    // The clear command: the tracked line breaks start again from 0.
    void resetLineBreaks() { lineBreakCount_ = 0; }

    std::int32_t lineBreakCount() const { return lineBreakCount_; }
    std::int32_t paragraphCount() const { return static_cast<std::int32_t>(paragraphs_.size()); }
    std::string_view paragraph(std::size_t index) const
    {
        return std::string_view(*document_).substr(paragraphs_[index].start, paragraphs_[index].length);
    }
    // M: the document's characters less the tracked line breaks.
    double characterCount() const;
    // "Orvanne提醒您: ... N ... M ... 字。"
    std::string caption() const;

    // Row k of the strip: the character count of paragraph k, as "%.13g".
    std::string rowText(std::size_t index) const;
    // The bytes of paragraph `row` (counted from 0) in the document at the last
    // refresh, or nothing when that row has no paragraph.
    std::optional<ByteSelection> paragraphSelection(std::int32_t row) const;

    friend bool operator==(const DocumentStatistics& a, const DocumentStatistics& b)
    {
        return a.paragraphs_ == b.paragraphs_ && a.documentNonSpaceBytes_ == b.documentNonSpaceBytes_ &&
               a.lineBreakCount_ == b.lineBreakCount_;
    }

private:
    struct Place {
        std::size_t start = 0; // in *document_
        std::size_t length = 0;
        friend bool operator==(const Place&, const Place&) = default;
    };
    void split(std::string_view text, std::vector<Place>& into) const;

    std::shared_ptr<const std::string> document_ = std::make_shared<const std::string>();
    std::vector<Place> paragraphs_;
    std::size_t documentNonSpaceBytes_ = 0;
    std::int32_t lineBreakCount_ = 0;
};

// `bytes` / 2.0 as toText writes a double ("%.13g"): "12", "12.5".
std::string halfCountText(std::uint64_t bytes);

} // namespace wrivo
