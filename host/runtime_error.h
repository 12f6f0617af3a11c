// Run-time errors: the program's single way of reporting a condition it cannot
// continue from. A report suspends event dispatch, shows one message box
// titled "错误" and ends the process with exit code 0xFFFFFFFF; it never returns.
//
// The reporting itself goes through a reporter with three steps, so that the
// Win32 host can plug in the event-suspension counter, the message box and
// endProcess, and tests can watch what would be shown.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wrivo {

// Numbers of the error table (texts 1 to 11).
enum RuntimeErrorNumber : int {
    arrayIndexOutOfRange = 1,
    numberExpected = 2,
    arrayDimensionMismatch = 3,
    arrayIndexBelowOne = 4,
    typeMismatch = 5,
    stackCheckFailed = 6,
    subroutineReturnedNoValue = 7,
    onlyEqualityComparable = 8,
    choiceIndexOutOfRange = 9,
    redimensionBelowOne = 10,
    argumentTypeMismatch = 11,
};
inline constexpr int runtimeErrorTextCount = 11;

// Text `number` of the error table; empty for a number outside 1 to 11.
std::string_view runtimeErrorText(int number);

// "运行时出错!\r\n\r\n", then "错误代码：<code>\r\n\r\n" when the code is not 0,
// then "错误信息：<message>\r\n" when the message is not empty.
std::string composeRuntimeErrorText(std::string_view message, int code);

// Shows the composed text and ends the process with -1 (0xFFFFFFFF).
[[noreturn]] void reportRuntimeError(std::string_view message, int code = 0);

// reportRuntimeError(text `number` of the table, number).
[[noreturn]] void raiseRuntimeError(int number);

// The steps a report takes, in this order. Any of them may be null:
//   suspendEvents   raise the event-suspension counter, so no handler runs any more;
//   showError       show the composed text (skipped when the error hook answers non-zero);
//   endAfterError   forget the application's exit routine and end the process with -1.
// endAfterError must not return; if it does, the process ends at once with -1.
// A reporter may also leave a report by throwing (tests do), which the report
// lets through.
struct RuntimeErrorReporter {
    void (*suspendEvents)() = nullptr;
    void (*showError)(std::string_view composedText) = nullptr;
    void (*endAfterError)() = nullptr;
};

// Installs the reporter and answers the one it replaces. The default reporter
// writes the composed text to the standard error stream and ends with -1.
RuntimeErrorReporter setRuntimeErrorReporter(const RuntimeErrorReporter& reporter);
RuntimeErrorReporter defaultRuntimeErrorReporter();

// The optional error hook: called with (code, message) before the text is
// shown, unless it is already running; a non-zero answer skips the message box.
// None is installed by the program itself.
using RuntimeErrorHook = std::int32_t (*)(std::int32_t code, std::string_view message);
RuntimeErrorHook setRuntimeErrorHook(RuntimeErrorHook hook);
bool runtimeErrorHookRunning();

} // namespace wrivo
