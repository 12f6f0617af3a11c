// Whether bytes are text of the system's code page (GBK, code page 936): text
// the edit control shows and gives back byte for byte. Bytes that are not
// (a lead byte without a valid second byte, as in files of other encodings)
// come back from the control as "?" with their neighbour lost.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wrivo {

bool isCodePageText(std::string_view text);

// The process's ANSI code page (936 where Wrivo's texts are read right).
std::uint32_t activeCodePage();

// A name the system gives in UTF-16 (a command-line argument, a dropped file)
// in the code page the ANSI file functions take. `exact` is false when some
// character has no spelling there: `text` then shows "?" in its place and
// must not be used to open anything.
struct CodePageName {
    std::string text;
    bool exact = false;
};
CodePageName toCodePageName(std::wstring_view name);

// `text` in UTF-16, read in `codePage`: by default the process's ANSI code
// page, in which the ANSI file functions read names; 936 for Wrivo's own GBK
// texts, whatever the system's. Bytes the code page cannot read become U+FFFD.
std::wstring widened(std::string_view text, std::uint32_t codePage = 0 /* CP_ACP */);

} // namespace wrivo
