// Lets a test observe a run-time error instead of ending the process: the
// report's text is recorded and the report leaves by throwing ReportEnded.
#pragma once
#include "host/runtime_error.h"

#include <string>

namespace wrivo::testing {

struct ReportEnded { };

struct ErrorCapture {
    inline static std::string shownText;
    inline static int suspendCount = 0;
    inline static int shownCount = 0;
    RuntimeErrorReporter previous;

    ErrorCapture()
    {
        shownText.clear();
        suspendCount = 0;
        shownCount = 0;
        previous = setRuntimeErrorReporter({&suspend, &show, &end});
    }
    ~ErrorCapture() { setRuntimeErrorReporter(previous); }
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    static void suspend() { ++suspendCount; }
    static void show(std::string_view text)
    {
        shownText.assign(text);
        ++shownCount;
    }
    static void end() { throw ReportEnded{}; }
};

} // namespace wrivo::testing
