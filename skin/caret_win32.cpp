#include "skin/caret_win32.h"

#include "skin/png_skin_window_win32.h"
#include "skin/skin_geometry.h"

namespace wrivo {

HWND caretWindow = nullptr;
HWND caretControl = nullptr;
GpImage* caretImage = nullptr;
int caretPhase = 0;

void CALLBACK caretTimerProc(HWND window, UINT, UINT_PTR timerId, DWORD)
{
    if (timerId != skinTimerId)
        return;
    if (window == caretWindow && caretControl && caretImage) {
        caretPhase = (1 - caretPhase) & 1;
        pushLayered(caretWindow, caretImage, caretPhase != 0);
    }
}

void drawCaret(HWND window, HWND control, GpGraphics* graphics)
{
    RECT rect{};
    skinCall<BOOL>(apiGetWindowRect, control, &rect);
    const int height = rect.bottom - rect.top;
    POINT corner{rect.left, rect.top};
    skinCall<BOOL>(apiScreenToClient, window, &corner);
    POINT caret{};
    skinCall<BOOL>(apiGetCaretPos, &caret);
    const float x = static_cast<float>(corner.x + caret.x + 5);
    const float y = static_cast<float>(corner.y + (height - 12) / 2);
    GpPen* pen = nullptr;
    skinCall<GpStatus>(apiGdipCreatePen1, colorToArgb(0, 255), 1.0f, 0, &pen);
    skinCall<GpStatus>(apiGdipDrawLine, graphics, pen, x, y, x, y + 12.0f);
    skinCall<GpStatus>(apiGdipDeletePen, pen);
}

} // namespace wrivo
