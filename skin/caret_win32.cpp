#include "skin/caret_win32.h"

#include "skin/png_skin_window_win32.h"
#include "skin/scoped_skin_win32.h"
#include "skin/skin_geometry.h"
#include "skin/skin_state_win32.h"

namespace wrivo {

void CALLBACK caretTimerProc(HWND window, UINT, UINT_PTR timerId, DWORD)
{
    if (timerId != skinTimerId) return;
    SkinCaret& caret = skinState().caret;
    if (window == caret.window && caret.control && caret.image) {
        caret.phase = (1 - caret.phase) & 1;
        pushLayered(caret.window, caret.image.get(), caret.phase != 0);
    }
}

void drawCaret(HWND window, HWND control, GpGraphics* graphics)
{
    RECT rect{};
    skinCall<apiGetWindowRect>(control, &rect);
    const int height = rect.bottom - rect.top;
    POINT corner{rect.left, rect.top};
    skinCall<apiScreenToClient>(window, &corner);
    POINT caret{};
    skinCall<apiGetCaretPos>(&caret);
    const float x = static_cast<float>(corner.x + caret.x + 5);
    const float y = static_cast<float>(corner.y + (height - 12) / 2);
    GdipPen pen;
    skinCall<apiGdipCreatePen1>(colorToArgb(0, 255), 1.0f, 0, out(pen));
    skinCall<apiGdipDrawLine>(graphics, pen.get(), x, y, x, y + 12.0f);
}

} // namespace wrivo
