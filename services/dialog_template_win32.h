// A dialog template built in memory (DLGTEMPLATE and DLGITEMTEMPLATE) for
// DialogBoxIndirectParamA and CreateDialogIndirectParamA: the small dialogs
// of the program need no resource file.
#pragma once
#include <windows.h>

#include <string_view>
#include <vector>

namespace wrivo {

// Predefined control classes, by their atoms.
inline constexpr WORD dialogButton = 0x0080, dialogEdit = 0x0081, dialogStatic = 0x0082, dialogListBox = 0x0083;

// A dialog template in memory (DLGTEMPLATE and DLGITEMTEMPLATE): WORDs, its
// texts in UTF-16 whichever function reads it, each item on a DWORD boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, std::string_view title, WORD pointSize,
                   std::string_view face);
    void addItem(WORD itemClass, DWORD style, short x, short y, short width, short height, WORD id,
                 std::string_view text);
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void addDword(DWORD value);
    void addText(std::string_view gbk);

    std::vector<WORD> words_; // WORD-aligned from the start, as std::vector<WORD> is DWORD-aligned
    std::size_t countAt_ = 0;
};

} // namespace wrivo
