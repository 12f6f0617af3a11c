// Byte offsets of a GBK text <-> the character offsets an edit control that
// counts characters uses, for one text, without scanning it from its start on
// every conversion: the character count is kept at a character boundary
// about every `spacing` bytes, so a conversion scans at most that much.
// The marks are found in one pass over the text at the first conversion (a
// control that counts bytes never asks for one); a changed text takes the
// marks of the text before it, found again only around the change.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "services/text/text_change.h"

namespace wrivo {

class CharacterOffsets {
public:
    static constexpr std::size_t defaultSpacing = 64u << 10;

    CharacterOffsets() = default;
    // `text` must outlive this object (the document's snapshot does).
    explicit CharacterOffsets(std::string_view text, std::size_t spacing = defaultSpacing)
        : text_(text), spacing_(spacing < 2 ? 2 : spacing)
    {
    }

    // The offsets of `after`, which is this text with `change` made (on
    // character boundaries of both, as changedStretch finds it): the marks
    // before the change keep their place, those after it move with it, and
    // only the stretch between them is counted again.
    CharacterOffsets afterChange(std::string_view after, const TextChange& change) const;

    std::string_view text() const { return text_; }
    // The same answers as charactersInBytes(text(), bytes) and
    // bytesInCharacters(text(), characters) (edit_selection.h).
    std::int32_t charactersInBytes(std::int32_t bytes) const;
    std::int32_t bytesInCharacters(std::int32_t characters) const;

private:
    struct Mark {
        std::size_t byte;       // a character boundary
        std::int32_t character; // characters before it
    };
    void findMarks() const;
    // Marks from `mark` on, about every `spacing_` bytes, up to `end` (or the
    // end of the text); answers the last one, at `end` itself when given.
    Mark markUntil(Mark mark, std::size_t end) const;

    std::string_view text_;
    std::size_t spacing_ = defaultSpacing;
    mutable std::vector<Mark> marks_; // once found: marks_[0] = {0, 0}, ascending
};

} // namespace wrivo
