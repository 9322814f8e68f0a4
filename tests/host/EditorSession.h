#pragma once

#include "HostWindow.h"
#include "PluginHost.h"
#include "PointerInput.h"
#include "editors/EditorDriving.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

// An open editor of the built module inside a real host window, driven by real X events:
// the layout table says where each control is, the host records what the effect reports.
class EditorSession : public ::testing::Test
{
public:
    static constexpr int kWidth = 512;
    static constexpr int kHeight = 624;

    using Point = WindowPoint;

public:
    static void SetUpTestSuite()
    {
        // The Info preference lives in a scratch folder for the whole program.
        static const std::string folder = []
        {
            std::string pattern = (std::filesystem::temp_directory_path() / "vantor-prefs-XXXXXX").string();
            return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
        }();
        usePreferencesIn(folder);
    }

    // Every place the Info preference may be kept, below `folder`.
    static void usePreferencesIn(const std::string& folder)
    {
        setenv("XDG_CONFIG_DIRS", (folder + "/machine").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
    }

    void SetUp() override
    {
        ASSERT_TRUE(PluginModule::shared().loaded()) << PluginModule::shared().error();
        ASSERT_TRUE(window.valid() && pointer.valid()) << "no window system (run under Xvfb)";
        // Park the pointer away from every control.
        pointer.moveTo(kWidth + 50, 10);
        openEditor();
    }

    void TearDown() override
    {
        if (open)
            instance.dispatch(effEditClose);
    }

    void openEditor()
    {
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        open = true;
        ASSERT_TRUE(idleUntil([] { return CapturedFrame::read().width == kWidth; })) << "no frame presented";
        HostRecorder::instance().clear();
    }

    void closeEditor()
    {
        instance.dispatch(effEditClose);
        open = false;
    }

    // Host idle calls about every 20 ms, as a DAW makes them.
    void idleFor(int calls)
    {
        for (int i = 0; i < calls; ++i)
        {
            window.pumpMessages();
            instance.dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    template <typename Done> bool idleUntil(Done done, int maxCalls = 250)
    {
        for (int i = 0; i < maxCalls; ++i)
        {
            idleFor(1);
            if (done())
                return true;
        }
        return false;
    }

    static const layout::Row& row(const std::string& name) { return layoutRow(name); }
    static Point centreOf(const std::string& name) { return ::centreOf(layoutRow(name)); }

    void hover(Point at)
    {
        pointer.moveTo(at.x, at.yFromTop);
        idleFor(2);
    }

    // Press at `from`, move by (dx, dy) screen pixels (dy downwards) in `steps` moves, release.
    void drag(Point from, int dx, int dy, int steps = 4)
    {
        pointer.moveTo(from.x, from.yFromTop);
        idleFor(2);
        pointer.press();
        idleFor(2);
        for (int step = 1; step <= steps; ++step)
        {
            pointer.moveTo(from.x + dx * step / steps, from.yFromTop + dy * step / steps);
            idleFor(1);
        }
        pointer.release();
        idleFor(2);
    }

    void click(Point at)
    {
        pointer.moveTo(at.x, at.yFromTop);
        idleFor(2);
        pointer.press();
        idleFor(2);
        pointer.release();
        idleFor(2);
    }

    std::vector<HostEdit> hostEdits() { return vst2HostEdits(instance.effect()); }

    std::vector<HostCall> hostCalls(VstInt32 opcode)
    {
        return HostRecorder::instance().callsFor(instance.effect(), opcode);
    }

    static double difference(const CapturedFrame& a, const CapturedFrame& b, int left, int top, int right, int bottom)
    {
        return meanDifference(a, b, left, top, right, bottom);
    }

    // The frame once the editor has drawn everything up to now.
    CapturedFrame settledFrame()
    {
        idleFor(4);
        return CapturedFrame::read();
    }

    HostWindow window{kWidth, kHeight};
    PointerInput pointer;
    EffectInstance instance;
    bool open = false;
};
