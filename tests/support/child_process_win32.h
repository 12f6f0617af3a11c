// Child processes for tests: start a program that sits beside the test
// program, find its windows, answer its message boxes, wait for its end.
#pragma once
#include <windows.h>

#include "host/scoped_win32.h"

#include <optional>
#include <string>

namespace wrivo::test {

class ChildProcess {
public:
    // Starts `program` (a file name beside the running test program, or a
    // full path) with the command line arguments given.
    ChildProcess(const std::string& program, const std::string& arguments);
    ~ChildProcess(); // ends the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    DWORD id() const { return id_; }
    // The exit code, or nothing when the child still runs after `timeoutMs`.
    std::optional<DWORD> waitForExit(DWORD timeoutMs);

private:
    ScopedProcess process_;
    DWORD id_ = 0;
};

// A visible or hidden top-level window of the process with that class (and
// caption, when given), waiting up to `timeoutMs` for it.
HWND waitForProcessWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs);

struct MessageBoxSeen {
    std::string title;
    std::string text;
};

// Waits for a message box of the process, reads its title and text and
// presses the button with the identifier given (IDOK, IDYES, ...).
std::optional<MessageBoxSeen> answerMessageBox(DWORD processId, int button, DWORD timeoutMs);

// A fresh file name in the temporary folder (the file does not exist).
std::string temporaryFilePath(const char* prefix);
std::string readWholeFile(const std::string& path);
// Waits until the file holds `text`.
bool waitForFileText(const std::string& path, const std::string& text, DWORD timeoutMs);

} // namespace wrivo::test
