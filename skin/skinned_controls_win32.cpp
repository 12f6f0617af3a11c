#include "skin/skinned_controls_win32.h"

#include "skin/caret_win32.h"
#include "skin/png_skin_window_win32.h"
#include "skin/skin_state_win32.h"

#include <optional>

namespace wrivo {

namespace {

WNDPROC savedProcedure(HWND control)
{
    return reinterpret_cast<WNDPROC>(skinProperty(control, "PngControl_ChildWndProc"));
}

LRESULT callSaved(WNDPROC saved, HWND control, UINT message, WPARAM wordParameter, LPARAM longParameter)
{
    return skinCall<apiCallWindowProcA>(saved, control, message, wordParameter, longParameter);
}

void recomposeParent(HWND control)
{
    composeWindow(skinCall<apiGetParent>(control), false);
}

} // namespace

GpImage* stateImage(HWND control)
{
    // Indexed by DrawState.
    static constexpr const char* keys[] = {"PngControl_NormalImage", "PngControl_OverlImage", "PngControl_DownImage",
                                           "PngControl_DisableImage"};
    const std::uintptr_t state = skinProperty(control, "Zaded_DrawState");
    GpImage* image = nullptr;
    if (state >= drawOver && state <= drawDisabled)
        image = reinterpret_cast<GpImage*>(skinProperty(control, keys[state]));
    if (!image) image = reinterpret_cast<GpImage*>(skinProperty(control, keys[drawNormal]));
    return image;
}

void skinChildControls(HWND window)
{
    if (skinCall<apiIsWindow>(window) != 1) return;
    for (HWND child = skinCall<apiGetWindow>(window, GW_CHILD); child;
         child = skinCall<apiGetWindow>(child, GW_HWNDNEXT)) {
        const std::uintptr_t type = skinProperty(child, "PngControl_Type");
        if (type == 0) continue;
        if (const std::uintptr_t original = skinProperty(child, "PngControl_WndProc")) {
            skinCall<apiSetWindowLongA>(child, GWL_WNDPROC, static_cast<LONG>(original));
            skinCall<apiRemovePropA>(child, "PngControl_WndProc");
        }
        if (skinProperty(child, "PngControl_ChildWndProc") != 0) continue; // already ours
        WNDPROC procedure = type == 3 ? &stateControlProc : type == 4 ? &textControlProc : nullptr;
        if (!procedure) continue;
        const LONG own = skinCall<apiSetWindowLongA>(child, GWL_WNDPROC,
                                                     static_cast<LONG>(reinterpret_cast<std::uintptr_t>(procedure)));
        setSkinProperty(child, "PngControl_ChildWndProc", static_cast<std::uintptr_t>(static_cast<ULONG>(own)));
    }
    composeWindow(window, false);
}

LRESULT CALLBACK stateControlProc(HWND control, UINT message, WPARAM wordParameter, LPARAM longParameter)
{
    const WNDPROC saved = savedProcedure(control);
    const std::uintptr_t state = skinProperty(control, "Zaded_DrawState");
    std::optional<DrawState> next;
    switch (message) {
    case WM_MOUSEMOVE:
        if (state != drawOver && state != drawPressed) {
            TRACKMOUSEEVENT track{16, TME_LEAVE, control, 0};
            skinCall<apiTrackMouseEvent>(&track);
            next = drawOver;
        }
        break;
    case WM_MOUSELEAVE: next = drawNormal; break;
    case WM_LBUTTONDOWN: next = drawPressed; break;
    case WM_LBUTTONUP: next = state == drawPressed ? drawOver : drawNormal; break;
    // Enabled again: the normal look; disabled: the disabled image.
    case WM_ENABLE: next = wordParameter ? drawNormal : drawDisabled; break;
    default: break;
    }
    if (next) {
        setSkinProperty(control, "Zaded_DrawState", *next);
        recomposeParent(control);
    }
    return callSaved(saved, control, message, wordParameter, longParameter);
}

LRESULT CALLBACK textControlProc(HWND control, UINT message, WPARAM wordParameter, LPARAM longParameter)
{
    const WNDPROC saved = savedProcedure(control);
    switch (message) {
    case WM_SETFOCUS:
        skinState().caret.phase = 0;
        skinState().caret.window = skinCall<apiGetParent>(control);
        skinState().caret.control = control;
        break;
    case WM_KILLFOCUS:
        skinState().caret.control = nullptr;
        skinState().caret.window = nullptr;
        break;
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_SETTEXT:
    case WM_PASTE:
    case WM_CUT:
    case WM_KEYDOWN:
    case WM_LBUTTONUP: break;
    default: return callSaved(saved, control, message, wordParameter, longParameter);
    }
    const LRESULT result = callSaved(saved, control, message, wordParameter, longParameter);
    recomposeParent(control);
    return result;
}

} // namespace wrivo
