// What the benchmarks share: the best-of-several timing of a piece of work
// and, in the Win32 build, a millisecond clock, the message pump the
// editor's own loop runs (accelerators and dialog keys first) and a
// window's text. A header: every bench/*.cpp is a program of its own.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "host/message_loop.h"
#endif

namespace wrivo::bench {

// Runs `work` until a second has passed (at least 5 times) and gives the best
// time in seconds: the best run is the one least disturbed by other work on a
// shared machine.
inline double bestSeconds(const std::function<void()>& work)
{
    using Clock = std::chrono::steady_clock;
    double best = 1e9, total = 0;
    for (int run = 0; run < 5 || total < 1.0; ++run) {
        const auto start = Clock::now();
        work();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        best = std::min(best, seconds);
        total += seconds;
    }
    return best;
}

// The middle of the values (the mean of the two middle ones for an even count).
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One line of throughput: `bytes` through `work`, its best run.
inline void reportThroughput(const char* name, std::size_t bytes, const std::function<void()>& work)
{
    const double seconds = bestSeconds(work);
    std::printf("  %-40s %9.1f MB/s  (%.3f ms)\n", name, bytes / seconds / 1e6, seconds * 1e3);
}

#ifdef _WIN32

inline double nowMs()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline void dispatchOne(MSG& message)
{
    if (!MessageLoop::preTranslate(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Handles everything queued now (and what that queues).
inline void pumpPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) dispatchOne(message);
    }
}

// Pumps until `condition` holds (true) or `timeoutMs` has passed (false).
template <typename Condition>
bool pumpUntil(Condition condition, double timeoutMs)
{
    const double start = nowMs();
    while (!condition()) {
        if (nowMs() - start > timeoutMs) return false;
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT) dispatchOne(message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
    return true;
}

inline std::string windowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

#endif

} // namespace wrivo::bench
