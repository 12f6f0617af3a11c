// 选择文件夹: a small dialog of the program's own asking for a folder: one
// path field (offered a folder to start with), a 浏览… button opening the
// system's folder browser, and 确定 and 取消. A typed path is taken as it is
// (the system's browser under Wine ignores one typed into it).
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "host/host_types.h"

namespace wrivo {

// The folder entered, or nothing when cancelled. 确定 with an empty field or
// a path that is no folder is not accepted: the field is selected again. With
// `emptyMeansNone` an empty field is an answer, the empty string.
std::optional<std::string> askFolder(const UnitRef& owner, std::string_view title, std::string_view offered,
                                     bool emptyMeansNone = false);

} // namespace wrivo
