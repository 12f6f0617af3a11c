// Every text of the host that the user reads: the run-time errors it reports
// itself and the title of the box that shows them. GBK, exactly as shown.
#pragma once

namespace wrivo {

inline constexpr const char* errorEventWindowMissing = "未找到引发事件的窗口";
inline constexpr const char* errorEventUnitMissing = "未找到引发事件的窗口组件";
inline constexpr const char* errorEventUnitInvalid = "引发事件的窗口组件无效";
inline constexpr const char* errorUnitNotLoaded = "指定窗口尚未载入";
inline constexpr const char* errorWindowNotLoaded = "未载入欲访问窗口组件所在的窗口";
inline constexpr const char* errorStartWindow = "载入启动窗口失败";
inline constexpr const char* errorLayoutData = "载入窗口模板数据段出错!";
inline constexpr const char* errorNoSuchUnit = "指定窗口或窗口组件不存在或尚未载入";

// A function of the binding table that cannot be found (printf patterns: the
// function; the library and the function).
inline constexpr const char* errorFunctionMissing = "无法找到指定DLL库文件中的输出命令“%s”";
inline constexpr const char* errorFunctionMissingIn = "无法找到指定DLL库文件“%s”中的输出命令“%s”";

// The title of the run-time error box.
inline constexpr const char* errorBoxTitle = "错误";

} // namespace wrivo
