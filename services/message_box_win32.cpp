#include "services/message_box.h"

#include <windows.h>

namespace wrivo {

std::int32_t messageBox(const Value& content, std::int32_t style,
                        std::optional<std::string_view> title)
{
    const std::string text = messageBoxText(content);
    const std::string caption(title ? *title : defaultMessageBoxTitle);
    const int pressed =
        MessageBoxA(nullptr, text.c_str(), caption.c_str(), platformMessageBoxStyle(style));
    return messageBoxResultOf(pressed);
}

} // namespace wrivo
