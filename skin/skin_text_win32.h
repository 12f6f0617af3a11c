// Drawing a text control's text with GDI+: three small owners of GDI+
// handles (font family, font, string format), each releasing its handle when
// it goes, and the text step of a type-4 control's drawing.
#pragma once
#include "skin/skin_api_win32.h"

#include <string>
#include <string_view>

namespace wrivo {

class SkinFontFamily {
public:
    SkinFontFamily() = default;
    ~SkinFontFamily() { release(); }
    SkinFontFamily(const SkinFontFamily&) = delete;
    SkinFontFamily& operator=(const SkinFontFamily&) = delete;

    void release();
    GpStatus fromName(std::string_view gbkName); // no font collection: the installed fonts
    GpFontFamily* handle() const { return family_; }
    void set(GpFontFamily* family);

private:
    GpFontFamily* family_ = nullptr;
};

class SkinFont {
public:
    SkinFont() = default;
    ~SkinFont() { release(); }
    SkinFont(const SkinFont&) = delete;
    SkinFont& operator=(const SkinFont&) = delete;

    void release();
    GpStatus fromFamilyName(std::string_view gbkName, float size, int style, int unit);
    GpStatus fromDeviceContext(HDC dc);
    // The window's own font (WM_GETFONT); none for the system default font.
    void fromWindow(HWND window);
    // Bold for weights 600 and 700 only; the size is |height| in pixels.
    void fromGdiFont(HFONT font);
    GpFont* handle() const { return font_; }
    void set(GpFont* font);
    int style() const;
    float size() const;
    int unit() const;
    float height(GpGraphics* graphics) const;

private:
    GpFont* font_ = nullptr;
};

class SkinStringFormat {
public:
    SkinStringFormat() = default;
    ~SkinStringFormat() { release(); }
    SkinStringFormat(const SkinStringFormat&) = delete;
    SkinStringFormat& operator=(const SkinStringFormat&) = delete;

    void release();
    GpStatus create(int flags, LANGID language);
    void setAlignment(int horizontal);
    void setLineAlignment(int vertical);
    void setAlignments(int horizontal, int vertical);
    void set(GpStringFormat* format);
    GpStringFormat* handle() const { return format_; }

private:
    GpStringFormat* format_ = nullptr;
};

// The control's text (GetWindowTextLengthA, then GetWindowTextA).
std::string windowTextCopy(HWND control);

// The last step of drawing a type-4 control: its text in its own font,
// opaque "PngControl_TextColor", left-aligned and vertically centred in the
// control's rectangle inset by 2 pixels, without wrapping.
void drawControlText(GpGraphics* graphics, HWND control, float x, float y, int width, int height);

} // namespace wrivo
