// The LV2 binary's run (and connect_port, which hosts call beside it) never allocates or
// locks, while its control ports change in ways that make the audio thread fade, reshape and
// rebuild the equaliser curve. This program counts heap calls and mutex locks made while
// watching by replacing malloc & co and pthread_mutex_lock; the binary, loaded by lilv,
// takes them from here like every other library of the process.
#include "Lv2TestHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <pthread.h>
#include <vector>

extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* memory, std::size_t size);
extern "C" void __libc_free(void* memory);

namespace
{

thread_local bool watching = false;
std::atomic<int> heapCalls{0};
std::atomic<int> lockCalls{0};

void noteHeapCall()
{
    if (watching)
        ++heapCalls;
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
    if (watching)
        ++lockCalls;
    using LockFunction = int (*)(pthread_mutex_t*);
    static const auto realLock = reinterpret_cast<LockFunction>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
    return realLock(mutex);
}

TEST(Lv2AudioThread, RunNeitherAllocatesNorLocksWhileItsPortsChange)
{
    // The counters see what they are there to see.
    std::mutex mutex;
    watching = true;
    std::free(std::malloc(16));
    mutex.lock();
    watching = false;
    mutex.unlock();
    ASSERT_EQ(heapCalls.exchange(0), 2);
    ASSERT_EQ(lockCalls.exchange(0), 1);

    Lv2Instance plugin(48000.0);
    ASSERT_TRUE(plugin.created());
    StereoSignal signal = stereoNoise(64 * 700, 0.4f);
    // Made and freed outside the watch, as is everything of the host's own.
    const std::vector<std::size_t> blockLengths = {64};
    plugin.render(signal, blockLengths,
                  [](Lv2Instance& instance, std::size_t block)
                  {
                      watching = false;
                      if (block % 50 == 0)
                      {
                          // Ports 39, 40, 10, 0, 2, 1: Eq.gain, Internal 0, a curve point,
                          // Active, Punch, Stereo Width.
                          instance.control(39) = static_cast<float>(block % 7) / 7.0f;
                          instance.control(40) = 1.0f;
                          instance.control(10) = static_cast<float>(block % 3) / 3.0f;
                          instance.control(0) = (block / 50) % 2 == 0 ? 0.0f : 1.0f;
                          instance.control(2) = 1.0f;
                          instance.control(1) = 1.0f;
                      }
                      watching = true;
                  });
    watching = false;
    EXPECT_EQ(heapCalls.load(), 0);
    EXPECT_EQ(lockCalls.load(), 0);
}
