// Owners of Win32 handles: each frees what it holds when it goes out of scope,
// so no error branch has to repeat the clean-up by hand. They can be moved
// but never copied (a copy would free the handle twice).
//
// The clean-up is a small policy type, so the skin, whose calls all go
// through its binding table, has the same owners with a policy that calls
// through the table (skin/scoped_skin_win32.h).
#pragma once
#include <windows.h>

#include <utility>

namespace wrivo {

// Owns one handle; Free is a callable type that releases it.
template <typename Handle, typename Free>
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) { }
    ~ScopedHandle() { reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) { }
    ScopedHandle& operator=(ScopedHandle&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives the handle up without freeing it.
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr)
    {
        if (Handle old = std::exchange(handle_, handle)) Free{}(old);
    }

private:
    Handle handle_ = nullptr;
};

// A device context of a window (or of the screen, for a null window), given
// back with ReleaseDC. Api::releaseDC does the giving back.
template <typename Api>
class BasicScopedWindowDC {
public:
    BasicScopedWindowDC(HWND window, HDC dc) : window_(window), dc_(dc) { }
    ~BasicScopedWindowDC()
    {
        if (dc_) Api::releaseDC(window_, dc_);
    }
    BasicScopedWindowDC(const BasicScopedWindowDC&) = delete;
    BasicScopedWindowDC& operator=(const BasicScopedWindowDC&) = delete;
    BasicScopedWindowDC(BasicScopedWindowDC&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr))
    {
    }
    BasicScopedWindowDC& operator=(BasicScopedWindowDC&&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context until the end of the scope, when
// the object it replaced is selected again (an object must be deselected
// before it is deleted).
template <typename Api>
class BasicScopedSelection {
public:
    BasicScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? Api::select(dc, object) : nullptr)
    {
    }
    ~BasicScopedSelection()
    {
        if (dc_ && previous_) Api::select(dc_, previous_);
    }
    BasicScopedSelection(const BasicScopedSelection&) = delete;
    BasicScopedSelection& operator=(const BasicScopedSelection&) = delete;
    BasicScopedSelection(BasicScopedSelection&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr))
    {
    }
    BasicScopedSelection& operator=(BasicScopedSelection&&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The system's own calls, made directly.
struct SystemGdi {
    static void releaseDC(HWND window, HDC dc) { ReleaseDC(window, dc); }
    static HGDIOBJ select(HDC dc, HGDIOBJ object) { return SelectObject(dc, object); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteMemoryDC {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DestroyMenuHandle {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct DestroyAccelerators {
    void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};

using ScopedFont = ScopedHandle<HFONT, DeleteGdiObject>;
using ScopedBrush = ScopedHandle<HBRUSH, DeleteGdiObject>;
using ScopedBitmap = ScopedHandle<HBITMAP, DeleteGdiObject>;
using ScopedPen = ScopedHandle<HPEN, DeleteGdiObject>;
using ScopedMemoryDC = ScopedHandle<HDC, DeleteMemoryDC>;
using ScopedMenu = ScopedHandle<HMENU, DestroyMenuHandle>;
using ScopedAccelerators = ScopedHandle<HACCEL, DestroyAccelerators>;
using ScopedSelection = BasicScopedSelection<SystemGdi>;

// GetDC(window) for the scope; a null window is the screen.
class ScopedGetDC : public BasicScopedWindowDC<SystemGdi> {
public:
    explicit ScopedGetDC(HWND window) : BasicScopedWindowDC(window, GetDC(window)) { }
};

} // namespace wrivo
