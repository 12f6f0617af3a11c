// The program's two windows as the layout data describes them: the start
// window with its frame timer, and the main window with the edit box, the
// count strip, the colour picker, the common dialog and the menu tree with
// its shortcut keys (the menu lines come from app/command_table.h). Handlers
// are named by their place in the application's handler table (HandlerIndex);
// the host turns them into calls.
#pragma once
#include "app/command_table.h"
#include "host/layout_data.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace wrivo {

namespace WindowId {
inline constexpr std::uint32_t main = 0x52010003;
inline constexpr std::uint32_t start = 0x52010249;
} // namespace WindowId

namespace UnitId {
inline constexpr std::uint32_t mainWindow = 0x06010002;   // the main window's own unit
inline constexpr std::uint32_t startWindow = 0x060102C4;  // the start window's own unit
inline constexpr std::uint32_t splashTimer = 0x160102C5;  // 时钟1
inline constexpr std::uint32_t editBox = 0x16010021;      // 编辑框1
inline constexpr std::uint32_t listBox = 0x16010526;      // 列表框1
inline constexpr std::uint32_t colorPicker = 0x16010056;  // 颜色选择器1
inline constexpr std::uint32_t commonDialog = 0x1601002A; // 通用对话框1
// The n-th entry of the main window's menu tree (n from 0).
inline constexpr std::uint32_t menuEntry(int n)
{
    return 0x26010200u + static_cast<std::uint32_t>(n);
}
} // namespace UnitId

// The handler indexes, in the order of the handler and command lines of
// app/command_table.h; the layout stores them as plain integers. The names
// stay inside HandlerIndex (HandlerIndex::saveDocument), apart from the
// handler functions of the same names.
#define WRIVO_HANDLER_NAME(name, ...) name,
#define WRIVO_NO_HANDLER(...)
namespace HandlerIndex {
enum : std::int32_t {
    WRIVO_HANDLERS(WRIVO_HANDLER_NAME, WRIVO_HANDLER_NAME, WRIVO_NO_HANDLER) handlerCount
};
} // namespace HandlerIndex
#undef WRIVO_HANDLER_NAME
#undef WRIVO_NO_HANDLER

// How many entries the main window's menu tree has.
#define WRIVO_MENU_LINE(...) +1
#define WRIVO_NO_MENU_LINE(...)
inline constexpr int menuEntryCount = 0 WRIVO_HANDLERS(WRIVO_NO_MENU_LINE, WRIVO_MENU_LINE, WRIVO_MENU_LINE);
#undef WRIVO_MENU_LINE
#undef WRIVO_NO_MENU_LINE

// The content, readable: the main window first, then the start window.
std::vector<layout::WindowLayout> layoutContent();

// The same content in its stored form, encoded once.
const Bytes& layoutDataBlock();

} // namespace wrivo
