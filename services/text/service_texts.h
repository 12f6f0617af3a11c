// Every text of the services that the user reads: the colour palette's names
// and entries, the message box's default title, and the writer's dialogs. GBK, exactly as shown.
#pragma once
#include <array>
#include <string_view>

namespace wrivo {

// The palette's colour names, in its display order (services/controls/colour_palette.cpp
// pairs each with its colour).
inline constexpr std::array<std::string_view, 32> paletteColourNames{
    "黑色", "藏青", "墨绿", "深青", "红褐", "紫红", "褐绿", "浅灰", "灰色", "蓝色", "绿色",
    "艳青", "红色", "品红", "黄色", "白色", "蓝灰", "藏蓝", "嫩绿", "青绿", "黄褐", "粉红",
    "嫩黄", "银白", "紫色", "天蓝", "灰绿", "青蓝", "橙黄", "桃红", "芙红", "深灰",
};
inline constexpr std::string_view transparentEntryText = "透明";
inline constexpr std::string_view otherColoursEntryText = "其它颜色...";

inline constexpr std::string_view defaultMessageBoxTitle = "信息：";

// The tidy-up's dialog.
namespace tidyDialogTexts {
inline constexpr std::string_view title = "一键排版";
inline constexpr std::string_view indent = "段首缩进两个全角空格";
inline constexpr std::string_view blankLines = "空行";
inline constexpr std::string_view keepBlankLines = "保留";
inline constexpr std::string_view oneBlankLine = "段落之间空一行";
inline constexpr std::string_view noBlankLines = "删除所有空行";
inline constexpr std::string_view trimTrailing = "去掉段尾空格";
inline constexpr std::string_view punctuation = "中文里的半角标点改为全角";
} // namespace tidyDialogTexts

// The daily goal's dialog; N stands for a number.
namespace goalDialogTexts {
inline constexpr std::string_view title = "今日目标";
inline constexpr std::string_view written = "今日已写：N 字";
inline constexpr std::string_view goal = "每日目标：";
inline constexpr std::string_view goalUnit = "字（0 为不设目标）";
inline constexpr std::string_view left = "还差 N 字";
inline constexpr std::string_view reached = "今日目标已经完成";
inline constexpr std::string_view noGoal = "未设目标";
inline constexpr std::string_view streakAndAverage = "连续完成 N 天，有写作的日子平均每天 M 字";
inline constexpr std::string_view chartCaption = "最近 30 天";
inline constexpr std::string_view speed = "今日写作 N 分钟，平均 M 字/小时";
} // namespace goalDialogTexts

inline constexpr std::string_view okButtonText = "确定";
inline constexpr std::string_view cancelButtonText = "取消";

} // namespace wrivo
