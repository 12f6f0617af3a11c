#include "services/text/code_page.h"

#include "host/gbk_rules.h"

#include <windows.h>

#include <climits>

namespace wrivo {

bool isCodePageText(std::string_view text)
{
    // The conversion the edit control makes, told to fail where it would
    // have to guess. Texts past INT_MAX bytes are checked in pieces cut
    // after a byte below 0x80, which always ends a character.
    while (!text.empty()) {
        std::size_t piece = text.size();
        if (piece > INT_MAX) {
            piece = INT_MAX;
            while (piece > 0 && gbk::CountRule::leads(static_cast<unsigned char>(text[piece - 1]))) --piece;
            if (piece == 0) return false;
        }
        if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(piece), nullptr, 0) == 0)
            return false;
        text.remove_prefix(piece);
    }
    return true;
}

std::uint32_t activeCodePage()
{
    return GetACP();
}

std::wstring widened(std::string_view text, std::uint32_t codePage)
{
    const int bytes = static_cast<int>(text.size());
    const int size = text.empty() ? 0 : MultiByteToWideChar(codePage, 0, text.data(), bytes, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(codePage, 0, text.data(), bytes, wide.data(), size);
    return wide;
}

CodePageName toCodePageName(std::wstring_view name)
{
    CodePageName result;
    if (name.empty() || name.size() > INT_MAX / 2) return result;
    // WC_NO_BEST_FIT_CHARS: a character without an exact spelling becomes the
    // default character (and says so through usedDefault) instead of a
    // look-alike, which could name another file.
    const int length = static_cast<int>(name.size());
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return result;
    result.text.resize(static_cast<std::size_t>(size));
    BOOL usedDefault = FALSE;
    const int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), length, result.text.data(), size,
                                            nullptr, &usedDefault);
    result.text.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    result.exact = written > 0 && !usedDefault;
    return result;
}

} // namespace wrivo
