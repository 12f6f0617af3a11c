// Where a text changed: the one stretch in which the text after a change
// differs from the text before it, on character boundaries of both as the
// edit box's code page pairs the bytes (gbk::CodePageRule), so that the
// stretch can be put back through the control's character offsets.
#pragma once
#include <cstddef>
#include <string_view>

namespace wrivo {

struct TextChange {
    std::size_t offset = 0;         // where both texts start to differ
    std::size_t removedLength = 0;  // bytes of the text before, from offset
    std::size_t insertedLength = 0; // bytes of the text after, from offset
    friend bool operator==(const TextChange&, const TextChange&) = default;
};

// The smallest such stretch, found from both ends at memory speed (equal
// texts give an empty one at the end). Where a repeated character makes the
// place ambiguous ("aa" -> "aaa"), the change is taken as late as possible.
TextChange changedStretch(std::string_view before, std::string_view after);

} // namespace wrivo
