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
// Unsaved text kept on disk (app/recovery_*.cpp).
Notice recoveryOffer(std::string_view time, std::string_view fileName, std::string_view count);
Notice recoveryDamaged(std::string_view setAsidePath);
Notice recoveryUnwritable();
} // namespace notices

namespace question {
inline constexpr std::string_view saveChangesText =
    "程序检测到 您的文档\r\n\r\n已发生更改 尚未保存\r\n\r\n是否对当前文档进行保存？";
inline constexpr std::string_view saveChangesTitle = "提示：";
} // namespace question

} // namespace wrivo
