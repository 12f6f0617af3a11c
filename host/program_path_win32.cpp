#include "host/program_path.h"

#include <windows.h>

#include <vector>

namespace wrivo {

std::string programFilePath()
{
    // GetModuleFileName answers the buffer's size when the path was cut
    // (without a terminating zero on XP), so only a shorter answer is whole.
    // Paths reach 32,767 characters with the "\\?\" prefix.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::string(buffer.data(), length);
        if (buffer.size() >= 0x10000) return {};
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace wrivo
