// Composition and layered push of skin windows.
#include "skin/png_skin_window_win32.h"

#include "skin/caret_win32.h"
#include "skin/image_memory_win32.h"
#include "skin/scoped_skin_win32.h"
#include "skin/skin_geometry.h"
#include "skin/skin_state_win32.h"
#include "skin/skin_text_win32.h"
#include "skin/skinned_controls_win32.h"

namespace wrivo {

namespace {

constexpr float sizeMargin = 0.0000001f;

RECT windowRect(HWND window)
{
    RECT rect{};
    skinCall<apiGetWindowRect>(window, &rect);
    return rect;
}

bool isWindow(HWND window)
{
    return skinCall<apiIsWindow>(window) == 1;
}

void fillRectangle(GpGraphics* graphics, std::uint32_t argb, float x, float y, float w, float h)
{
    GdipBrush brush;
    skinCall<apiGdipCreateSolidFill>(argb, out(brush));
    skinCall<apiGdipFillRectangle>(graphics, brush.get(), x, y, w, h);
}

void outlineRectangle(GpGraphics* graphics, std::uint32_t argb, float x, float y, float w, float h)
{
    GdipPen pen;
    skinCall<apiGdipCreatePen1>(argb, 1.0f, 0, out(pen));
    skinCall<apiGdipDrawRectangle>(graphics, pen.get(), x, y, w, h);
}

} // namespace

std::uintptr_t skinProperty(HWND window, const char* key)
{
    return reinterpret_cast<std::uintptr_t>(skinCall<apiGetPropA>(window, key));
}

void setSkinProperty(HWND window, const char* key, std::uintptr_t value)
{
    skinCall<apiSetPropA>(window, key, reinterpret_cast<HANDLE>(value));
}

bool PngSkinWindow::attach(HWND window)
{
    if (!isWindow(window)) return false;
    window_ = window;
    skinCall<apiSetWindowLongA>(window, GWL_EXSTYLE, static_cast<LONG>(WS_EX_LAYERED));
    skinCall<apiCreateCaret>(window, nullptr, 1, 12);
    if (skinProperty(window, "PngControl_Time") == 0) {
        skinCall<apiSetTimer>(window, skinTimerId, skinTimerInterval, &caretTimerProc);
        setSkinProperty(window, "PngControl_Time", skinTimerId);
    }
    return true;
}

bool PngSkinWindow::setBackImage(GpImage* image)
{
    if (!isWindow(window_) || !image) return false;
    GpImage* previous = reinterpret_cast<GpImage*>(skinProperty(window_, "PngControl_BackImage"));
    setSkinProperty(window_, "PngControl_BackImage", reinterpret_cast<std::uintptr_t>(image));
    composeWindow(window_, false);
    if (previous && previous == ownImage_ && previous != image) {
        disposeImage(previous);
        ownImage_ = nullptr;
    }
    return true;
}

bool PngSkinWindow::setBackImageBytes(std::span<const std::uint8_t> bytes)
{
    GpImage* image = loadImageFromBytes(bytes);
    if (!setBackImage(image)) {
        disposeImage(image);
        return false;
    }
    ownImage_ = image;
    return true;
}

void PngSkinWindow::moveTo(std::optional<int> left, std::optional<int> top, std::optional<int> width,
                           std::optional<int> height, bool noRedraw)
{
    UINT flags = SWP_NOZORDER;
    if (noRedraw) flags |= SWP_NOREDRAW;
    if (!left && !top) flags |= SWP_NOMOVE;
    if (!width && !height) flags |= SWP_NOSIZE;
    const RECT rect = windowRect(window_);
    skinCall<apiSetWindowPos>(window_, nullptr, left.value_or(rect.left), top.value_or(rect.top),
                              width.value_or(rect.right - rect.left), height.value_or(rect.bottom - rect.top), flags);
}

void PngSkinWindow::skinChildren()
{
    skinChildControls(window_);
}

bool PngSkinWindow::isValid() const
{
    return isWindow(window_);
}

LRESULT PngSkinWindow::send(UINT message, WPARAM wordParameter, LPARAM longParameter) const
{
    return skinCall<apiSendMessageA>(window_, message, wordParameter, longParameter);
}

std::uint32_t compositionCount()
{
    return skinState().compositions;
}

GpImage* composeWindow(HWND window, bool handBack)
{
    ++skinState().compositions;
    const RECT rect = windowRect(window);
    GdipImage bitmap;
    skinCall<apiGdipCreateBitmapFromScan0>(static_cast<int>(rect.right - rect.left),
                                           static_cast<int>(rect.bottom - rect.top), 0, pixelFormat32bppArgb, nullptr,
                                           out(bitmap));
    {
        // GDI+ wants the Graphics gone before the image it draws on is
        // disposed of: it goes at the end of this block.
        GdipGraphics graphics;
        skinCall<apiGdipGetImageGraphicsContext>(bitmap.get(), out(graphics));
        if (auto* back = reinterpret_cast<GpImage*>(skinProperty(window, "PngControl_BackImage"))) {
            float width = 0, height = 0;
            imageDimension(back, width, height);
            skinCall<apiGdipDrawImageRect>(graphics.get(), back, 0.0f, 0.0f, width, height);
        }
        for (HWND child = skinCall<apiGetWindow>(window, GW_CHILD); child;
             child = skinCall<apiGetWindow>(child, GW_HWNDNEXT)) {
            if (skinProperty(child, "PngControl_Type") != 0) drawControl(window, child, graphics.get());
        }
    }
    if (handBack) return bitmap.release();
    pushLayered(window, bitmap.get(), false);
    // The caret's window keeps its last composition for blinking (the one it
    // held before is disposed of); any other is disposed of now.
    SkinCaret& caret = skinState().caret;
    if (window == caret.window && bitmap) caret.image = std::move(bitmap);
    return nullptr;
}

void drawControl(HWND window, HWND control, GpGraphics* graphics)
{
    const RECT rect = windowRect(control);
    const int cw = rect.right - rect.left;
    const int ch = rect.bottom - rect.top;
    POINT corner{rect.left, rect.top};
    skinCall<apiScreenToClient>(window, &corner);
    const float x = static_cast<float>(corner.x);
    const float y = static_cast<float>(corner.y);
    const std::uintptr_t type = skinProperty(control, "PngControl_Type");
    const std::uintptr_t placement = skinProperty(control, "PngControl_BackType");

    GpImage* image = nullptr;
    if (type == 2 || type == 4)
        image = reinterpret_cast<GpImage*>(skinProperty(control, "PngControl_BackImage"));
    else if (type == 3)
        image = stateImage(control);
    if (type == 4) {
        const auto fill = static_cast<std::uint32_t>(skinProperty(control, "PngControl_BackColor"));
        if (fill != 0xFFFFFFFFu)
            fillRectangle(graphics,
                          colorToArgb(fill, static_cast<std::uint32_t>(skinProperty(control, "PngControl_BackAlpha"))),
                          x, y, static_cast<float>(cw), static_cast<float>(ch));
    }
    if (image) {
        float iw = 0, ih = 0;
        imageDimension(image, iw, ih);
        if (placement == 1) {
            skinCall<apiGdipDrawImageRect>(graphics, image, x, y, static_cast<float>(cw), static_cast<float>(ch));
        } else if (placement == 2) {
            const FittedSize size = fitInside(static_cast<int>(iw), static_cast<int>(ih), cw, ch);
            const int ox = (cw - size.width) / 2;
            const int oy = (ch - size.height) / 2;
            skinCall<apiGdipDrawImageRect>(graphics, image, x + ox, y + oy, static_cast<float>(size.width),
                                           static_cast<float>(size.height));
        } else if (iw - cw > sizeMargin || ih - ch > sizeMargin) {
            // Larger than the control: only its top-left part, and a text
            // control drawn this way gets neither border nor text.
            skinCall<apiGdipDrawImagePointRect>(graphics, image, x, y, 0.0f, 0.0f, static_cast<float>(cw),
                                                static_cast<float>(ch), unitPixel);
            return;
        } else {
            skinCall<apiGdipDrawImageRect>(graphics, image, x, y, iw, ih);
        }
    }
    if (type == 4) {
        const auto border = static_cast<std::uint32_t>(skinProperty(control, "PngControl_OrderColor"));
        if (border != 0xFFFFFFFFu)
            outlineRectangle(
                graphics,
                colorToArgb(border, static_cast<std::uint32_t>(skinProperty(control, "PngControl_OrderAlpha"))), x, y,
                static_cast<float>(cw), static_cast<float>(ch));
        drawControlText(graphics, control, x, y, cw, ch);
    }
}

void pushLayered(HWND window, GpImage* image, bool withCaret)
{
    if (!isWindow(window) || !image) return;
    const RECT rect = windowRect(window);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const SkinWindowDC windowDc(window);

    BITMAPINFO info{};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width * height * 32 / 8);
    // Freed in reverse order: the section is deselected before it is
    // deleted, the memory DC deleted before the window DC is released.
    const SkinMemoryDC memoryDc(skinCall<apiCreateCompatibleDC>(windowDc.get()));
    const SkinBitmap section(skinCall<apiCreateDIBSection>(memoryDc.get(), &info, 0u, nullptr, nullptr, 0u));
    const SkinSelection selected(memoryDc.get(), section.get());

    {
        GdipGraphics graphics;
        skinCall<apiGdipCreateFromHDC>(memoryDc.get(), out(graphics));
        skinCall<apiGdipDrawImageRect>(graphics.get(), image, 0.0f, 0.0f, static_cast<float>(imageWidth(image)),
                                       static_cast<float>(imageHeight(image)));
        if (withCaret) drawCaret(window, skinState().caret.control, graphics.get());
    }

    SIZE size{width, height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    skinCall<apiUpdateLayeredWindow>(window, windowDc.get(), nullptr, &size, memoryDc.get(), &source, 0u, &blend,
                                     static_cast<DWORD>(ULW_ALPHA));
}

} // namespace wrivo
