#include "services/dialogs/dialog_template_win32.h"

#include "services/text/code_page.h"

namespace wrivo {

// The layout is DLGTEMPLATE's: WORDs, each item on a DWORD boundary.
DialogTemplate::DialogTemplate(DWORD style, DWORD exStyle, short width, short height, std::string_view title,
                               WORD pointSize, std::string_view face)
{
    addDword(style);
    addDword(exStyle);
    countAt_ = words_.size();
    words_.push_back(0); // item count, filled in as items come
    for (short value : {short{0}, short{0}, width, height}) words_.push_back(static_cast<WORD>(value));
    words_.push_back(0); // no menu
    words_.push_back(0); // the standard dialog class
    addText(title);
    if (style & DS_SETFONT) {
        words_.push_back(pointSize);
        addText(face);
    }
}

void DialogTemplate::addItem(WORD itemClass, DWORD style, short x, short y, short width, short height, WORD id,
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

void DialogTemplate::addDword(DWORD value)
{
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

void DialogTemplate::addText(std::string_view gbk)
{
    const std::wstring wide = widened(gbk, 936);
    words_.insert(words_.end(), wide.begin(), wide.end());
    words_.push_back(0);
}

} // namespace wrivo
