#include "services/message_box.h"

#include <windows.h>

namespace wrivo {
namespace {

std::wstring fromGbk(std::string_view text)
{
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(936, 0, text.data(), length, nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(936, 0, text.data(), length, wide.data(), size);
    return wide;
}

} // namespace

std::int32_t messageBox(const Value& content, std::int32_t style, std::optional<std::string_view> title)
{
    const std::string text = messageBoxText(content);
    const std::string caption(title ? *title : defaultMessageBoxTitle);
    const int pressed = MessageBoxA(nullptr, text.c_str(), caption.c_str(), platformMessageBoxStyle(style));
    return messageBoxResultOf(pressed);
}

std::int32_t messageBoxFromGbk(std::string_view text, std::int32_t style, std::string_view title)
{
    const std::wstring wideText = fromGbk(text);
    const std::wstring wideTitle = fromGbk(title);
    const int pressed = MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), platformMessageBoxStyle(style));
    return messageBoxResultOf(pressed);
}

} // namespace wrivo
