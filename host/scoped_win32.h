// Owners of Win32 handles: each frees what it holds when it goes out of scope,
// so no error branch has to repeat the clean-up by hand. They can be moved
// but never copied (a copy would free the handle twice).
//
// The clean-up is a small policy type, so the skin, whose calls all go
// through its binding table, has the same owners with a policy that calls
// through the table (skin/scoped_skin_win32.h).
#pragma once
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <utility>

namespace wrivo {

// The value that means "no handle": null, or Free::none() for the kinds whose
// failed open answers something else (INVALID_HANDLE_VALUE).
template <typename Handle, typename Free>
Handle noHandle()
{
    if constexpr (requires { Free::none(); })
        return Free::none();
    else
        return nullptr;
}

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
    explicit operator bool() const { return handle_ != noHandle<Handle, Free>() && handle_ != nullptr; }
    // Gives the handle up without freeing it.
    Handle release() { return std::exchange(handle_, noHandle<Handle, Free>()); }
    void reset(Handle handle = noHandle<Handle, Free>())
    {
        const Handle old = std::exchange(handle_, handle);
        if (old != noHandle<Handle, Free>() && old != nullptr) Free{}(old);
    }
    // Frees the handle now and answers whether the system did (a file's last
    // buffered writes can fail only here); true when nothing was held.
    bool close()
    {
        if (!*this) return true;
        return Free{}(release()) != 0;
    }

private:
    Handle handle_ = noHandle<Handle, Free>();
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
// A window whose lifetime is not its parent's (a top-level or owned window,
// or one being built): DestroyWindow also destroys its children and the
// windows it owns. Only the thread that made it may destroy it.
struct DestroyWindowHandle {
    void operator()(HWND window) const { DestroyWindow(window); }
};
// The drop a WM_DROPFILES hands its receiver, which gives it back with DragFinish.
struct FinishDrop {
    void operator()(HDROP drop) const { DragFinish(drop); }
};

// Kernel objects: a process, thread or event (null when making it fails), a file
// from CreateFile and a search from FindFirstFile (INVALID_HANDLE_VALUE when
// they fail).
struct CloseKernelHandle {
    BOOL operator()(HANDLE handle) const { return CloseHandle(handle); }
};
struct CloseFileHandle : CloseKernelHandle {
    static HANDLE none() { return INVALID_HANDLE_VALUE; }
};
struct CloseFileSearch {
    static HANDLE none() { return INVALID_HANDLE_VALUE; }
    BOOL operator()(HANDLE search) const { return FindClose(search); }
};
// A block the system allocated with LocalAlloc for the caller to free
// (FormatMessage's text, CommandLineToArgvW's array).
struct FreeLocalMemory {
    void operator()(void* block) const { LocalFree(block); }
};
// A library loaded by the caller itself (the binding table frees its own in
// the clean-up, in its order).
struct FreeLoadedLibrary {
    void operator()(HMODULE library) const { FreeLibrary(library); }
};
// A block a COM or shell function allocated for the caller (SHGetKnownFolderPath's path).
struct FreeTaskMemory {
    void operator()(void* block) const { CoTaskMemFree(block); }
};

using ScopedFont = ScopedHandle<HFONT, DeleteGdiObject>;
using ScopedBrush = ScopedHandle<HBRUSH, DeleteGdiObject>;
using ScopedBitmap = ScopedHandle<HBITMAP, DeleteGdiObject>;
using ScopedPen = ScopedHandle<HPEN, DeleteGdiObject>;
using ScopedMemoryDC = ScopedHandle<HDC, DeleteMemoryDC>;
using ScopedMenu = ScopedHandle<HMENU, DestroyMenuHandle>;
using ScopedAccelerators = ScopedHandle<HACCEL, DestroyAccelerators>;
using ScopedWindow = ScopedHandle<HWND, DestroyWindowHandle>;
using ScopedDrop = ScopedHandle<HDROP, FinishDrop>;
using ScopedSelection = BasicScopedSelection<SystemGdi>;
using ScopedProcess = ScopedHandle<HANDLE, CloseKernelHandle>;
using ScopedThread = ScopedHandle<HANDLE, CloseKernelHandle>;
using ScopedEvent = ScopedHandle<HANDLE, CloseKernelHandle>;
using ScopedFile = ScopedHandle<HANDLE, CloseFileHandle>;
using ScopedFileSearch = ScopedHandle<HANDLE, CloseFileSearch>;
template <typename Block>
using ScopedLocalMemory = ScopedHandle<Block*, FreeLocalMemory>;
using ScopedLibrary = ScopedHandle<HMODULE, FreeLoadedLibrary>;
template <typename Block>
using ScopedTaskMemory = ScopedHandle<Block*, FreeTaskMemory>;

// GetDC(window) for the scope; a null window is the screen.
class ScopedGetDC : public BasicScopedWindowDC<SystemGdi> {
public:
    explicit ScopedGetDC(HWND window) : BasicScopedWindowDC(window, GetDC(window)) { }
};

// BeginPaint for the scope, EndPaint at its end: a window's WM_PAINT.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) { }
    ~ScopedPaint()
    {
        if (window_) EndPaint(window_, &paint_);
    }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    ScopedPaint(ScopedPaint&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), paint_(other.paint_), dc_(other.dc_)
    {
    }
    ScopedPaint& operator=(ScopedPaint&&) = delete;

    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// OLE started on this thread until the owner is reset or goes: OleUninitialize
// balances only a successful OleInitialize.
class ScopedOle {
public:
    ScopedOle() = default;
    static ScopedOle start()
    {
        ScopedOle ole;
        ole.started_ = SUCCEEDED(OleInitialize(nullptr));
        return ole;
    }
    ~ScopedOle() { reset(); }
    ScopedOle(const ScopedOle&) = delete;
    ScopedOle& operator=(const ScopedOle&) = delete;
    ScopedOle(ScopedOle&& other) noexcept : started_(std::exchange(other.started_, false)) { }
    ScopedOle& operator=(ScopedOle&& other) noexcept
    {
        if (this != &other) {
            reset();
            started_ = std::exchange(other.started_, false);
        }
        return *this;
    }

    explicit operator bool() const { return started_; }
    void reset()
    {
        if (std::exchange(started_, false)) OleUninitialize();
    }

private:
    bool started_ = false;
};

} // namespace wrivo
