// A dialog template in memory (DLGTEMPLATE followed by its DLGITEMTEMPLATEs),
// for the program's own small dialogs: no resource file, the texts given in
// GBK and stored in UTF-16 as the template wants them whichever function
// reads it.
//
//   DialogTemplate form(DS_MODALFRAME | WS_CAPTION, 0, 186, 70, "转到段落", 9, "宋体");
//   form.addItem(DialogTemplate::staticClass, SS_LEFT, 8, 8, 170, 10, 0xFFFF, "段落：");
//   DialogBoxIndirectParamA(instance, form.get(), owner, procedure, 0);
#pragma once
#include <windows.h>

#include <string_view>
#include <vector>

namespace wrivo {

class DialogTemplate {
public:
    // The predefined control classes, by their atoms.
    static constexpr WORD buttonClass = 0x0080, editClass = 0x0081, staticClass = 0x0082, listBoxClass = 0x0083;

    // Sizes are in dialog units; `pointSize` and `face` need DS_SETFONT in `style`.
    DialogTemplate(DWORD style, DWORD exStyle, short width, short height, std::string_view title, WORD pointSize,
                   std::string_view face);

    // A child control (WS_CHILD and WS_VISIBLE are added).
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
