// Typed faces of the units the handlers act on, over their numbered
// properties: editBox.content(), mainWindow.setCaption(text). Each holds the
// unit's reference and reads and writes through readProperty and
// writeProperty, so a face behaves exactly as the numbered access does (the
// same events, the same run-time errors); only the number and the value's
// kind are written once, here, instead of in every handler.
#pragma once
#include <cstdint>
#include <string>
#include <utility>

#include "host/font_property.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "host/window_properties.h"
#include "services/controls/unit_properties.h"

namespace wrivo {

// The properties every visual unit has (numbers 0 to 7).
class UnitFace {
public:
    explicit UnitFace(const UnitRef& ref) : ref_(ref) { }
    const UnitRef& ref() const { return ref_; }

    std::int64_t width() const { return number(CommonProperty::width); }
    std::int64_t height() const { return number(CommonProperty::height); }
    void setTop(std::int64_t top) const { write(CommonProperty::top, top); }
    void setWidth(std::int64_t width) const { write(CommonProperty::width, width); }
    void setHeight(std::int64_t height) const { write(CommonProperty::height, height); }
    void setVisible(bool visible) const { write(CommonProperty::visible, std::int64_t{visible ? 1 : 0}); }
    void setDisabled(bool disabled) const { write(CommonProperty::disabled, std::int64_t{disabled ? 1 : 0}); }

protected:
    std::int64_t number(int property, int subIndex = -1) const
    {
        return propertyNumber(readProperty(ref_, property, subIndex));
    }
    std::string text(int property, int subIndex = -1) const
    {
        return propertyText(readProperty(ref_, property, subIndex));
    }
    void write(int property, PropertyValue value, int subIndex = -1) const
    {
        writeProperty(ref_, property, value, subIndex);
    }

private:
    UnitRef ref_;
};

class WindowFace : public UnitFace {
public:
    using UnitFace::UnitFace;
    void setCaption(std::string caption) const { write(WindowProperty::caption, std::move(caption)); }
    void setTopmost(bool topmost) const { write(WindowProperty::topmost, std::int64_t{topmost ? 1 : 0}); }
};

class EditBoxFace : public UnitFace {
public:
    using UnitFace::UnitFace;
    // Read only: one binding of the application writes the box's text.
    std::string content() const { return text(EditBoxProperty::content); }
    std::int64_t textColour() const { return number(EditBoxProperty::textColour); }
    void setTextColour(std::int64_t colour) const { write(EditBoxProperty::textColour, colour); }
    std::int64_t backgroundColour() const { return number(EditBoxProperty::backgroundColour); }
    void setBackgroundColour(std::int64_t colour) const { write(EditBoxProperty::backgroundColour, colour); }
    std::string fontFace() const { return text(EditBoxProperty::font, FontMember::faceName); }
    void setFontFace(std::string face) const { write(EditBoxProperty::font, std::move(face), FontMember::faceName); }
    std::int64_t fontSize() const { return number(EditBoxProperty::font, FontMember::size); }
    void setFontSize(std::int64_t points) const { write(EditBoxProperty::font, points, FontMember::size); }
    // Start and length in bytes of the GBK text.
    void setSelection(std::int64_t start, std::int64_t length) const
    {
        write(EditBoxProperty::selectionStart, start);
        write(EditBoxProperty::selectionLength, length);
    }
};

class ListBoxFace : public UnitFace {
public:
    using UnitFace::UnitFace;
    std::int64_t textColour() const { return number(ListBoxProperty::textColour); }
    void setTextColour(std::int64_t colour) const { write(ListBoxProperty::textColour, colour); }
    void setBackgroundColour(std::int64_t colour) const { write(ListBoxProperty::backgroundColour, colour); }
    void setCurrentSelection(std::int64_t row) const { write(ListBoxProperty::currentSelection, row); }
};

class ColorPickerFace : public UnitFace {
public:
    using UnitFace::UnitFace;
    std::int64_t colour() const { return number(ColorPickerProperty::colour); }
};

class CommonDlgFace : public UnitFace {
public:
    using UnitFace::UnitFace;
    void setDialogType(std::int64_t type) const { write(CommonDlgProperty::dialogType, type); }
    void setInitialFolder(std::string folder) const { write(CommonDlgProperty::initialFolder, std::move(folder)); }
    std::string fileName() const { return text(CommonDlgProperty::fileName); }
    void setFileName(std::string path) const { write(CommonDlgProperty::fileName, std::move(path)); }
    std::string fontName() const { return text(CommonDlgProperty::fontName); }
    std::int64_t fontSize() const { return number(CommonDlgProperty::fontSize); }
};

} // namespace wrivo
