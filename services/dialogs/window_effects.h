// Uniform window transparency and opening web pages in the user's browser.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wrivo {

// The alpha actually used: the given value when it lies in 0..255, else 255
// (also when left out). 0 is fully transparent, 255 opaque.
std::uint8_t effectiveAlpha(std::optional<std::int32_t> alpha);

// Makes a top-level window uniformly translucent with the alpha above. Only on
// systems of the Windows NT family that provide layered windows; elsewhere
// nothing happens. The window's extended style becomes exactly WS_EX_LAYERED
// (other extended styles are cleared) and stays layered afterwards.
void setWindowTransparency(std::uintptr_t window, std::optional<std::int32_t> alpha = std::nullopt);

// The address opened when none is given.
inline constexpr std::string_view defaultWebAddress = "https://wrivo.example.com/";

// Hands the address, unchanged, to the system shell to open in the browser.
// Only a left-out address selects the default; the empty text is passed as it
// is. Nothing is reported when no browser opens.
void openWebPage(std::optional<std::string_view> address = std::nullopt);

} // namespace wrivo
