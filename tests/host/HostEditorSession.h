#pragma once

#include "HostPointer.h"
#include "HostWindow.h"
#include "PluginHost.h"
#include "support/CapturedFrame.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

// The effect with its editor open inside the test host's window, driven as a DAW drives it:
// idle calls about every 20 ms, real pointer events, the presented frame read back.
class HostEditorSession : public ::testing::Test
{
protected:
    static constexpr int kWidth = 512;
    static constexpr int kHeight = 624;

    void SetUp() override
    {
        ASSERT_TRUE(PluginModule::shared().loaded()) << PluginModule::shared().error();
        ASSERT_TRUE(window.valid()) << "no window system (run under Xvfb)";
        ASSERT_TRUE(pointer.valid());
        instance.resumeAt(44100.0f);
        std::remove(CapturedFrame::path().c_str());
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        ASSERT_EQ(frame().width, kWidth) << "no frame was presented";
    }

    void TearDown() override { instance.dispatch(effEditClose); }

    void idleFor(int calls)
    {
        for (int i = 0; i < calls; ++i)
        {
            window.pumpMessages();
            instance.dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    // A newly presented frame.
    CapturedFrame frame()
    {
        std::remove(CapturedFrame::path().c_str());
        CapturedFrame presented;
        for (int attempt = 0; attempt < 250 && presented.width == 0; ++attempt)
        {
            idleFor(1);
            presented = CapturedFrame::read();
        }
        return presented;
    }

    void click(HostPointer::Button button, int x, int yFromTop, int modifiers = HostPointer::None)
    {
        pointer.moveTo(x, yFromTop);
        idleFor(2);
        pointer.press(button, modifiers);
        idleFor(2);
        pointer.release(button, modifiers);
        idleFor(2);
    }

    void drag(int fromX, int fromY, int toX, int toY, int modifiers = HostPointer::None)
    {
        pointer.moveTo(fromX, fromY);
        idleFor(2);
        pointer.press(HostPointer::Left, modifiers);
        idleFor(2);
        for (int step = 1; step <= 4; ++step)
        {
            pointer.moveTo(fromX + (toX - fromX) * step / 4, fromY + (toY - fromY) * step / 4);
            idleFor(1);
        }
        idleFor(1);
        pointer.release(HostPointer::Left, modifiers);
        idleFor(2);
    }

    HostWindow window{kWidth, kHeight};
    HostPointer pointer{window.handle()};
    EffectInstance instance;
};
