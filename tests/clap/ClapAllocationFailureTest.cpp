// When the heap refuses, the CLAP module's own runtime catches it: the factory gives no
// plug-in, or init answers false, and the host lives on to try again. This program replaces
// malloc, which the module's allocations reach too.
#include "ClapTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <limits>

extern "C" void* __libc_malloc(std::size_t size);

namespace
{

// Smaller than the effect and its engine, larger than the runtime's per-thread exception state.
constexpr std::size_t kEffectSizedRequest = 256;

std::atomic<std::size_t> refuseFromBytes{std::numeric_limits<std::size_t>::max()};

void refuse(bool refusing)
{
    refuseFromBytes = refusing ? kEffectSizedRequest : std::numeric_limits<std::size_t>::max();
}

}  // namespace

extern "C" void* malloc(std::size_t size)
{
    return size >= refuseFromBytes.load(std::memory_order_relaxed) ? nullptr : __libc_malloc(size);
}

TEST(ClapAllocationFailure, TheFactoryGivesNoPluginAndTheNextCreationSucceeds)
{
    ASSERT_TRUE(clapModule().loaded()) << clapModule().error();
    ClapHost host;
    refuse(true);
    const clap::Plugin* refused = clapModule().createPlugin(host.host(), kClapPluginId);
    refuse(false);
    EXPECT_EQ(refused, nullptr);
    EXPECT_NE(initialisedPlugin(), nullptr);
}

TEST(ClapAllocationFailure, InitAnswersFalseAndTheNextPluginStarts)
{
    ClapPluginInstance plugin(clapModule(), kClapPluginId);
    ASSERT_TRUE(plugin.created()) << plugin.error();
    refuse(true);
    const bool started = plugin.init();
    refuse(false);
    EXPECT_FALSE(started);
    auto next = processingPlugin(48000.0, 256);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->paramCount(), 42u);
}
