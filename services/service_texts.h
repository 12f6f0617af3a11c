// Every text of the services that the user reads: the colour palette's names
// and entries, and the message box's default title. GBK, exactly as shown.
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

} // namespace wrivo
