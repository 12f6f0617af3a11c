#include "services/controls/control_edit.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace wrivo {

// Random edits of the kinds a user makes (typing over the selection, deleting before or after the
// caret, cutting): the stretch found from the selection, the caret and the two lengths holds the
// whole edit, and is no wider than the selection and what was typed.
TEST(ControlEdit, TheStretchHoldsEveryKindOfEdit)
{
    std::mt19937 random(5);
    std::string text(50, 'a');
    for (char& unit : text) unit = static_cast<char>('a' + random() % 5);
    for (int step = 0; step < 2000; ++step) {
        const auto length = static_cast<std::int32_t>(text.size());
        const auto start = static_cast<std::int32_t>(random() % (length + 1));
        const std::int32_t end = std::min(length, start + static_cast<std::int32_t>(random() % 3 ? 0 : random() % 6));
        std::string after = text.substr(0, start);
        std::int32_t caret = start, typed = 0, gone = end - start;
        const auto kind = random() % 4;
        switch (kind) {
        case 0: // typing or pasting over the selection
            typed = 1 + static_cast<std::int32_t>(random() % 4);
            for (std::int32_t k = 0; k < typed; ++k) after += static_cast<char>('a' + random() % 5);
            caret = start + typed;
            break;
        case 1: // Backspace: the selection, or the character (or line break) before the caret
            if (start == end && start > 0) {
                gone = std::min(start, 1 + static_cast<std::int32_t>(random() % 2));
                after.resize(static_cast<std::size_t>(start - gone));
                caret = start - gone;
            }
            break;
        case 2: // Delete: the selection, or what follows the caret
            if (start == end) gone = std::min(length - start, 1 + static_cast<std::int32_t>(random() % 2));
            break;
        default: break; // cut: the selection
        }
        after += text.substr(caret < start ? start : start + gone);
        const bool backwards = random() % 2; // a selection made from its end
        // The length after is known where it is needed: deleting forward.
        ControlEdit edit{backwards ? end : start, backwards ? start : end, caret, {}};
        if (kind == 2 || random() % 2) edit.length = static_cast<std::int32_t>(after.size());
        const std::optional<ControlStretch> stretch = stretchOf(edit, length);
        ASSERT_TRUE(stretch) << step;
        const auto [at, removed, inserted] = *stretch;
        ASSERT_EQ(text.substr(0, at) + after.substr(at, inserted) + text.substr(at + removed), after) << step;
        EXPECT_LE(inserted, typed) << step;
        EXPECT_LE(removed, std::max(gone, end - start)) << step;
        text = std::move(after);
        if (text.size() < 10) text.resize(40, 'b');
    }
    // Figures no edit of the text can give.
    EXPECT_FALSE(stretchOf({0, 12, 0, 0}, 10));
    EXPECT_FALSE(stretchOf({2, 2, 9, 5}, 10));
    EXPECT_FALSE(stretchOf({-1, 4, 1, {}}, 10));
}

} // namespace wrivo
