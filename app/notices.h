// The editor's fixed texts: the main window's caption after the splash, the
// notices of the menu commands and the questions of the document commands and
// the exit dialogue. Texts are GBK, exactly as the user sees them.
#pragma once
#include <string>
#include <string_view>

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
} // namespace notices

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
