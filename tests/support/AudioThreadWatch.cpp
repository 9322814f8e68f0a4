#include "support/AudioThreadWatch.h"

#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <pthread.h>

extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* memory, std::size_t size);
extern "C" void __libc_free(void* memory);

thread_local bool watchingThisThread = false;
std::atomic<int> watchedHeapCalls{0};
std::atomic<int> watchedLockCalls{0};

namespace
{

void noteHeapCall()
{
    if (watchingThisThread)
        ++watchedHeapCalls;
}

}  // namespace

extern "C" void* malloc(std::size_t size)
{
    noteHeapCall();
    return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size)
{
    noteHeapCall();
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* memory, std::size_t size)
{
    noteHeapCall();
    return __libc_realloc(memory, size);
}

extern "C" void free(void* memory)
{
    if (memory != nullptr)
        noteHeapCall();
    __libc_free(memory);
}

extern "C" int pthread_mutex_lock(pthread_mutex_t* mutex)
{
    if (watchingThisThread)
        ++watchedLockCalls;
    using LockFunction = int (*)(pthread_mutex_t*);
    static const auto realLock = reinterpret_cast<LockFunction>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
    return realLock(mutex);
}

bool watchSeesAProbe()
{
    std::mutex mutex;
    watchingThisThread = true;
    // Kept in a volatile so the compiler cannot drop the pair as it may for built-ins.
    void* volatile probe = std::malloc(16);
    std::free(probe);
    mutex.lock();
    watchingThisThread = false;
    mutex.unlock();
    const bool heapSeen = watchedHeapCalls.exchange(0) == 2;
    const bool lockSeen = watchedLockCalls.exchange(0) == 1;
    return heapSeen && lockSeen;
}
