// The host's handle owners (host/scoped_win32.h) in the skin's flavour: the
// clean-up calls go through the skin's binding table, as every call of the
// skin engine does.
#pragma once
#include "host/scoped_win32.h"
#include "skin/skin_api_win32.h"

namespace wrivo {

struct SkinGdi {
    static void releaseDC(HWND window, HDC dc) { skinCall<apiReleaseDC>(window, dc); }
    static HGDIOBJ select(HDC dc, HGDIOBJ object) { return skinCall<apiSelectObject>(dc, object); }
};
struct SkinDeleteGdiObject {
    void operator()(HGDIOBJ object) const { skinCall<apiDeleteObject>(object); }
};
struct SkinDeleteMemoryDC {
    void operator()(HDC dc) const { skinCall<apiDeleteDC>(dc); }
};

struct SkinCloseHandle {
    void operator()(HANDLE handle) const { skinCall<apiCloseHandle>(handle); }
};
// GDI+ objects. A Graphics must be deleted before the image it draws on is
// disposed of, so an image owner outlives the Graphics made from it.
struct SkinDisposeImage {
    void operator()(GpImage* image) const { skinCall<apiGdipDisposeImage>(image); }
};
struct SkinDeleteGraphics {
    void operator()(GpGraphics* graphics) const { skinCall<apiGdipDeleteGraphics>(graphics); }
};
struct SkinDeletePen {
    void operator()(GpPen* pen) const { skinCall<apiGdipDeletePen>(pen); }
};
struct SkinDeleteBrush {
    void operator()(GpBrush* brush) const { skinCall<apiGdipDeleteBrush>(brush); }
};

using SkinBitmap = ScopedHandle<HBITMAP, SkinDeleteGdiObject>;
using SkinMemoryDC = ScopedHandle<HDC, SkinDeleteMemoryDC>;
using SkinSelection = BasicScopedSelection<SkinGdi>;
using SkinKernelHandle = ScopedHandle<HANDLE, SkinCloseHandle>;
using GdipImage = ScopedHandle<GpImage*, SkinDisposeImage>;
using GdipGraphics = ScopedHandle<GpGraphics*, SkinDeleteGraphics>;
using GdipPen = ScopedHandle<GpPen*, SkinDeletePen>;
using GdipBrush = ScopedHandle<GpBrush*, SkinDeleteBrush>;

// Fills an owner through a GDI+ "create" call's output parameter:
// skinCall<apiGdipCreatePen1>(argb, 1.0f, 0, out(pen)).
template <typename Owner>
class OutParameter {
public:
    explicit OutParameter(Owner& owner) : owner_(owner) { }
    ~OutParameter() { owner_.reset(made_); }
    OutParameter(const OutParameter&) = delete;
    OutParameter& operator=(const OutParameter&) = delete;
    operator decltype(std::declval<Owner>().get()) * () { return &made_; }

private:
    Owner& owner_;
    decltype(std::declval<Owner>().get()) made_ = nullptr;
};
template <typename Owner>
OutParameter<Owner> out(Owner& owner)
{
    return OutParameter<Owner>(owner);
}

// GetWindowDC(window) for the scope: the whole window, frame included.
class SkinWindowDC : public BasicScopedWindowDC<SkinGdi> {
public:
    explicit SkinWindowDC(HWND window) : BasicScopedWindowDC(window, skinCall<apiGetWindowDC>(window)) { }
};

} // namespace wrivo
