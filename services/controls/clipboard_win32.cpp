#include "services/controls/clipboard.h"

#include <windows.h>

#include <cstring>

#include "services/controls/control_operations.h"
#include "services/text/code_page.h"

namespace wrivo {
namespace {

// A movable global block holding `bytes` and a terminating zero of
// `terminator` bytes; null when it cannot be had.
HGLOBAL blockOf(const void* bytes, std::size_t size, std::size_t terminator)
{
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size + terminator);
    if (!block) return nullptr;
    auto* into = static_cast<char*>(GlobalLock(block));
    if (!into) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(into, bytes, size);
    std::memset(into + size, 0, terminator);
    GlobalUnlock(block);
    return block;
}

// The clipboard owns a block once SetClipboardData takes it; one it refused
// is still ours to free.
bool put(UINT format, HGLOBAL block)
{
    if (!block) return false;
    if (SetClipboardData(format, block)) return true;
    GlobalFree(block);
    return false;
}

} // namespace

bool putTextOnClipboard(const UnitRef& owner, std::string_view gbk)
{
    const std::wstring wide = widened(gbk, 936);
    if (!OpenClipboard(reinterpret_cast<HWND>(windowHandle(owner)))) return false;
    bool done = EmptyClipboard() != FALSE;
    done = done && put(CF_TEXT, blockOf(gbk.data(), gbk.size(), 1));
    done = done && put(CF_UNICODETEXT, blockOf(wide.data(), wide.size() * sizeof(wchar_t), sizeof(wchar_t)));
    CloseClipboard();
    return done;
}

} // namespace wrivo
