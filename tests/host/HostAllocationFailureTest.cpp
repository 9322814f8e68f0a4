// The Linux module carries its own C++ runtime and stack unwinder. When the heap refuses,
// the exception must still be caught inside the module: the host gets no effect and lives
// on. This program replaces malloc, which the module's allocations reach too.

#include "PluginHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <limits>

extern "C" void* __libc_malloc(std::size_t size);

namespace
{

// The effect object itself is larger; the runtime's few bytes of per-thread exception
// state, which glibc takes from malloc the first time a thread throws in the module (and
// ends the process without), are smaller.
constexpr std::size_t kEffectSizedRequest = 256;

std::atomic<std::size_t> refuseFromBytes{std::numeric_limits<std::size_t>::max()};

// Answers without allocating, so that nothing but the module meets the refusing heap.
VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

extern "C" void* malloc(std::size_t size)
{
    return size >= refuseFromBytes.load(std::memory_order_relaxed) ? nullptr : __libc_malloc(size);
}

TEST(HostAllocationFailure, EntryPointAnswersNullWhenTheHeapRefusesAndTheNextCallSucceeds)
{
    ASSERT_TRUE(PluginModule::shared().loaded()) << PluginModule::shared().error();
    const PluginEntry entry = PluginModule::shared().mainEntry();

    refuseFromBytes = kEffectSizedRequest;
    AEffect* refused = entry(quietHost);
    refuseFromBytes = std::numeric_limits<std::size_t>::max();
    EXPECT_EQ(refused, nullptr);

    AEffect* effect = entry(quietHost);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->numParams, 42);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}
