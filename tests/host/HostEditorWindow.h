#pragma once

#include "HostWindow.h"
#include "PluginHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

// Host idle calls about every 20 ms with the window's messages delivered, as a DAW makes them.
inline void idleEditor(HostWindow& window, const EffectInstance& instance, int calls)
{
    for (int i = 0; i < calls; ++i)
    {
        window.pumpMessages();
        instance.dispatch(effEditIdle);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// The test host's window at the editor's design size and one effect instance of the built
// module, for cases that open and close the editor themselves.
class HostEditorWindow : public ::testing::Test
{
public:
    static constexpr int kWidth = 512;
    static constexpr int kHeight = 624;
    // Past the version line, which draws over the gain panel for the first 120 idle calls.
    static constexpr int kVersionLineIdles = 125;
    // Long enough for a full-scale meter to fall out of sight.
    static constexpr int kMetersFallIdles = 60;

protected:
    void SetUp() override
    {
        ASSERT_TRUE(PluginModule::shared().loaded()) << PluginModule::shared().error();
        ASSERT_TRUE(window.valid()) << "no window system (run under Xvfb)";
    }

    void idleFor(int calls) { idleEditor(window, instance, calls); }

    HostWindow window{kWidth, kHeight};
    EffectInstance instance;
};
