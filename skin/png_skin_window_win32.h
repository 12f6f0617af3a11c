// A skin window: an ordinary top-level window made layered, whose whole
// picture the engine composes in a 32-bit ARGB bitmap (its background image,
// then its skinned child controls) and hands to UpdateLayeredWindow with
// per-pixel alpha. The look is driven by window properties ("PngControl_...").
#pragma once
#include "skin/skin_api_win32.h"

#include <cstdint>
#include <optional>
#include <span>

namespace wrivo {

class PngSkinWindow {
public:
    PngSkinWindow() = default;
    ~PngSkinWindow() = default; // the window is not ours; nothing to undo
    PngSkinWindow(const PngSkinWindow& other) : window_(other.window_) { }
    PngSkinWindow& operator=(const PngSkinWindow&) = delete;

    // Makes the window layered (extended style exactly WS_EX_LAYERED), gives
    // it a caret and the skin timer. False, and nothing changed, for a handle
    // that is not a window. Nothing is drawn.
    bool attach(HWND window);
    // The window's background image; recomposes and pushes. False for image 0
    // or a window that is gone: the window keeps its last picture.
    bool setBackImage(GpImage* image);
    // Decodes the bytes and shows them as the background image.
    bool setBackImageBytes(std::span<const std::uint8_t> bytes);
    // Subclasses the skinned child controls (types 3 and 4) and recomposes.
    void skinChildren();
    // Omitted values keep the window's current ones.
    void moveTo(std::optional<int> left, std::optional<int> top, std::optional<int> width, std::optional<int> height,
                bool noRedraw);
    HWND handle() const { return window_; }
    bool isValid() const;
    LRESULT send(UINT message, WPARAM wordParameter, LPARAM longParameter) const;

private:
    HWND window_ = nullptr;
    // The background image setBackImageBytes made; disposed of once replaced.
    // Images given to setBackImage belong to their caller.
    GpImage* ownImage_ = nullptr;
};

// Composes the window's picture. handBack: the bitmap is returned and the
// caller disposes of it (GdipDisposeImage); otherwise it is pushed and null is
// returned.
GpImage* composeWindow(HWND window, bool handBack);

// How many compositions have been made so far (each recomposition counts).
std::uint32_t compositionCount();

// Draws one skinned child control into a composition.
void drawControl(HWND window, HWND control, GpGraphics* graphics);

// Puts the image on the layered window, with per-pixel alpha; nothing happens
// when the window is gone or the image is 0.
void pushLayered(HWND window, GpImage* image, bool withCaret);

// A window property, absent reading as 0.
std::uintptr_t skinProperty(HWND window, const char* key);
void setSkinProperty(HWND window, const char* key, std::uintptr_t value);

} // namespace wrivo
