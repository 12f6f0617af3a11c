// One C++ object per native window of our own classes: tied to the window at
// WM_NCCREATE (through the window's extra bytes), untied at WM_NCDESTROY, and
// asked by the message loop to pre-translate messages for itself and its
// descendants.
#pragma once
#include <windows.h>

namespace wrivo {

ATOM hostWindowClass();

class WindowObject {
public:
    WindowObject() = default;
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;
    virtual ~WindowObject() = default;

    HWND handle() const { return handle_; }

    // Creates the native window of the host's window class with this object
    // tied to it. Null on failure.
    HWND createNative(DWORD exStyle, const char* title, DWORD style, int x, int y, int width, int height, HWND owner,
                      HMENU menu);

    // The object tied to a window of our class, or null.
    static WindowObject* fromHandle(HWND window);

    // Answer true to consume the message (it is then neither translated nor dispatched).
    virtual bool preTranslate(MSG& message)
    {
        (void)message;
        return false;
    }
    // The window's accelerators alone, for a key pressed in a tool window it
    // owns; true = the key was a shortcut and its command has gone out.
    virtual bool translateAccelerator(MSG& message)
    {
        (void)message;
        return false;
    }

protected:
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // After WM_NCDESTROY, once the object is no longer tied.
    virtual void windowGone() { }

private:
    friend ATOM hostWindowClass();
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND handle_ = nullptr;
};

// The atom of the host's window class (registered on first use), with the
// program's default icons.
ATOM hostWindowClass();

} // namespace wrivo
