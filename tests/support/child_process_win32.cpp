#include "tests/support/child_process_win32.h"

#include <cstdio>
#include <vector>

namespace wrivo::test {
namespace {

std::string besideTestProgram(const std::string& program)
{
    if (program.find(':') != std::string::npos) return program; // a full path

    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.resize(folder.find_last_of('\\') + 1);
    return folder + program;
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, search->className) != 0 || !IsWindowVisible(window)) return TRUE;
    if (search->caption) {
        char caption[256] = {};
        GetWindowTextA(window, caption, sizeof caption);
        if (lstrcmpA(caption, search->caption) != 0) return TRUE;
    }
    search->found = window;
    return FALSE;
}

} // namespace

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments)
{
    std::string path = besideTestProgram(program);
    std::string commandLine = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION information = {};
    if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &information)) {
        const ScopedThread thread(information.hThread);
        process_.reset(information.hProcess);
        id_ = information.dwProcessId;
    }
}

ChildProcess::~ChildProcess()
{
    if (!process_) return;
    if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

std::optional<DWORD> ChildProcess::waitForExit(DWORD timeoutMs)
{
    if (!process_ || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

HWND waitForProcessWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        WindowSearch search = {processId, className, caption, nullptr};
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(10); // polling another process's windows; there is nothing to wait on
    }
}

std::optional<MessageBoxSeen> answerMessageBox(DWORD processId, int button, DWORD timeoutMs)
{
    HWND box = waitForProcessWindow(processId, "#32770", nullptr, timeoutMs);
    if (!box) return std::nullopt;
    MessageBoxSeen seen;
    char text[2048] = {};
    GetWindowTextA(box, text, sizeof text);
    seen.title = text;
    text[0] = 0;
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.text = text;
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    return seen;
}

std::string temporaryFilePath(const char* prefix)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    char path[MAX_PATH] = {};
    GetTempFileNameA(folder, prefix, 0, path);
    DeleteFileA(path);
    return path;
}

std::string readWholeFile(const std::string& path)
{
    std::string content;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, got);
        std::fclose(file);
    }
    return content;
}

bool waitForFileText(const std::string& path, const std::string& text, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (readWholeFile(path).find(text) != std::string::npos) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10); // another process writes the file; there is nothing to wait on
    }
}

} // namespace wrivo::test
