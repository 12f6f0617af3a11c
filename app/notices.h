// The editor's fixed texts: the main window's caption after the splash, the
// notices of the menu commands and the questions of the document commands and
// the exit dialogue. Texts are GBK, exactly as the user sees them.
#pragma once
#include <cstdint>
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
// A file named on the command line or dropped whose name the code page
// cannot spell; `shownName` has "?" for what it cannot show.
Notice fileNameOutsideCodePage(std::string_view shownName);
// Once at start when the process's code page is not GBK (936).
Notice codePageNotGbk(std::uint32_t codePage);
} // namespace notices

namespace question {
inline constexpr std::string_view saveChangesText =
    "程序检测到 您的文档\r\n\r\n已发生更改 尚未保存\r\n\r\n是否对当前文档进行保存？";
inline constexpr std::string_view saveChangesTitle = "提示：";
} // namespace question

} // namespace wrivo
