#include "services/store/file_text_match.h"

#include "host/scoped_win32.h"

#include <windows.h>

#include <string>
#include <vector>

namespace wrivo {

namespace {

// Feeds the open file to the match piece by piece; false when it cannot be read.
bool feedFile(HANDLE file, FileTextMatch& match)
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) return false;
    // Too short to hold the text: nothing fed, so it does not match.
    if (!match.sizeCanMatch(static_cast<std::uint64_t>(size.QuadPart))) return true;
    std::vector<std::uint8_t> piece(1u << 20);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, piece.data(), static_cast<DWORD>(piece.size()), &got, nullptr)) return false;
        if (got == 0 || !match.feed(std::span<const std::uint8_t>(piece.data(), got))) return true;
    }
}

} // namespace

bool fileHoldsText(std::string_view path, std::string_view text, bool besideSaves)
{
    FileTextMatch match(text);
    const std::string name(path);
    const DWORD sharing = besideSaves ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : FILE_SHARE_READ;
    const ScopedFile file(path.empty() ? INVALID_HANDLE_VALUE
                                       : CreateFileA(name.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return FileTextMatch(text).matches(); // unreadable: the empty text
    const bool read = feedFile(file.get(), match);
    return read ? match.matches() : FileTextMatch(text).matches();
}

} // namespace wrivo
