// The system functions the skin engine calls, bound by name at run time
// (GDI+ among them: the program does not import gdiplus.dll). Every call goes
// through skinCall, which checks the stack afterwards (run-time error 6).
#pragma once
#include "host/dynamic_binding_win32.h"

#include <cstdint>
#include <span>

namespace wrivo {

// Indexes into the skin's name table, in table order.
enum SkinApi : int {
    apiCLSIDFromString = 0,
    apiLocalSize = 1,
    apiGetModuleHandleA = 2,
    apiLoadCursorA = 3,
    apiRegisterClassExA = 4,
    apiGdiplusStartup = 5,
    apiMultiByteToWideChar = 6,
    apiGetPropA = 7,
    apiTerminateThread = 8,
    apiCloseHandle = 9,
    apiGdipDisposeImage = 10,
    apiGlobalFree = 11,
    apiDefWindowProcA = 12,
    apiReleaseCapture = 13,
    apiSendMessageA = 14,
    apiIsWindow = 15,
    apiSetWindowLongA = 16,
    apiCreateCaret = 17,
    apiSetTimer = 18,
    apiSetPropA = 19,
    apiGetWindowRect = 20,
    apiGetWindowDC = 21,
    apiCreateCompatibleDC = 22,
    apiCreateDIBSection = 23,
    apiSelectObject = 24,
    apiGdipCreateFromHDC = 25,
    apiGdipGetImageHeight = 26,
    apiGdipGetImageWidth = 27,
    apiGdipDrawImageRect = 28,
    apiGdipDeleteGraphics = 29,
    apiUpdateLayeredWindow = 30,
    apiDeleteObject = 31,
    apiDeleteDC = 32,
    apiReleaseDC = 33,
    apiScreenToClient = 34,
    apiGetCaretPos = 35,
    apiGdipCreatePen1 = 36,
    apiGdipDrawLine = 37,
    apiGdipDeletePen = 38,
    apiGdipCreateBitmapFromScan0 = 39,
    apiGdipGetImageGraphicsContext = 40,
    apiGdipGetImageDimension = 41,
    apiGetWindow = 42,
    apiGdipCreateSolidFill = 43,
    apiGdipFillRectangle = 44,
    apiGdipDeleteBrush = 45,
    apiGdipDrawImagePointRect = 46,
    apiGdipDrawRectangle = 47,
    apiGdipDrawString = 48,
    apiGetWindowTextLengthA = 49,
    apiGetWindowTextA = 50,
    apiGdipLoadImageFromStream = 51,
    apiGdipImageSelectActiveFrame = 52,
    apiRemovePropA = 53,
    apiTrackMouseEvent = 54,
    apiGetParent = 55,
    apiCallWindowProcA = 56,
    apiSetWindowPos = 57,
    apiGdipDeleteFont = 58,
    apiGdipCreateFont = 59,
    apiGdipCreateFontFromDC = 60,
    apiSendMessageASecond = 61,
    apiGetObjectA = 62,
    apiGdipGetFontStyle = 63,
    apiGdipGetFontSize = 64,
    apiGdipGetFontUnit = 65,
    apiGdipGetFontHeight = 66,
    apiGdipCreateStringFormat = 67,
    apiGdipSetStringFormatAlign = 68,
    apiGdipSetStringFormatLineAlign = 69,
    apiGlobalAlloc = 70,
    apiCreateStreamOnHGlobal = 71,
    apiGlobalLock = 72,
    apiGlobalUnlock = 73,
    apiGlobalSize = 74,
    apiGdipDeleteFontFamily = 75,
    apiGdipCreateFontFamilyFromName = 76,
    apiGdipDeleteStringFormat = 77,
    skinApiCount = 78,
};

std::span<const BoundFunctionName> skinFunctionTable();

// The table, resolved entry by entry on first use. Its libraries stay loaded
// until the process ends (GDI+ is never shut down).
DynamicBinding& skinApi();

template <typename Result, typename... Arguments>
Result skinCall(SkinApi index, Arguments... arguments)
{
    return boundCall<Result>(skinApi(), index, arguments...);
}

// GDI+ flat API types, opaque to the engine.
struct GpImage;
struct GpGraphics;
struct GpPen;
struct GpBrush;
struct GpFont;
struct GpFontFamily;
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

} // namespace wrivo
