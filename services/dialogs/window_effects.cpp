#include "services/dialogs/window_effects.h"

namespace wrivo {

std::uint8_t effectiveAlpha(std::optional<std::int32_t> alpha)
{
    if (alpha && *alpha >= 0 && *alpha <= 255) return static_cast<std::uint8_t>(*alpha);
    return 255;
}

} // namespace wrivo
