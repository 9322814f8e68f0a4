// The state extension's streams as CLAP hosts give them (what the state holds, every format's
// suite checks in tests/formats): a state written in any piece size is the same bytes, and a
// stream that fails part way saves or loads nothing.
#include "ClapTestSupport.h"

#include <gtest/gtest.h>

TEST(ClapState, AStreamFailingPartWaySavesOrLoadsNothing)
{
    auto plugin = initialisedPlugin();
    ASSERT_NE(plugin, nullptr);
    plugin->inputEvents().addParamValue(0, 1, 0.85);
    ASSERT_TRUE(plugin->flushParams());
    const auto whole = plugin->saveState();
    ASSERT_TRUE(whole);
    EXPECT_EQ(plugin->saveState(7), whole);
    const auto* state = plugin->extension<clap::PluginState>(clap::kExtState);
    ASSERT_NE(state, nullptr);
    ClapMemoryWriter failing;
    failing.failAfter(1000);
    EXPECT_FALSE(state->save(plugin->raw(), failing.stream()));

    auto other = initialisedPlugin();
    ASSERT_NE(other, nullptr);
    const auto before = other->saveState();
    ClapMemoryReader breaking(*whole, 512);
    breaking.failAfter(2048);
    EXPECT_FALSE(other->loadState(breaking));
    EXPECT_EQ(other->saveState(), before);
    EXPECT_TRUE(other->host().paramRescans().empty());
    EXPECT_EQ(other->host().misuses(), 0);
}
