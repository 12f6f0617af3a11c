#include "services/window_effects.h"

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

using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Looked up by name: systems without layered windows simply lack it, and then
// the window stays opaque (the host's binding table would treat a missing
// function as a run-time error instead).
SetLayeredWindowAttributesFunction layeredAttributesFunction()
{
    HMODULE user32 = GetModuleHandleA("USER32.DLL");
    if (!user32) return nullptr;
    return reinterpret_cast<SetLayeredWindowAttributesFunction>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
}

} // namespace

void setWindowTransparency(std::uintptr_t window, std::optional<std::int32_t> alpha)
{
    const BYTE value = effectiveAlpha(alpha);
    if (!isWindowsNt()) return;
    const auto setAttributes = layeredAttributesFunction();
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
