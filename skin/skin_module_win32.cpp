// Skin engine start-up and the "ZadedLoadDialog" window procedure.
#include "skin/skin_module_win32.h"

#include "host/host.h"
#include "skin/image_memory_win32.h"
#include "skin/scoped_skin_win32.h"
#include "skin/skin_state_win32.h"
#include "skin/splash_frames.h"

#include <string>

namespace wrivo {

namespace {

constexpr char timeDimensionText[] = "{6AEDBD6D-3FB5-418A-83A6-7F45229DC872}";

HANDLE windowProperty(HWND window, const char* key)
{
    return skinCall<apiGetPropA>(window, key);
}

} // namespace

GpStatus startGraphics()
{
    GdiplusStartupInput input;
    return skinCall<apiGdiplusStartup>(&skinState().gdiplusToken, &input, nullptr);
}

std::vector<std::uint8_t> toWideBytes(std::string_view text)
{
    const std::string terminated(text);
    const int count = skinCall<apiMultiByteToWideChar>(0u, 0u, terminated.c_str(), -1, nullptr, 0);
    std::vector<std::uint8_t> wide(static_cast<std::size_t>(count > 0 ? count * 2.0 : 0.0), 0);
    if (count > 0)
        skinCall<apiMultiByteToWideChar>(0u, 0u, terminated.c_str(), -1, reinterpret_cast<WCHAR*>(wide.data()), count);
    return wide;
}

void startSkinModule()
{
    // The splash frames are built-in constants: never freed, copied on resize.
    registerSplashFrameRanges();
    // GDI+ and the rest are looked for beside the program, never in the
    // current folder (the document's, after a file dialog).
    skinApi().setProgramFolder(programFolder());

    const ScopedLocalMemory<WNDCLASSEXA> owned(static_cast<WNDCLASSEXA*>(LocalAlloc(LPTR, sizeof(WNDCLASSEXA))));
    WNDCLASSEXA* record = owned.get();
    startGraphics();

    std::vector<std::uint8_t>& timeDimensionGuid = skinState().timeDimensionGuid;
    timeDimensionGuid.assign(16, 0);
    const std::vector<std::uint8_t> wideGuid = toWideBytes(timeDimensionText);
    skinCall<apiCLSIDFromString>(wideChars(wideGuid), reinterpret_cast<CLSID*>(timeDimensionGuid.data()));

    record->cbSize = static_cast<UINT>(skinCall<apiLocalSize>(record));
    record->style = CS_HREDRAW | CS_VREDRAW;
    record->lpfnWndProc = loadDialogProc;
    record->hInstance = skinCall<apiGetModuleHandleA>(nullptr);
    record->hCursor = skinCall<apiLoadCursorA>(nullptr, MAKEINTRESOURCEA(0x7F00));
    record->hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    record->lpszClassName = loadDialogClassName;
    skinCall<apiRegisterClassExA>(record);
}

void stopSkinModule()
{
    skinState().timeDimensionGuid.clear();
    skinState().timeDimensionGuid.shrink_to_fit();
}

LRESULT CALLBACK loadDialogProc(HWND window, UINT message, WPARAM wordParameter, LPARAM longParameter)
{
    if (message == WM_DESTROY) {
        if (const SkinKernelHandle thread(windowProperty(window, "Zaded_Thread")); thread)
            skinCall<apiTerminateThread>(thread.get(), 0u);
        if (auto* image = static_cast<GpImage*>(windowProperty(window, "Zaded_Image"))) disposeImage(image);
        if (HANDLE memory = windowProperty(window, "Zaded_Stream")) skinCall<apiGlobalFree>(memory);
    } else if (message == WM_LBUTTONDOWN) {
        const LRESULT result = skinCall<apiDefWindowProcA>(window, message, wordParameter, longParameter);
        if (reinterpret_cast<std::uintptr_t>(windowProperty(window, "ZadedHitMove")) == 1) {
            skinCall<apiReleaseCapture>();
            skinCall<apiSendMessageA>(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        }
        return result;
    }
    return skinCall<apiDefWindowProcA>(window, message, wordParameter, longParameter);
}

} // namespace wrivo
