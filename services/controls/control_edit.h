// One edit an edit control made of its own text (a key, a paste, a cut, a
// replacement), as the edit box sees it from around the message that made it,
// in the control's own offsets: the selection just before, and the caret and
// the length of the text just after. That is enough to know where in the text
// the edit can have been, without reading the text.
#pragma once
#include <cstdint>
#include <optional>

namespace wrivo {

struct ControlEdit {
    std::int32_t selectionStart = 0; // before the edit
    std::int32_t selectionEnd = 0;
    std::int32_t caret = 0; // after it
    // The length of the whole text after it, known where the edit may have
    // deleted after the caret (the Delete key). Any other edit replaces the
    // selection, or deletes before it, and leaves what follows it alone.
    std::optional<std::int32_t> length;
    std::uint32_t number = 0; // which of the control's content changes it was
};

// A stretch that holds all an edit changed: `removed` units from `start` of
// the text before became `inserted` units from `start` of the text after.
struct ControlStretch {
    std::int32_t start = 0;
    std::int32_t removed = 0;
    std::int32_t inserted = 0;
    friend bool operator==(const ControlStretch&, const ControlStretch&) = default;
};

// The stretch of `edit` in a text that was `lengthBefore` units long. An edit
// happens at the selection: what it puts in ends at the caret, and what it
// takes out lies between the caret and the selection's end (typing over it,
// deleting before the caret) or just after the caret (deleting forward), so
// the text before the earlier of the selection and the caret, and the text
// after the caret that was also after the selection, are untouched. Nothing
// when the figures cannot belong to one edit of such a text.
std::optional<ControlStretch> stretchOf(const ControlEdit& edit, std::int32_t lengthBefore);

} // namespace wrivo
