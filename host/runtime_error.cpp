#include "host/runtime_error.h"

#include <cstdio>
#include <cstdlib>

namespace wrivo {

namespace {

constexpr std::string_view errorTexts[runtimeErrorTextCount] = {
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "多项选择命令的索引值小于零或超出了所提供参数的范围",
    "重定义数组时维数必须大于等于1，单维数组成员数不能小于零",
    "所提供参数的数据类型不符合要求",
};

void writeToStandardError(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

void endWithMinusOne()
{
    std::_Exit(-1);
}

constinit RuntimeErrorReporter currentReporter{nullptr, &writeToStandardError, &endWithMinusOne};
constinit RuntimeErrorHook currentHook = nullptr;
constinit bool hookRunning = false;
// Set while a report is being shown: a second report raised from inside the
// first (a failed allocation while the box is up, say) ends the process at once
// instead of stacking message boxes.
constinit bool reportShowing = false;

struct FlagGuard {
    bool& flag;
    explicit FlagGuard(bool& f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;
};

bool hookAsksToSkipTheBox(int code, std::string_view message)
{
    if (currentHook == nullptr || hookRunning) return false;
    FlagGuard running(hookRunning);
    return currentHook(code, message) != 0;
}

} // namespace

std::string_view runtimeErrorText(int number)
{
    if (number < 1 || number > runtimeErrorTextCount) return {};
    return errorTexts[number - 1];
}

std::string composeRuntimeErrorText(std::string_view message, int code)
{
    std::string text = "运行时出错!\r\n\r\n";
    if (code != 0) {
        text += "错误代码：";
        text += std::to_string(code);
        text += "\r\n\r\n";
    }
    if (!message.empty()) {
        text += "错误信息：";
        text += message;
        text += "\r\n";
    }
    return text;
}

void reportRuntimeError(std::string_view message, int code)
{
    const RuntimeErrorReporter reporter = currentReporter;
    if (reporter.suspendEvents) reporter.suspendEvents();
    if (!reportShowing) {
        FlagGuard showing(reportShowing);
        if (!hookAsksToSkipTheBox(code, message) && reporter.showError)
            reporter.showError(composeRuntimeErrorText(message, code));
    }
    if (reporter.endAfterError) reporter.endAfterError();
    std::_Exit(-1);
}

void raiseRuntimeError(int number)
{
    reportRuntimeError(runtimeErrorText(number), number);
}

RuntimeErrorReporter setRuntimeErrorReporter(const RuntimeErrorReporter& reporter)
{
    const RuntimeErrorReporter previous = currentReporter;
    currentReporter = reporter;
    return previous;
}

RuntimeErrorReporter defaultRuntimeErrorReporter()
{
    return {nullptr, &writeToStandardError, &endWithMinusOne};
}

RuntimeErrorHook setRuntimeErrorHook(RuntimeErrorHook hook)
{
    const RuntimeErrorHook previous = currentHook;
    currentHook = hook;
    return previous;
}

bool runtimeErrorHookRunning()
{
    return hookRunning;
}

} // namespace wrivo
