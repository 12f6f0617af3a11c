// The program's two windows as the layout data describes them: the start
// window with its frame timer, and the main window with the edit box, the
// count strip, the colour picker, the common dialog and the menu tree with
// its shortcut keys. Handlers are named by their place in the application's
// handler table (HandlerIndex); the host turns them into calls.
#pragma once
#include "host/layout_data.h"

#include <array>
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

inline constexpr int menuEntryCount = 53;

// The application's handler table, in this order. The layout binds events to
// these indexes; the application's table must list its handlers the same way.
// The names stay inside HandlerIndex (HandlerIndex::saveDocument), apart from
// the handler functions of the same names; they are plain integers, as the
// layout stores them.
namespace HandlerIndex {
enum : std::int32_t {
    startSplash,            // start window created: attach the skin object
    splashTick,             // 时钟1 tick: next frame, hand-over to the main window
    layoutOnResize,         // main window size changed
    exitDialogue,           // main window may close
    mainWindowKeyDown,      // Esc: showWindow
    editBoxKeyDown,         // Esc: hideWindow; Backspace and Enter: line-break rules
    applySettings,          // edit box got focus
    refreshStatistics,      // edit box content changed
    selectParagraph,        // list box selection changed
    applyChosenColour,      // colour picker colour chosen
    newDocument,            // 新建文档
    saveDocument,           // 保存文档
    openDocument,           // 打开文档
    appendDocument,         // 添加文档
    cutCharacters,          // 剪切字符 (the edit box does the cutting)
    copyCharacters,         // 复制字符
    pasteCharacters,        // 粘贴字符
    clearText,              // 清空字符
    hideNotice,             // 壹键隐藏 notice
    countReport,            // 字数总计
    insertDateTime,         // 日期时间
    chooseTextColour,       // 字体颜色
    chooseBackgroundColour, // 背景颜色
    chooseFont,             // 字体大小
    restoreDefaults,        // 配置还原
    helpNotice,             // 关于帮助
    advertisingNotice,      // 广告合作
    feedbackNotice,         // 建议反馈
    authorNotice,           // 作者版权
    openUpdatePage,         // 官网更新下载
    openPartnerSite1,       // the four partner download sites, in menu order
    openPartnerSite2,
    openPartnerSite3,
    openPartnerSite4,
    openDroppedFile, // files dropped on the main window
    findText,        // 查找文字
    findNext,        // 查找下一个
    findPrevious,    // 查找上一个
    replaceText,     // 替换文字
    goToParagraph,   // 转到段落
    undoEdit,        // 撤销, and the edit box's own undo request
    redoEdit,        // 重做
    tidyManuscript,  // 一键排版
    dailyGoal,       // 今日目标
    handlerCount
};
} // namespace HandlerIndex

// The captions of the four partner download-site entries (menu entries 35 to 38).
inline constexpr std::array<std::string_view, 4> partnerSiteNames = {"墨香软件园", "青禾下载站", "云岫下载中心",
                                                                     "星渡软件站"};

// The content, readable: the main window first, then the start window.
std::vector<layout::WindowLayout> layoutContent();

// The same content in its stored form, encoded once.
const Bytes& layoutDataBlock();

} // namespace wrivo
