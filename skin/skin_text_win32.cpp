#include "skin/skin_text_win32.h"

#include "skin/png_skin_window_win32.h"
#include "skin/scoped_skin_win32.h"
#include "skin/skin_geometry.h"
#include "skin/skin_module_win32.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace wrivo {

void SkinFontFamily::release()
{
    if (family_) skinCall<apiGdipDeleteFontFamily>(family_);
    family_ = nullptr;
}

GpStatus SkinFontFamily::fromName(std::string_view gbkName)
{
    const std::vector<std::uint8_t> wide = toWideBytes(gbkName);
    GpFontFamily* family = nullptr;
    const GpStatus status = skinCall<apiGdipCreateFontFamilyFromName>(wideChars(wide), nullptr, &family);
    set(status == gdipOk ? family : nullptr);
    return status;
}

void SkinFontFamily::set(GpFontFamily* family)
{
    release();
    family_ = family;
}

void SkinFont::release()
{
    if (font_) skinCall<apiGdipDeleteFont>(font_);
    font_ = nullptr;
}

GpStatus SkinFont::fromFamilyName(std::string_view gbkName, float size, int style, int unit)
{
    SkinFontFamily family;
    family.fromName(gbkName);
    GpFont* font = nullptr;
    const GpStatus status = family.handle() ? skinCall<apiGdipCreateFont>(family.handle(), size, style, unit, &font)
                                            : 2; // InvalidParameter: no such family
    set(status == gdipOk ? font : nullptr);
    return status;
}

GpStatus SkinFont::fromDeviceContext(HDC dc)
{
    GpFont* font = nullptr;
    const GpStatus status = skinCall<apiGdipCreateFontFromDC>(dc, &font);
    set(status == gdipOk ? font : nullptr);
    return status;
}

void SkinFont::fromWindow(HWND window)
{
    fromGdiFont(reinterpret_cast<HFONT>(skinCall<apiSendMessageASecond>(window, WM_GETFONT, 0, 0)));
}

void SkinFont::fromGdiFont(HFONT gdiFont)
{
    if (!gdiFont) return;
    LOGFONTA description{};
    skinCall<apiGetObjectA>(gdiFont, static_cast<int>(sizeof description), &description);
    int style = 0;
    if (description.lfWeight == 600 || description.lfWeight == 700) style |= 1;
    if (description.lfItalic == 1) style |= 2;
    if (description.lfUnderline == 1) style |= 4;
    if (description.lfStrikeOut == 1) style |= 8;
    const std::string_view face(description.lfFaceName, strnlen(description.lfFaceName, LF_FACESIZE));
    fromFamilyName(face, static_cast<float>(std::abs(description.lfHeight)), style, unitPixel);
}

void SkinFont::set(GpFont* font)
{
    release();
    font_ = font;
}

int SkinFont::style() const
{
    int style = 0;
    skinCall<apiGdipGetFontStyle>(font_, &style);
    return style;
}

float SkinFont::size() const
{
    float size = 0;
    skinCall<apiGdipGetFontSize>(font_, &size);
    return size;
}

int SkinFont::unit() const
{
    int unit = 0;
    skinCall<apiGdipGetFontUnit>(font_, &unit);
    return unit;
}

float SkinFont::height(GpGraphics* graphics) const
{
    float height = 0;
    skinCall<apiGdipGetFontHeight>(font_, graphics, &height);
    return height;
}

void SkinStringFormat::release()
{
    if (format_) skinCall<apiGdipDeleteStringFormat>(format_);
    format_ = nullptr;
}

GpStatus SkinStringFormat::create(int flags, LANGID language)
{
    GpStringFormat* format = nullptr;
    const GpStatus status = skinCall<apiGdipCreateStringFormat>(flags, language, &format);
    set(status == gdipOk ? format : nullptr);
    return status;
}

void SkinStringFormat::setAlignment(int horizontal)
{
    skinCall<apiGdipSetStringFormatAlign>(format_, horizontal);
}

void SkinStringFormat::setLineAlignment(int vertical)
{
    skinCall<apiGdipSetStringFormatLineAlign>(format_, vertical);
}

void SkinStringFormat::setAlignments(int horizontal, int vertical)
{
    setAlignment(horizontal);
    setLineAlignment(vertical);
}

void SkinStringFormat::set(GpStringFormat* format)
{
    release();
    format_ = format;
}

std::string windowTextCopy(HWND control)
{
    const int length = skinCall<apiGetWindowTextLengthA>(control);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), ' ');
    const int copied = skinCall<apiGetWindowTextA>(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 && copied <= length ? copied : 0));
    return text;
}

void drawControlText(GpGraphics* graphics, HWND control, float x, float y, int width, int height)
{
    const std::string text = windowTextCopy(control);
    if (text.empty()) return;
    const std::vector<std::uint8_t> wide = toWideBytes(text);
    const GpRectF layout{x + 2, y + 2, static_cast<float>(width - 4), static_cast<float>(height - 4)};
    SkinFont font;
    font.fromWindow(control);
    SkinStringFormat format;
    format.create(0x1004, 0); // no wrapping, no fitting to the black box
    format.setAlignments(0, 1);
    GdipBrush brush;
    const auto colour = static_cast<std::uint32_t>(skinProperty(control, "PngControl_TextColor"));
    skinCall<apiGdipCreateSolidFill>(colorToArgb(colour, 255), out(brush));
    skinCall<apiGdipDrawString>(graphics, wideChars(wide), static_cast<int>(wide.size() / 2 - 1), font.handle(),
                                &layout, format.handle(), brush.get());
}

} // namespace wrivo
