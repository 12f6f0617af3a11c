// One worker thread that runs posted jobs in the order they were posted, so
// that slow file work (a recovery copy of a long document) leaves the
// user-interface thread free. Jobs own what they work on: the bytes are
// moved into them.
#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace wrivo {

class BackgroundQueue {
public:
    BackgroundQueue() = default;
    BackgroundQueue(const BackgroundQueue&) = delete;
    BackgroundQueue& operator=(const BackgroundQueue&) = delete;
    // Finishes the jobs already posted, then ends the thread.
    ~BackgroundQueue();

    // The thread starts with the first job.
    void post(std::function<void()> job);
    // Returns once every job posted so far has run.
    void waitIdle();
    // As waitIdle, but for `limit` at most: whether every job had run. (The
    // duration comes with <condition_variable>: <chrono> itself holds a
    // literal the GBK execution character set cannot take.)
    bool waitIdleFor(std::chrono::milliseconds limit);

private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace wrivo
