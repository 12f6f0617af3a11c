#include "services/dialogs/window_effects.h"

#include "host/dynamic_binding_win32.h"

#include <windows.h>
#include <shellapi.h>

namespace wrivo {

namespace {

bool isWindowsNt()
{
    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof extended; // 156 bytes
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)))
        return extended.dwPlatformId == VER_PLATFORM_WIN32_NT;
    OSVERSIONINFOA basic{};
    basic.dwOSVersionInfoSize = sizeof basic; // 148 bytes
    if (GetVersionExA(&basic)) return basic.dwPlatformId == VER_PLATFORM_WIN32_NT;
    return false;
}

} // namespace

void setWindowTransparency(std::uintptr_t window, std::optional<std::int32_t> alpha)
{
    const BYTE value = effectiveAlpha(alpha);
    if (!isWindowsNt()) return;
    // Systems without layered windows lack it; the window then stays opaque.
    const auto setAttributes = optionalFunction<optionalSetLayeredWindowAttributes>();
    if (!setAttributes) return;
    HWND handle = reinterpret_cast<HWND>(window);
    SetWindowLongA(handle, GWL_EXSTYLE, WS_EX_LAYERED);
    setAttributes(handle, 0, value, LWA_ALPHA);
}

void openWebPage(std::optional<std::string_view> address)
{
    const std::string target(address ? *address : defaultWebAddress);
    HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace wrivo
