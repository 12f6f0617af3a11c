// Byte offsets of a GBK text <-> the character offsets an edit control that
// counts characters uses, for one text, without scanning it from its start on
// every conversion: the character count is kept at a character boundary
// about every `spacing` bytes, so a conversion scans at most that much.
// The marks are found in one pass over the text at the first conversion (a
// control that counts bytes never asks for one); a changed text needs a new
// object.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

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

    std::string_view text() const { return text_; }
    // The same answers as charactersInBytes(text(), bytes) and
    // bytesInCharacters(text(), characters) (edit_selection.h).
    std::int32_t charactersInBytes(std::int32_t bytes) const;
    std::int32_t bytesInCharacters(std::int32_t characters) const;

private:
    void findMarks() const;

    struct Mark {
        std::size_t byte;       // a character boundary
        std::int32_t character; // characters before it
    };
    std::string_view text_;
    std::size_t spacing_ = defaultSpacing;
    mutable std::vector<Mark> marks_; // once found: marks_[0] = {0, 0}, ascending
};

} // namespace wrivo
