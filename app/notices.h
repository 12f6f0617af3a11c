// The editor's fixed texts: the main window's caption after the splash, the
// notices of the menu commands and the questions of the document commands and
// the exit dialogue. Texts are GBK, exactly as the user sees them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "services/file_checks.h"

namespace wrivo {

// "Wrivo  3.7    --  Orvanne出品 " + the maker's web address + two spaces.
std::string startTitle();

struct Notice {
    std::string_view title;
    std::string text;
};

namespace notices {
Notice hide();          // "壹键隐藏  *必看说明* "
Notice help();          // "关于帮助": the 16-line shortcut table
Notice advertising();   // "广告合作" (default title)
Notice feedback();      // "建议反馈" (default title)
Notice author();        // "作者版权"
Notice count();         // "字数总计"
// A save that did not happen: the file, the reason in plain words (in use by
// another program, access denied, disk full) with the system's own text for
// `systemError`, and what became of the file already on disk, if any.
Notice saveFailed(std::string_view path, std::uint32_t systemError, std::string_view systemText,
                  bool originalExisted);

// Unsaved text kept on disk (app/recovery_*.cpp).
Notice recoveryOffer(std::string_view time, std::string_view fileName, std::string_view count);
Notice recoveryDamaged(std::string_view setAsidePath);
Notice recoveryUnwritable();

// A file named on the command line or dropped whose name the code page
// cannot spell; `shownName` has "?" for what it cannot show.
Notice fileNameOutsideCodePage(std::string_view shownName);
// Once at start when the process's code page is not GBK (936).
Notice codePageNotGbk(std::uint32_t codePage);
} // namespace notices

// What open and append say about a chosen file before loading it. The
// questions are asked Yes/No; No ends the command with the document as it was.
namespace fileNotices {
Notice deviceName(std::string_view path);
// The file's bytes in another encoding: convert them to GBK?
Notice otherEncoding(std::string_view path, TextEncoding encoding, std::size_t unrepresentable);
// `kept` bytes before the first zero byte, `lost` from it to the end.
Notice zeroBytes(std::string_view path, std::size_t kept, std::size_t lost);
// A line too long to load quickly, made so by lone LFs or CRs: convert them?
Notice loneLineBreaks(std::string_view path, std::size_t longestLine);
// A line too long to load quickly: load it anyway?
Notice longLine(std::string_view path, std::size_t longestLine);
// Bytes that are not GBK text: a notice only.
Notice notGbk(std::string_view path);
} // namespace fileNotices

namespace question {
inline constexpr std::string_view saveChangesText =
    "程序检测到 您的文档\r\n\r\n已发生更改 尚未保存\r\n\r\n是否对当前文档进行保存？";
inline constexpr std::string_view saveChangesTitle = "提示：";
// Opening a file over a document that is not empty.
inline constexpr std::string_view openOverText =
    "Orvanne软件 @o@ 非常小心地提醒 主人：\r\n\r\n您即将打开的新文件会覆盖掉当前文档. \r\n\r\n"
    "如果希望 当前文档 与 新文件 共存,请使用[添加文档]Ctrl+F\r\n\r\n否则请选择{是}继续打开新文档.";
inline constexpr std::string_view openOverTitle = "温馨提示：";
// Exiting, and the answer to a declined exit.
inline constexpr std::string_view exitText =
    "亲爱的朋友！ 当前已没有您需要保存的文档\r\n\r\n请问您是否真的确定退出本程序";
inline constexpr std::string_view exitTitle = "退出确认：";
inline constexpr std::string_view stayText = "亲 欢迎你再来奋斗 ￥o￥\r\n\r\n身体是革命的本钱 请注意休息！";
inline constexpr std::string_view stayTitle = "欢迎回来：";
} // namespace question

} // namespace wrivo
