// The ways the process ends, seen from outside: a child program on the real
// host (tests/fixtures/host_child) is closed, fails or hands over, and its
// exit code and log tell what happened.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/notices.h"
#include "app/start_window.h"
#include "tests/support/child_process_win32.h"
#include "tests/support/event_sequence.h"
#include "tests/support/scratch_folder_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

constexpr DWORD patience = 20000;

HWND mainWindowOf(DWORD processId)
{
    // The main window is the one of our class with a menu bar.
    DWORD start = GetTickCount();
    while (GetTickCount() - start < patience) {
        HWND window = waitForProcessWindow(processId, "WrivoWindow", nullptr, 100);
        if (window && GetMenu(window)) return window;
        Sleep(10); // another process builds its window
    }
    return nullptr;
}

// The main window's own events in the order they happen: the build's three
// before the load returns; on closing, may-close before will-be-destroyed,
// and the loop ends once no window is left.
TEST(WindowEvents, ALoadAndACloseRaiseTheirEventsInOrder)
{
    std::string log = temporaryFilePath("hc");
    ChildProcess child("host_child.exe", "event-order \"" + log + "\"");
    ASSERT_TRUE(child.started());
    ASSERT_TRUE(waitForFileText(log, "main window shown", patience));
    HWND main = mainWindowOf(child.id());
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    auto code = child.waitForExit(patience);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);

    const std::vector<std::string> lines = logLines(readWholeFile(log));
    const auto completed = std::find(lines.begin(), lines.end(), "completed");
    const auto shown = std::find(lines.begin(), lines.end(), "main window shown");
    ASSERT_NE(completed, lines.end());
    ASSERT_NE(shown, lines.end());
    EXPECT_TRUE(okSequence({lines.begin(), completed + 1}, {"created", "moved", "size changed", "completed"}));
    // Showing the window after the load may move and size it once more, as
    // the system decides; the order of the close is what counts here.
    std::vector<std::string> close;
    std::copy_if(shown + 1, lines.end(), std::back_inserter(close),
                 [](const std::string& line) { return line != "moved" && line != "size changed"; });
    EXPECT_TRUE(okSequence(close, {"may close", "will be destroyed", "loop ended 0", "exit routine"}));
    DeleteFileA(log.c_str());
}

// One way for the process to end: the child's scenario, what the test does
// to it, and what it leaves behind.
struct EndCase {
    const char* name;     // the behaviour, as the test's name
    const char* scenario; // host_child's scenario
    bool closeMainWindow; // close the main window once it is shown
    const char* boxText;  // the error box's text after its opening line; null: no box comes
    DWORD exitCode;
    std::vector<std::string> logged;   // each somewhere in the log
    std::vector<std::string> unlogged; // none anywhere in the log
    const char* wholeLog = nullptr;    // the log exactly, where it is known
};

void PrintTo(const EndCase& end, std::ostream* out)
{
    *out << end.scenario;
}

const EndCase endCases[] = {
    {"ConfirmedEndProcessExitsWithZeroAfterTheExitRoutine",
     "end-process",
     true,
     nullptr,
     0u,
     {"may close\nexit routine\n"},
     {"loop ended"}}, // endProcess does not return to the loop
    {"RunTimeErrorShowsOneBoxAndExitsWithMinusOneWithoutTheExitRoutine",
     "runtime-error",
     true,
     "错误信息：未载入欲访问窗口组件所在的窗口\r\n",
     0xFFFFFFFFu,
     {"may close"},
     {"returned from the error", "exit routine"}},
    {"EndProcessFromAnotherThreadEndsAtOnceWithoutTheCleanUp",
     "end-from-thread",
     false,
     nullptr,
     3u,
     {"main window shown"},
     {"exit routine"}},
    {"ClosingTheLastWindowEndsTheLoopWithZero",
     "close-start-window",
     false,
     nullptr,
     0u,
     {"loop ended 0\nexit routine\n"},
     {}},
    {"RaisingAnEventOfAMissingWindowIsARunTimeError",
     "raise-missing-window",
     false,
     "错误信息：未找到引发事件的窗口\r\n",
     0xFFFFFFFFu,
     {},
     {"returned from the error", "exit routine"}},
    {"RaisingAnEventOfAMissingUnitIsARunTimeError",
     "raise-missing-unit",
     false,
     "错误信息：未找到引发事件的窗口组件\r\n",
     0xFFFFFFFFu,
     {},
     {"returned from the error", "exit routine"}},
    {"AControlOfAnUnloadedWindowIsARunTimeError",
     "missing-control",
     false,
     "错误信息：指定窗口或窗口组件不存在或尚未载入\r\n",
     0xFFFFFFFFu,
     {},
     {"returned from the error", "exit routine"}},
    {"ANumberedErrorShowsItsCode",
     "numbered-error",
     false,
     "错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n",
     0xFFFFFFFFu,
     {},
     {"returned from the error", "exit routine"}},
    {"AnUnreadableLayoutIsARunTimeError",
     "bad-layout",
     false,
     "错误信息：载入窗口模板数据段出错!\r\n",
     0xFFFFFFFFu,
     {},
     {"returned from the error", "exit routine"}},
    // A unit of a newer version than the program reads fails the whole load.
    {"AnUnreadableUnitFailsTheWholeLoad",
     "newer-version",
     false,
     "错误信息：载入启动窗口失败\r\n",
     0xFFFFFFFFu,
     {},
     {"returned from the error", "exit routine"},
     "not loaded\nnothing left\n"},
};

class ProcessEnd : public ::testing::TestWithParam<EndCase> { };

TEST_P(ProcessEnd, EndsAsItsScenarioSays)
{
    const EndCase& end = GetParam();
    std::string log = temporaryFilePath("hc");
    ChildProcess child("host_child.exe", std::string(end.scenario) + " \"" + log + "\"");
    ASSERT_TRUE(child.started());
    if (end.closeMainWindow) {
        ASSERT_TRUE(waitForFileText(log, "main window shown", patience));
        HWND main = mainWindowOf(child.id());
        ASSERT_NE(main, nullptr);
        PostMessageA(main, WM_CLOSE, 0, 0);
    }
    if (end.boxText) {
        auto box = answerMessageBox(child.id(), IDOK, patience);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->title, "错误");
        EXPECT_EQ(box->text, std::string("运行时出错!\r\n\r\n") + end.boxText);
    }
    auto code = child.waitForExit(patience);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, end.exitCode);
    const std::string seen = readWholeFile(log);
    for (const std::string& text : end.logged)
        EXPECT_NE(seen.find(text), std::string::npos) << text << " is not in\n" << seen;
    for (const std::string& text : end.unlogged)
        EXPECT_EQ(seen.find(text), std::string::npos) << text << " is in\n" << seen;
    if (end.wholeLog) {
        EXPECT_EQ(seen, end.wholeLog);
    }
    DeleteFileA(log.c_str());
}

INSTANTIATE_TEST_SUITE_P(Host, ProcessEnd, ::testing::ValuesIn(endCases),
                         [](const ::testing::TestParamInfo<EndCase>& tested) {
                             return std::string(tested.param.name);
                         });

TEST(StartUp, MainWindowAppearsAtTick29UntitledAndIsTitledAtTick30)
{
    std::string log = temporaryFilePath("hc");
    ChildProcess child("host_child.exe", "startup \"" + log + "\"");
    ASSERT_TRUE(child.started());
    auto code = child.waitForExit(patience);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    std::string seen = readWholeFile(log);
    const std::string title = startTitle();
    const std::string expected = "tick 28 main=unloaded\n"
                                 "tick 29 main=unloaded\n"
                                 "tick 30 main=visible '' start disabled\n"
                                 "after 30 main=visible '" +
                                 title +
                                 "'\n"
                                 "settled main=visible '" +
                                 title +
                                 "' start=unloaded ticks=30\n"
                                 "exit routine\n";
    EXPECT_EQ(seen, expected);
    DeleteFileA(log.c_str());
}

std::string besideTest(const std::string& name)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

TEST(StartUp, LibrariesAreNeverTakenFromTheCurrentFolder)
{
    // A document folder holding a library named like GDI+ and another found
    // only by the system's search; the child makes it current, as a file
    // dialog would, then starts the skin engine (which binds GDI+).
    ScratchFolder documents;
    ASSERT_TRUE(CopyFileA(besideTest("planted_library.dll").c_str(), documents.file("GdiPlus.dll").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(besideTest("planted_library.dll").c_str(), documents.file("wrivo_planted.dll").c_str(), FALSE));
    const std::string log = documents.file("log.txt");
    ChildProcess child("host_child.exe", "planted-library \"" + log + "\"");
    ASSERT_TRUE(child.started());
    auto code = child.waitForExit(patience);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_NE(readWholeFile(log).find("bare name not found"), std::string::npos) << readWholeFile(log);
    for (const std::string& name : namesInFolder(documents.path()))
        EXPECT_EQ(name.find(".loaded"), std::string::npos) << name << " was loaded from the current folder";
}

TEST(StartUp, AProgramNameEndingInA5CTrailByteStillGivesItsFolder)
{
    // 運 is 0xDF 0x5C in GBK: its second byte is no separator.
    ScratchFolder folder;
    const std::string program = folder.file("運.exe");
    ASSERT_TRUE(CopyFileA(besideTest("host_child.exe").c_str(), program.c_str(), FALSE));
    const std::string log = folder.file("log.txt");
    {
        ChildProcess child(program, "program-folder \"" + log + "\"");
        ASSERT_TRUE(child.started());
        auto code = child.waitForExit(patience);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 0u);
    }
    const std::string seen = readWholeFile(log);
    EXPECT_NE(seen.find("folder " + folder.path() + "\n"), std::string::npos) << seen;
    EXPECT_NE(seen.find("current " + folder.path() + "\n"), std::string::npos) << seen;
}

} // namespace
} // namespace wrivo
