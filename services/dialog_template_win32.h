// A dialog template built in memory (DLGTEMPLATE and DLGITEMTEMPLATE), for
// the program's small dialogs: no resource script, texts given in GBK.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace wrivo {

// The predefined control classes, by their atoms.
inline constexpr WORD classButton = 0x0080, classEdit = 0x0081, classStatic = 0x0082;

// A dialog template in memory (DLGTEMPLATE and DLGITEMTEMPLATE): WORDs, its
// texts in UTF-16 whichever function reads it, each item on a DWORD boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, std::string_view title, WORD pointSize,
                   std::string_view face)
    {
        addDword(style);
        addDword(0); // extended style
        countAt_ = words_.size();
        words_.push_back(0); // item count, filled in as items come
        for (short value : {short{0}, short{0}, width, height}) words_.push_back(static_cast<WORD>(value));
        words_.push_back(0); // no menu
        words_.push_back(0); // the standard dialog class
        addText(title);
        words_.push_back(pointSize);
        addText(face);
    }

    void addItem(WORD itemClass, DWORD style, short x, short y, short width, short height, WORD id,
                 std::string_view text)
    {
        if (words_.size() % 2) words_.push_back(0);
        addDword(style | WS_CHILD | WS_VISIBLE);
        addDword(0);
        for (short value : {x, y, width, height}) words_.push_back(static_cast<WORD>(value));
        words_.push_back(id);
        words_.push_back(0xFFFF); // a predefined class, by its atom
        words_.push_back(itemClass);
        addText(text);
        words_.push_back(0); // no creation data
        ++words_[countAt_];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void addDword(DWORD value)
    {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void addText(std::string_view gbk)
    {
        const int length = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
        const std::size_t at = words_.size();
        words_.resize(at + static_cast<std::size_t>(length > 0 ? length : 0) + 1, 0);
        if (length > 0)
            MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()),
                                reinterpret_cast<wchar_t*>(words_.data() + at), length);
    }

    std::vector<WORD> words_; // WORD-aligned from the start, as std::vector<WORD> is DWORD-aligned
    std::size_t countAt_ = 0;
};

} // namespace wrivo
