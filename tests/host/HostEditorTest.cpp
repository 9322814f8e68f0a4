// The editor through the module file, as a DAW drives it: effEditOpen into the host's own
// window, idle calls, effEditClose, and the frame the user would see.
#include <gtest/gtest.h>

#include "HostWindow.h"
#include "PluginHost.h"
#include "support/CapturedFrame.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;

class HostEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PluginModule::shared().loaded()) << PluginModule::shared().error();
        ASSERT_TRUE(window.valid()) << "no window system (run under Xvfb)";
    }

    // Idle calls as a host makes them, about every 20 ms, with its messages pumped.
    void idleFor(int calls)
    {
        for (int i = 0; i < calls; ++i)
        {
            window.pumpMessages();
            instance.dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    HostWindow window{kWidth, kHeight};
    EffectInstance instance;
};

TEST_F(HostEditor, OpensInsideTheHostWindowAndPresentsFrames)
{
    ERect* rect = nullptr;
    ASSERT_EQ(instance.dispatch(effEditGetRect, 0, 0, &rect), 1);
    std::remove(CapturedFrame::path().c_str());
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    EXPECT_GE(window.childCount(), 1);
    // Idle as a host does until a frame was presented (quickly, unless the machine is loaded).
    CapturedFrame frame;
    for (int attempt = 0; attempt < 100 && frame.width == 0; ++attempt)
    {
        idleFor(1);
        frame = CapturedFrame::read();
    }
    ASSERT_EQ(frame.width, kWidth) << "no frame was presented";
    ASSERT_EQ(frame.height, kHeight);
    instance.dispatch(effEditClose);
    EXPECT_EQ(window.childCount(), 0);

    if (const char* out = std::getenv("VANTOR_REFERENCE_FRAME_OUT"))
    {
        std::ifstream source(CapturedFrame::path(), std::ios::binary);
        std::ofstream copy(out, std::ios::binary);
        copy << source.rdbuf();
    }
    if (const char* in = std::getenv("VANTOR_REFERENCE_FRAME_IN"))
    {
        // The same editor drawn by the other platform's build.
        const CapturedFrame reference = CapturedFrame::read(in);
        ASSERT_EQ(reference.width, kWidth) << "no reference frame at " << in;
        double difference = 0.0;
        for (std::size_t i = 0; i < frame.rgba.size(); ++i)
            difference += std::fabs(static_cast<double>(frame.rgba[i]) - reference.rgba[i]);
        EXPECT_LT(difference / static_cast<double>(frame.rgba.size()), 2.0);
    }
}

// A host may hand over a window that is gone by then. The editor says it did not open and
// leaves nothing behind, and the next opening into a real window works and draws. Also run
// in a process of its own (host_editor_tests_alone), where the failed opening is the first.
TEST_F(HostEditor, AFailedOpeningAnswersZeroAndTheNextOneDraws)
{
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        HostWindow gone{kWidth, kHeight};
        gone.destroy();
        EXPECT_EQ(instance.dispatch(effEditOpen, 0, 0, gone.handle()), 0);
        idleFor(1);
        std::remove(CapturedFrame::path().c_str());
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        CapturedFrame frame;
        for (int attempt = 0; attempt < 100 && frame.width == 0; ++attempt)
        {
            idleFor(1);
            frame = CapturedFrame::read();
        }
        EXPECT_EQ(frame.width, kWidth) << "no frame was presented";
        instance.dispatch(effEditClose);
        window.pumpMessages();
        EXPECT_EQ(window.childCount(), 0);
    }
}

TEST_F(HostEditor, EveryPresentedFrameReplacesTheCapture)
{
    const std::string capture = CapturedFrame::path();
    const std::string partial = capture + ".part";
    std::remove(capture.c_str());
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    for (int attempt = 0; attempt < 100 && CapturedFrame::read().width == 0; ++attempt)
        idleFor(1);
    idleFor(10);
    instance.dispatch(effEditClose);
    EXPECT_EQ(CapturedFrame::read().width, kWidth);
    EXPECT_FALSE(std::ifstream(partial).good()) << "a later frame could not replace the first one";
}

TEST_F(HostEditor, OpenAndClose50TimesLeavesNoWindowsBehind)
{
    for (int cycle = 0; cycle < 50; ++cycle)
    {
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        instance.dispatch(effEditIdle);
        instance.dispatch(effEditClose);
        window.pumpMessages();
        ASSERT_EQ(window.childCount(), 0) << "cycle " << cycle;
    }
}

TEST_F(HostEditor, UnusualCallOrdersAreSafe)
{
    instance.dispatch(effEditIdle);
    instance.dispatch(effEditClose);
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    idleFor(2);
    instance.dispatch(effEditClose);
    instance.dispatch(effEditClose);
    EXPECT_EQ(window.childCount(), 0);
}

TEST_F(HostEditor, ClosingTheEffectWithItsEditorOpenIsSafe)
{
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    idleFor(2);
    EXPECT_EQ(instance.close(), 1);
    window.pumpMessages();
    EXPECT_EQ(window.childCount(), 0);
}

// Hosts destroy their window when the user closes it through the window manager, and only
// then tell the editor. Whatever comes next must not end the host, and the editor must
// open again in a new window.
TEST_F(HostEditor, HostWindowDestroyedBeforeTheEditorIsClosedIsSurvived)
{
    const VstInt32 nextCalls[][2] = {{effEditIdle, effEditClose}, {effEditClose, effEditIdle}, {effClose, 0}};
    for (const auto& calls : nextCalls)
    {
        EffectInstance effect;
        {
            HostWindow doomed{kWidth, kHeight};
            ASSERT_EQ(effect.dispatch(effEditOpen, 0, 0, doomed.handle()), 1);
            for (int i = 0; i < 3; ++i)
            {
                doomed.pumpMessages();
                effect.dispatch(effEditIdle);
            }
            doomed.destroy();
        }
        if (calls[0] == effClose)
        {
            EXPECT_EQ(effect.close(), 1);
            continue;
        }
        for (VstInt32 opcode : calls)
            effect.dispatch(opcode);
        effect.dispatch(effEditClose);
        ASSERT_EQ(effect.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        effect.dispatch(effEditIdle);
        window.pumpMessages();
        EXPECT_GE(window.childCount(), 1);
        effect.dispatch(effEditClose);
        window.pumpMessages();
        EXPECT_EQ(window.childCount(), 0);
    }
}

}  // namespace
