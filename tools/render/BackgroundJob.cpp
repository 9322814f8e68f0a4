#include "BackgroundJob.h"

BackgroundJob::BackgroundJob() : worker([this] { run(); }) {}

BackgroundJob::~BackgroundJob()
{
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [this] { return !busy; });
        quitting = true;
    }
    changed.notify_all();
    worker.join();
}

void BackgroundJob::start(std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        pending = std::move(job);
        busy = true;
    }
    changed.notify_all();
}

void BackgroundJob::wait()
{
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return !busy; });
    if (failure != nullptr)
        std::rethrow_exception(std::exchange(failure, nullptr));
}

void BackgroundJob::run()
{
    std::unique_lock<std::mutex> lock(mutex);
    while (true)
    {
        changed.wait(lock, [this] { return busy || quitting; });
        if (!busy)
            return;
        std::function<void()> job = std::move(pending);
        lock.unlock();
        std::exception_ptr thrown;
        try
        {
            job();
        }
        catch (...)
        {
            thrown = std::current_exception();
        }
        lock.lock();
        failure = thrown;
        busy = false;
        changed.notify_all();
    }
}
