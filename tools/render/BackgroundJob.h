#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

// One thread beside the caller that runs one job at a time: the renderer reads the next
// pass and writes the previous one there while the plug-in processes the current pass.
class BackgroundJob
{
public:
    BackgroundJob();
    // Waits for a running job, then ends the thread.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // The previous job must have been waited for.
    void start(std::function<void()> job);
    // Blocks until the job is done; an exception it threw is thrown here.
    void wait();

private:
    void run();

    std::mutex mutex;
    std::condition_variable changed;
    std::function<void()> pending;
    bool busy = false;
    bool quitting = false;
    std::exception_ptr failure;
    // Last: it starts once everything above exists.
    std::thread worker;
};
