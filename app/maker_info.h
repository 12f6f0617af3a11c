// Who makes Wrivo and where the editor sends its users: the web addresses,
// names, instant-messaging number and mail addresses the notices and pages
// use. All in one place; the addresses are neutral placeholders under the
// reserved example.com domain until the maker's own are known.
#pragma once
#include <array>
#include <string_view>

namespace wrivo::maker {

// Shown in the main window's caption and at the foot of the help notice.
inline constexpr std::string_view webAddress = "www.example.com";
// "官网更新下载 ": where updates are offered.
inline constexpr std::string_view homePage = "http://www.example.com/wrivo/";
// The monthly partner page opened on the first confirmed exit of a month.
inline constexpr std::string_view monthlyPartnerPage = "http://tutorial.example.com/wrivo/";

inline constexpr std::string_view authorName = "Orvanne开发组";
inline constexpr std::string_view instantMessagingNumber = "10000";
inline constexpr std::string_view businessMail = "business@example.com";
inline constexpr std::string_view feedbackMail = "feedback@example.com";

// The four partner download sites of the "程序更新" menu, in menu order: the
// captions live in the layout content; these are their download pages.
inline constexpr std::array<std::string_view, 4> partnerSitePages = {
    "http://soft1.example.com/wrivo/", "http://soft2.example.com/wrivo/", "http://soft3.example.com/wrivo/",
    "http://soft4.example.com/wrivo/"};

} // namespace wrivo::maker
