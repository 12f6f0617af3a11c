// The skin's table of system functions bound by name, in the program's order.
// Library names are kept exactly as the program stores them ("user32",
// "user32.dll", "GdiPlus.dll", ...); an empty name means "one of the system
// libraries".
#include "skin/skin_api_win32.h"

namespace wrivo {

namespace {

const BoundFunctionName skinFunctionNames[skinApiCount] = {
    {"ole32.dll", "CLSIDFromString"},
    {"kernel32.dll", "LocalSize"},
    {"kernel32", "GetModuleHandleA"},
    {"user32", "LoadCursorA"},
    {"user32", "RegisterClassExA"},
    {"GdiPlus.dll", "GdiplusStartup"},
    {"", "MultiByteToWideChar"},
    {"user32", "GetPropA"},
    {"", "TerminateThread"},
    {"", "CloseHandle"},
    {"GdiPlus.dll", "GdipDisposeImage"},
    {"", "GlobalFree"},
    {"user32", "DefWindowProcA"},
    {"user32", "ReleaseCapture"},
    {"user32", "SendMessageA"},
    {"user32", "IsWindow"},
    {"user32", "SetWindowLongA"},
    {"user32", "CreateCaret"},
    {"user32", "SetTimer"},
    {"user32", "SetPropA"},
    {"user32", "GetWindowRect"},
    {"user32", "GetWindowDC"},
    {"", "CreateCompatibleDC"},
    {"gdi32", "CreateDIBSection"},
    {"", "SelectObject"},
    {"GdiPlus.dll", "GdipCreateFromHDC"},
    {"GdiPlus.dll", "GdipGetImageHeight"},
    {"GdiPlus.dll", "GdipGetImageWidth"},
    {"GdiPlus.dll", "GdipDrawImageRect"},
    {"GdiPlus.dll", "GdipDeleteGraphics"},
    {"user32.dll", "UpdateLayeredWindow"},
    {"gdi32", "DeleteObject"},
    {"gdi32", "DeleteDC"},
    {"user32", "ReleaseDC"},
    {"user32", "ScreenToClient"},
    {"user32", "GetCaretPos"},
    {"GdiPlus.dll", "GdipCreatePen1"},
    {"GdiPlus.dll", "GdipDrawLine"},
    {"GdiPlus.dll", "GdipDeletePen"},
    {"GdiPlus.dll", "GdipCreateBitmapFromScan0"},
    {"GdiPlus.dll", "GdipGetImageGraphicsContext"},
    {"GdiPlus.dll", "GdipGetImageDimension"},
    {"user32", "GetWindow"},
    {"GdiPlus.dll", "GdipCreateSolidFill"},
    {"GdiPlus.dll", "GdipFillRectangle"},
    {"GdiPlus.dll", "GdipDeleteBrush"},
    {"GdiPlus.dll", "GdipDrawImagePointRect"},
    {"GdiPlus.dll", "GdipDrawRectangle"},
    {"GdiPlus.dll", "GdipDrawString"},
    {"user32", "GetWindowTextLengthA"},
    {"user32", "GetWindowTextA"},
    {"GdiPlus.dll", "GdipLoadImageFromStream"},
    {"GdiPlus.dll", "GdipImageSelectActiveFrame"},
    {"user32", "RemovePropA"},
    {"user32.dll", "TrackMouseEvent"},
    {"user32", "GetParent"},
    {"user32", "CallWindowProcA"},
    {"user32", "SetWindowPos"},
    {"GdiPlus.dll", "GdipDeleteFont"},
    {"GdiPlus.dll", "GdipCreateFont"},
    {"GdiPlus.dll", "GdipCreateFontFromDC"},
    {"user32", "SendMessageA"},
    {"gdi32", "GetObjectA"},
    {"GdiPlus.dll", "GdipGetFontStyle"},
    {"GdiPlus.dll", "GdipGetFontSize"},
    {"GdiPlus.dll", "GdipGetFontUnit"},
    {"GdiPlus.dll", "GdipGetFontHeight"},
    {"GdiPlus.dll", "GdipCreateStringFormat"},
    {"GdiPlus.dll", "GdipSetStringFormatAlign"},
    {"GdiPlus.dll", "GdipSetStringFormatLineAlign"},
    {"", "GlobalAlloc"},
    {"Ole32.dll", "CreateStreamOnHGlobal"},
    {"", "GlobalLock"},
    {"", "GlobalUnlock"},
    {"", "GlobalSize"},
    {"GdiPlus.dll", "GdipDeleteFontFamily"},
    {"GdiPlus.dll", "GdipCreateFontFamilyFromName"},
    // Beyond the program's 77: string formats made for drawing text are
    // deleted again rather than leaked.
    {"GdiPlus.dll", "GdipDeleteStringFormat"},
};

} // namespace

std::span<const BoundFunctionName> skinFunctionTable() { return skinFunctionNames; }

DynamicBinding& skinApi()
{
    // Never destroyed: GDI+ is never shut down, so gdiplus.dll (and its
    // background thread) must stay loaded until the process is gone rather
    // than be unloaded by a static destructor on the way out.
    static DynamicBinding& binding = *new DynamicBinding(skinFunctionNames);
    return binding;
}

} // namespace wrivo
