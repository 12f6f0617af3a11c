#include "host/window_object.h"

namespace wrivo {
namespace {

constexpr const char* className = "WrivoWindow";

} // namespace

ATOM hostWindowClass()
{
    static ATOM atom = [] {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &WindowObject::windowProcedure;
        windowClass.cbWndExtra = sizeof(WindowObject*);
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hIcon = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON,
                                                          GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
        windowClass.hIconSm = static_cast<HICON>(LoadImageA(
            instance, "DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
        windowClass.lpszClassName = className;
        return RegisterClassExA(&windowClass);
    }();
    return atom;
}

HWND WindowObject::createNative(DWORD exStyle, const char* title, DWORD style, int x, int y, int width, int height,
                                HWND owner, HMENU menu)
{
    hostWindowClass();
    return CreateWindowExA(exStyle, className, title, style, x, y, width, height, owner, menu,
                           GetModuleHandleA(nullptr), this);
}

WindowObject* WindowObject::fromHandle(HWND window)
{
    if (!window || GetClassLongA(window, GCW_ATOM) != hostWindowClass()) return nullptr;
    return reinterpret_cast<WindowObject*>(GetWindowLongPtrA(window, 0));
}

LRESULT WindowObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK WindowObject::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* object = static_cast<WindowObject*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(object));
        if (object) object->handle_ = window;
    }
    auto* object = reinterpret_cast<WindowObject*>(GetWindowLongPtrA(window, 0));
    if (!object) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        LRESULT result = object->handleMessage(message, wParam, lParam);
        SetWindowLongPtrA(window, 0, 0);
        object->handle_ = nullptr;
        object->windowGone();
        return result;
    }
    return object->handleMessage(message, wParam, lParam);
}

} // namespace wrivo
