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

using SkinBitmap = ScopedHandle<HBITMAP, SkinDeleteGdiObject>;
using SkinMemoryDC = ScopedHandle<HDC, SkinDeleteMemoryDC>;
using SkinSelection = BasicScopedSelection<SkinGdi>;

// GetWindowDC(window) for the scope: the whole window, frame included.
class SkinWindowDC : public BasicScopedWindowDC<SkinGdi> {
public:
    explicit SkinWindowDC(HWND window) : BasicScopedWindowDC(window, skinCall<apiGetWindowDC>(window)) { }
};

} // namespace wrivo
