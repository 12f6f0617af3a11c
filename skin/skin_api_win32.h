// The system functions the skin engine calls, bound by name at run time
// (GDI+ among them: the program does not import gdiplus.dll). Every call goes
// through skinCall, which checks the stack afterwards (run-time error 6).
//
// Each function is declared once, in WRIVO_SKIN_FUNCTIONS, with its real
// signature: the table's order, its names, the index enum and the typed call
// all come from that one list, so a call with a wrong argument type or count
// does not compile, and adding a function is one line.
#pragma once
#include "host/dynamic_binding_win32.h"

#include <objbase.h>
#include <cstdint>
#include <span>
#include <utility>

namespace wrivo {

// GDI+ flat API types, opaque to the engine.
struct GpImage;
struct GpGraphics;
struct GpPen;
struct GpBrush;
struct GpFont;
struct GpFontFamily;
struct GpFontCollection;
struct GpStringFormat;
using GpStatus = int;
constexpr GpStatus gdipOk = 0;
constexpr int pixelFormat32bppArgb = 0x26200A;
constexpr int unitPixel = 2;

struct GdiplusStartupInput {
    std::uint32_t version = 1;
    void* debugEventCallback = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
};

struct GpRectF {
    float x, y, width, height;
};

// The GDI+ flat API's prototypes (gdiplusflat.h: WINGDIPAPI is __stdcall),
// with the engine's opaque types; enumerations and ARGB are 32-bit words.
using REAL = float;
using ARGB = std::uint32_t;
#define WRIVO_GDIP(...) GpStatus(WINAPI*)(__VA_ARGS__)

// The table, in the program's order. Library names are kept exactly as the
// program stores them ("user32", "user32.dll", "GdiPlus.dll", ...); an empty
// name means "one of the system libraries".
// X(entry, library, exported name, pointer type)
// One entry per line, as a table.
// clang-format off
#define WRIVO_SKIN_FUNCTIONS(X) \
    X(CLSIDFromString, "ole32.dll", "CLSIDFromString", decltype(&::CLSIDFromString)) \
    X(LocalSize, "kernel32.dll", "LocalSize", decltype(&::LocalSize)) \
    X(GetModuleHandleA, "kernel32", "GetModuleHandleA", decltype(&::GetModuleHandleA)) \
    X(LoadCursorA, "user32", "LoadCursorA", decltype(&::LoadCursorA)) \
    X(RegisterClassExA, "user32", "RegisterClassExA", decltype(&::RegisterClassExA)) \
    X(GdiplusStartup, "GdiPlus.dll", "GdiplusStartup", WRIVO_GDIP(ULONG_PTR*, const GdiplusStartupInput*, void*)) \
    X(MultiByteToWideChar, "", "MultiByteToWideChar", decltype(&::MultiByteToWideChar)) \
    X(GetPropA, "user32", "GetPropA", decltype(&::GetPropA)) \
    X(TerminateThread, "", "TerminateThread", decltype(&::TerminateThread)) \
    X(CloseHandle, "", "CloseHandle", decltype(&::CloseHandle)) \
    X(GdipDisposeImage, "GdiPlus.dll", "GdipDisposeImage", WRIVO_GDIP(GpImage*)) \
    X(GlobalFree, "", "GlobalFree", decltype(&::GlobalFree)) \
    X(DefWindowProcA, "user32", "DefWindowProcA", decltype(&::DefWindowProcA)) \
    X(ReleaseCapture, "user32", "ReleaseCapture", decltype(&::ReleaseCapture)) \
    X(SendMessageA, "user32", "SendMessageA", decltype(&::SendMessageA)) \
    X(IsWindow, "user32", "IsWindow", decltype(&::IsWindow)) \
    X(SetWindowLongA, "user32", "SetWindowLongA", decltype(&::SetWindowLongA)) \
    X(CreateCaret, "user32", "CreateCaret", decltype(&::CreateCaret)) \
    X(SetTimer, "user32", "SetTimer", decltype(&::SetTimer)) \
    X(SetPropA, "user32", "SetPropA", decltype(&::SetPropA)) \
    X(GetWindowRect, "user32", "GetWindowRect", decltype(&::GetWindowRect)) \
    X(GetWindowDC, "user32", "GetWindowDC", decltype(&::GetWindowDC)) \
    X(CreateCompatibleDC, "", "CreateCompatibleDC", decltype(&::CreateCompatibleDC)) \
    X(CreateDIBSection, "gdi32", "CreateDIBSection", decltype(&::CreateDIBSection)) \
    X(SelectObject, "", "SelectObject", decltype(&::SelectObject)) \
    X(GdipCreateFromHDC, "GdiPlus.dll", "GdipCreateFromHDC", WRIVO_GDIP(HDC, GpGraphics**)) \
    X(GdipGetImageHeight, "GdiPlus.dll", "GdipGetImageHeight", WRIVO_GDIP(GpImage*, UINT*)) \
    X(GdipGetImageWidth, "GdiPlus.dll", "GdipGetImageWidth", WRIVO_GDIP(GpImage*, UINT*)) \
    X(GdipDrawImageRect, "GdiPlus.dll", "GdipDrawImageRect", WRIVO_GDIP(GpGraphics*, GpImage*, REAL, REAL, REAL, REAL)) \
    X(GdipDeleteGraphics, "GdiPlus.dll", "GdipDeleteGraphics", WRIVO_GDIP(GpGraphics*)) \
    X(UpdateLayeredWindow, "user32.dll", "UpdateLayeredWindow", decltype(&::UpdateLayeredWindow)) \
    X(DeleteObject, "gdi32", "DeleteObject", decltype(&::DeleteObject)) \
    X(DeleteDC, "gdi32", "DeleteDC", decltype(&::DeleteDC)) \
    X(ReleaseDC, "user32", "ReleaseDC", decltype(&::ReleaseDC)) \
    X(ScreenToClient, "user32", "ScreenToClient", decltype(&::ScreenToClient)) \
    X(GetCaretPos, "user32", "GetCaretPos", decltype(&::GetCaretPos)) \
    X(GdipCreatePen1, "GdiPlus.dll", "GdipCreatePen1", WRIVO_GDIP(ARGB, REAL, int, GpPen**)) \
    X(GdipDrawLine, "GdiPlus.dll", "GdipDrawLine", WRIVO_GDIP(GpGraphics*, GpPen*, REAL, REAL, REAL, REAL)) \
    X(GdipDeletePen, "GdiPlus.dll", "GdipDeletePen", WRIVO_GDIP(GpPen*)) \
    X(GdipCreateBitmapFromScan0, "GdiPlus.dll", "GdipCreateBitmapFromScan0", WRIVO_GDIP(int, int, int, int, BYTE*, GpImage**)) \
    X(GdipGetImageGraphicsContext, "GdiPlus.dll", "GdipGetImageGraphicsContext", WRIVO_GDIP(GpImage*, GpGraphics**)) \
    X(GdipGetImageDimension, "GdiPlus.dll", "GdipGetImageDimension", WRIVO_GDIP(GpImage*, REAL*, REAL*)) \
    X(GetWindow, "user32", "GetWindow", decltype(&::GetWindow)) \
    X(GdipCreateSolidFill, "GdiPlus.dll", "GdipCreateSolidFill", WRIVO_GDIP(ARGB, GpBrush**)) \
    X(GdipFillRectangle, "GdiPlus.dll", "GdipFillRectangle", WRIVO_GDIP(GpGraphics*, GpBrush*, REAL, REAL, REAL, REAL)) \
    X(GdipDeleteBrush, "GdiPlus.dll", "GdipDeleteBrush", WRIVO_GDIP(GpBrush*)) \
    X(GdipDrawImagePointRect, "GdiPlus.dll", "GdipDrawImagePointRect", \
      WRIVO_GDIP(GpGraphics*, GpImage*, REAL, REAL, REAL, REAL, REAL, REAL, int)) \
    X(GdipDrawRectangle, "GdiPlus.dll", "GdipDrawRectangle", WRIVO_GDIP(GpGraphics*, GpPen*, REAL, REAL, REAL, REAL)) \
    X(GdipDrawString, "GdiPlus.dll", "GdipDrawString", \
      WRIVO_GDIP(GpGraphics*, const WCHAR*, int, const GpFont*, const GpRectF*, const GpStringFormat*, const GpBrush*)) \
    X(GetWindowTextLengthA, "user32", "GetWindowTextLengthA", decltype(&::GetWindowTextLengthA)) \
    X(GetWindowTextA, "user32", "GetWindowTextA", decltype(&::GetWindowTextA)) \
    X(GdipLoadImageFromStream, "GdiPlus.dll", "GdipLoadImageFromStream", WRIVO_GDIP(IStream*, GpImage**)) \
    X(GdipImageSelectActiveFrame, "GdiPlus.dll", "GdipImageSelectActiveFrame", WRIVO_GDIP(GpImage*, const GUID*, UINT)) \
    X(RemovePropA, "user32", "RemovePropA", decltype(&::RemovePropA)) \
    X(TrackMouseEvent, "user32.dll", "TrackMouseEvent", decltype(&::TrackMouseEvent)) \
    X(GetParent, "user32", "GetParent", decltype(&::GetParent)) \
    X(CallWindowProcA, "user32", "CallWindowProcA", decltype(&::CallWindowProcA)) \
    X(SetWindowPos, "user32", "SetWindowPos", decltype(&::SetWindowPos)) \
    X(GdipDeleteFont, "GdiPlus.dll", "GdipDeleteFont", WRIVO_GDIP(GpFont*)) \
    X(GdipCreateFont, "GdiPlus.dll", "GdipCreateFont", WRIVO_GDIP(const GpFontFamily*, REAL, int, int, GpFont**)) \
    X(GdipCreateFontFromDC, "GdiPlus.dll", "GdipCreateFontFromDC", WRIVO_GDIP(HDC, GpFont**)) \
    X(SendMessageASecond, "user32", "SendMessageA", decltype(&::SendMessageA)) \
    X(GetObjectA, "gdi32", "GetObjectA", decltype(&::GetObjectA)) \
    X(GdipGetFontStyle, "GdiPlus.dll", "GdipGetFontStyle", WRIVO_GDIP(GpFont*, int*)) \
    X(GdipGetFontSize, "GdiPlus.dll", "GdipGetFontSize", WRIVO_GDIP(GpFont*, REAL*)) \
    X(GdipGetFontUnit, "GdiPlus.dll", "GdipGetFontUnit", WRIVO_GDIP(GpFont*, int*)) \
    X(GdipGetFontHeight, "GdiPlus.dll", "GdipGetFontHeight", WRIVO_GDIP(const GpFont*, const GpGraphics*, REAL*)) \
    X(GdipCreateStringFormat, "GdiPlus.dll", "GdipCreateStringFormat", WRIVO_GDIP(int, LANGID, GpStringFormat**)) \
    X(GdipSetStringFormatAlign, "GdiPlus.dll", "GdipSetStringFormatAlign", WRIVO_GDIP(GpStringFormat*, int)) \
    X(GdipSetStringFormatLineAlign, "GdiPlus.dll", "GdipSetStringFormatLineAlign", WRIVO_GDIP(GpStringFormat*, int)) \
    X(GlobalAlloc, "", "GlobalAlloc", decltype(&::GlobalAlloc)) \
    X(CreateStreamOnHGlobal, "Ole32.dll", "CreateStreamOnHGlobal", decltype(&::CreateStreamOnHGlobal)) \
    X(GlobalLock, "", "GlobalLock", decltype(&::GlobalLock)) \
    X(GlobalUnlock, "", "GlobalUnlock", decltype(&::GlobalUnlock)) \
    X(GlobalSize, "", "GlobalSize", decltype(&::GlobalSize)) \
    X(GdipDeleteFontFamily, "GdiPlus.dll", "GdipDeleteFontFamily", WRIVO_GDIP(GpFontFamily*)) \
    X(GdipCreateFontFamilyFromName, "GdiPlus.dll", "GdipCreateFontFamilyFromName", \
      WRIVO_GDIP(const WCHAR*, GpFontCollection*, GpFontFamily**)) \
    /* Beyond the program's 77: string formats made for drawing text are */ \
    /* deleted again rather than leaked. */ \
    X(GdipDeleteStringFormat, "GdiPlus.dll", "GdipDeleteStringFormat", WRIVO_GDIP(GpStringFormat*))
// clang-format on

// Indexes into the skin's name table, in table order: apiCLSIDFromString, ...
enum SkinApi : int {
#define WRIVO_SKIN_ENUM(entry, library, function, Pointer) api##entry,
    WRIVO_SKIN_FUNCTIONS(WRIVO_SKIN_ENUM)
#undef WRIVO_SKIN_ENUM
    skinApiCount
};

// The pointer type of each entry.
template <SkinApi index>
struct SkinFunction;
#define WRIVO_SKIN_TYPE(entry, library, function, Pointer) \
    template <>                                            \
    struct SkinFunction<api##entry> {                      \
        using Type = Pointer;                              \
    };
WRIVO_SKIN_FUNCTIONS(WRIVO_SKIN_TYPE)
#undef WRIVO_SKIN_TYPE

std::span<const BoundFunctionName> skinFunctionTable();

// The table, resolved entry by entry on first use. Its libraries stay loaded
// until the process ends (GDI+ is never shut down).
DynamicBinding& skinApi();

// skinCall<apiGetWindowRect>(window, &rect): the arguments are converted to
// the entry's parameter types, as in a direct call, and the result comes back
// in the entry's result type.
template <SkinApi index, typename... Arguments>
decltype(auto) skinCall(Arguments&&... arguments)
{
    return TypedBoundCall<typename SkinFunction<index>::Type>::call(skinApi(), index,
                                                                    std::forward<Arguments>(arguments)...);
}

} // namespace wrivo
