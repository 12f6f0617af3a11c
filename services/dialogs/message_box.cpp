#include "services/dialogs/message_box.h"

#include "services/text/text.h"

#include <type_traits>

namespace wrivo {

std::string messageBoxText(const Value& content)
{
    return std::visit(
        [&](const auto& value) -> std::string {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::int16_t> ||
                          std::is_same_v<T, std::uint8_t> || std::is_same_v<T, std::int64_t> ||
                          std::is_same_v<T, float> || std::is_same_v<T, double> || std::is_same_v<T, Logical> ||
                          std::is_same_v<T, DateTime> || std::is_same_v<T, std::string>)
                return toText(content);
            else
                return {};
        },
        content);
}

std::uint32_t platformMessageBoxStyle(std::int32_t style)
{
    auto word = static_cast<std::uint32_t>(style);
    if (!(word & MessageBoxStyle::systemModal)) word |= MessageBoxStyle::taskModal;
    return word;
}

std::int32_t messageBoxResultOf(int platformButton)
{
    // The platform numbers its buttons OK 1, Cancel 2, Abort 3, Retry 4,
    // Ignore 5, Yes 6, No 7: one more than ours.
    if (platformButton >= 1 && platformButton <= 7) return platformButton - 1;
    return MessageBoxResult::ok;
}

} // namespace wrivo
