#include "host/runtime_error.h"
#include "tests/host/error_capture.h"

#include <gtest/gtest.h>

namespace wrivo {

using testing::ErrorCapture;
using testing::ReportEnded;

TEST(RuntimeErrorText, TableHoldsElevenTextsFromOne)
{
    EXPECT_EQ(runtimeErrorText(1), "数组成员引用下标超出定义范围");
    EXPECT_EQ(runtimeErrorText(4), "数组成员引用下标必须大于等于1");
    EXPECT_EQ(runtimeErrorText(6), "调用DLL命令后发现堆栈错误");
    EXPECT_EQ(runtimeErrorText(11), "所提供参数的数据类型不符合要求");
    for (int n = 1; n <= runtimeErrorTextCount; ++n) EXPECT_FALSE(runtimeErrorText(n).empty()) << n;
    EXPECT_TRUE(runtimeErrorText(0).empty());
    EXPECT_TRUE(runtimeErrorText(12).empty());
    EXPECT_TRUE(runtimeErrorText(-1).empty());
}

TEST(RuntimeErrorText, ComposesOpeningCodeAndMessageLines)
{
    EXPECT_EQ(composeRuntimeErrorText("调用DLL命令后发现堆栈错误", 6),
              "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n");
    EXPECT_EQ(composeRuntimeErrorText("载入启动窗口失败", 0), "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
    EXPECT_EQ(composeRuntimeErrorText("", 7), "运行时出错!\r\n\r\n错误代码：7\r\n\r\n");
    EXPECT_EQ(composeRuntimeErrorText("", 0), "运行时出错!\r\n\r\n");
    EXPECT_EQ(composeRuntimeErrorText("x", -1), "运行时出错!\r\n\r\n错误代码：-1\r\n\r\n错误信息：x\r\n");
}

TEST(RuntimeErrorReport, RaisingErrorSixShowsCodeAndTableTextThenEnds)
{
    ErrorCapture capture;
    EXPECT_THROW(raiseRuntimeError(stackCheckFailed), ReportEnded);
    EXPECT_EQ(ErrorCapture::suspendCount, 1);
    EXPECT_EQ(ErrorCapture::shownCount, 1);
    EXPECT_EQ(ErrorCapture::shownText, "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n");
}

TEST(RuntimeErrorReport, HostReportsShowOnlyTheMessageLine)
{
    ErrorCapture capture;
    EXPECT_THROW(reportRuntimeError("未找到引发事件的窗口"), ReportEnded);
    EXPECT_EQ(ErrorCapture::shownText, "运行时出错!\r\n\r\n错误信息：未找到引发事件的窗口\r\n");
}

namespace {
int hookCalls = 0;
int hookCode = 0;
std::string hookMessage;
bool hookSawItselfRunning = false;
std::int32_t hookAnswer = 0;

std::int32_t recordingHook(std::int32_t code, std::string_view message)
{
    ++hookCalls;
    hookCode = code;
    hookMessage.assign(message);
    hookSawItselfRunning = runtimeErrorHookRunning();
    return hookAnswer;
}

std::int32_t reportingHook(std::int32_t, std::string_view)
{
    ++hookCalls;
    reportRuntimeError("inner"); // the hook is running: not called again
}

struct HookInstalled {
    RuntimeErrorHook previous;
    explicit HookInstalled(RuntimeErrorHook hook) : previous(setRuntimeErrorHook(hook))
    {
        hookCalls = 0;
        hookSawItselfRunning = false;
    }
    ~HookInstalled() { setRuntimeErrorHook(previous); }
};
} // namespace

TEST(RuntimeErrorHook, ZeroAnswerStillShowsTheBoxNonZeroSkipsIt)
{
    ErrorCapture capture;
    HookInstalled installed(&recordingHook);

    hookAnswer = 0;
    EXPECT_THROW(raiseRuntimeError(arrayIndexBelowOne), ReportEnded);
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(hookCode, 4);
    EXPECT_EQ(hookMessage, "数组成员引用下标必须大于等于1");
    EXPECT_TRUE(hookSawItselfRunning);
    EXPECT_FALSE(runtimeErrorHookRunning());
    EXPECT_EQ(ErrorCapture::shownCount, 1);

    hookAnswer = 1;
    EXPECT_THROW(raiseRuntimeError(arrayIndexBelowOne), ReportEnded);
    EXPECT_EQ(hookCalls, 2);
    EXPECT_EQ(ErrorCapture::shownCount, 1);   // no second box
    EXPECT_EQ(ErrorCapture::suspendCount, 2); // events suspended all the same
}

TEST(RuntimeErrorHook, ReportFromInsideTheHookEndsWithoutCallingItAgain)
{
    ErrorCapture capture;
    HookInstalled installed(&reportingHook);
    EXPECT_THROW(reportRuntimeError("outer"), ReportEnded);
    EXPECT_EQ(hookCalls, 1);
    EXPECT_FALSE(runtimeErrorHookRunning());
}

TEST(RuntimeErrorReport, DefaultReporterWritesTheTextAndExitsWithMinusOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const RuntimeErrorReporter previous = setRuntimeErrorReporter(defaultRuntimeErrorReporter());
#ifdef _WIN32
    constexpr int minusOne = -1; // 0xFFFFFFFF
#else
    constexpr int minusOne = 255; // what a POSIX parent sees of -1
#endif
    EXPECT_EXIT(raiseRuntimeError(typeMismatch), ::testing::ExitedWithCode(minusOne), "错误代码：5");
    setRuntimeErrorReporter(previous);
}

} // namespace wrivo
