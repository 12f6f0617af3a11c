// Selections of the edit box in bytes of its GBK text.
//
// The edit box's selection properties count bytes (a Chinese character is 2)
// on every platform. The platform control may count characters instead (Wine's
// ANSI edit control does); the conversion happens at the control's boundary,
// with these helpers.
#pragma once
#include <cstdint>
#include <string_view>

namespace wrivo {

// A stretch of the edit box's text in bytes.
struct EditRange {
    std::int32_t start = 0;  // bytes
    std::int32_t length = 0; // bytes
    friend bool operator==(const EditRange&, const EditRange&) = default;
};

// Characters in the first `bytes` bytes of a GBK text (a character cut in half
// at the end does not count).
std::int32_t charactersInBytes(std::string_view text, std::int32_t bytes);
// Bytes taken by the first `characters` characters of a GBK text.
std::int32_t bytesInCharacters(std::string_view text, std::int32_t characters);

// The selection last written through the selectionStart and selectionLength
// properties; the control's own selection may have moved since.
struct RememberedSelection {
    std::int32_t start = 0;
    std::int32_t length = 0;

    // -1: caret at the end of the text (start = its byte length, length 0);
    // any other negative value is taken as 0.
    void writeStart(std::int64_t value, std::int32_t textBytes);
    // -1: the whole text (start 0, length = its byte length); any other
    // negative value is taken as 0.
    void writeLength(std::int64_t value, std::int32_t textBytes);
};

} // namespace wrivo
