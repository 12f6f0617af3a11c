#include "services/code_page.h"

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
            while (piece > 0 && static_cast<unsigned char>(text[piece - 1]) >= 0x80) --piece;
            if (piece == 0) return false;
        }
        if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(piece), nullptr, 0) == 0)
            return false;
        text.remove_prefix(piece);
    }
    return true;
}

} // namespace wrivo
