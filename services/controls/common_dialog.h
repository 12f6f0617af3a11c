// The common dialog control: a window-less control whose properties set up
// the open-file, save-file, font and help dialogs, and receive their answers.
//
//   CommonDialog& dialog = ...;          // kept by the control's unit
//   dialog.kind = CommonDialog::saveFile;
//   if (openDialog(dialog, owner)) save(dialog.fileName);
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wrivo {

struct CommonDialog {
    enum Kind : std::int32_t {
        openFile = 0,
        saveFile = 1,
        font = 2,
        help = 3
    };

    std::int32_t kind = openFile;   // 8: 0..3
    std::string title;              // 9
    std::string fileName;           // 10: after a confirmed file dialog, the full path
    std::string filter;             // 11: "description|pattern|description|pattern"
    std::int32_t filterIndex = 0;   // 12: 0-based pair shown first
    std::string initialFolder;      // 13
    std::string defaultExtension;   // 14
    bool createPrompt = false;      // 15
    bool fileMustExist = true;      // 16
    bool overwritePrompt = true;    // 17
    bool pathMustExist = true;      // 18
    bool keepCurrentFolder = false; // 19
    std::uint32_t fontColour = 0;   // 20: 0x00BBGGRR
    bool fontBold = false;          // 21
    bool fontItalic = false;        // 22
    bool fontUnderline = false;     // 23
    bool fontStrikeOut = false;     // 24
    std::string fontName;           // 25
    std::int32_t fontSize = 0;      // 26: points
    std::string helpFile;           // 27
    std::int32_t helpCommand = 0;   // 28: 0..5
    std::int32_t helpContext = 0;   // 29

    // Writers that keep the stored values in range.
    void setKind(std::int64_t value);        // below 0 -> 0, above 3 -> 3
    void setFilterIndex(std::int64_t value); // below 0 -> 0
    void setFontSize(std::int64_t value);    // below 0 -> 0
};

// The file name buffer handed to the file dialogs, terminating zero included.
inline constexpr std::size_t fileNameBufferSize = 260;

// The filter as the file dialogs take it: each "|" ends one string, and the
// list ends with an empty string. Trailing blanks are removed first, and "||"
// is added unless the filter already ends with it, so "*.txt" becomes the one
// description "*.txt" with an empty pattern. Empty when there is no filter.
// A "|" byte inside a double-byte character is part of that character.
std::string platformFilter(std::string_view filter);

// The initial file name as it fits the 260-byte buffer: at most 259 bytes,
// never ending in half a character.
std::string fittedFileName(std::string_view fileName);

// Font height in pixels for a size in points at `pixelsPerInch` (negative:
// a character height); 0 for size 0. Rounded to nearest.
std::int32_t fontHeightForSize(std::int32_t points, std::int32_t pixelsPerInch);
// Size in points of a font height (either sign) at `pixelsPerInch`, rounded.
std::int32_t fontSizeForHeight(std::int32_t height, std::int32_t pixelsPerInch);

// The help file the help kind uses when `helpFile` is empty: the program's
// path with the extension "hlp" ("C:\\Tools\\editor.exe" -> "C:\\Tools\\editor.hlp").
std::string defaultHelpFile(std::string_view programPath);

} // namespace wrivo
