#include "services/dialogs/message_box.h"

#include <windows.h>

#include "services/text/code_page.h"

namespace wrivo {

std::int32_t messageBox(const Value& content, std::int32_t style, std::optional<std::string_view> title)
{
    const std::string text = messageBoxText(content);
    const std::string caption(title ? *title : defaultMessageBoxTitle);
    const int pressed = MessageBoxA(nullptr, text.c_str(), caption.c_str(), platformMessageBoxStyle(style));
    return messageBoxResultOf(pressed);
}

std::int32_t messageBoxFromGbk(std::string_view text, std::int32_t style, std::string_view title)
{
    const std::wstring wideText = widened(text, 936);
    const std::wstring wideTitle = widened(title, 936);
    const int pressed = MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), platformMessageBoxStyle(style));
    return messageBoxResultOf(pressed);
}

} // namespace wrivo
