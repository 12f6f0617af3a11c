// A small dialog that asks for one whole number in a range: a standard dialog
// window built from a dialog template in memory, with the prompt, one edit
// field and the two buttons. A number outside the range (or none) is not
// accepted: the field is selected again for another try.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "host/host_types.h"

namespace wrivo {

struct NumberQuestion {
    std::string_view title;
    std::string_view prompt;
    std::string_view okLabel;
    std::string_view cancelLabel;
    std::int32_t minimum = 1;
    std::int32_t maximum = 1;
};

// Runs the dialog modally, owned by `owner` (a window): the number, or
// nothing when the user cancelled.
std::optional<std::int32_t> askNumber(const UnitRef& owner, const NumberQuestion& question);

} // namespace wrivo
