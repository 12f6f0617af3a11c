#include "host/host_types.h"

namespace wrivo {

std::int64_t propertyNumber(const PropertyValue& value)
{
    if (const auto* number = std::get_if<std::int64_t>(&value)) return *number;
    return 0;
}

std::string propertyText(const PropertyValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    return {};
}

std::vector<std::uint8_t> propertyBytes(const PropertyValue& value)
{
    if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value)) return *bytes;
    if (const auto* text = std::get_if<std::string>(&value)) return {text->begin(), text->end()};
    return {};
}

} // namespace wrivo
