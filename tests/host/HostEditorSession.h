#pragma once

#include "FramePixels.h"
#include "HostEditorWindow.h"
#include "HostPointer.h"
#include "editors/EditorDriving.h"
#include "support/CapturedFrame.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// The effect with its editor open inside the test host's window, driven as a DAW drives it:
// idle calls about every 20 ms, real pointer events (where each control is comes from the
// layout table), the presented frame read back and what the host heard recorded.
class HostEditorSession : public HostEditorWindow
{
public:
    using Point = WindowPoint;

    static void SetUpTestSuite()
    {
#if !defined(_WIN32)
        // The Info preference lives in a scratch folder for the whole program.
        static const std::string folder = scratchFolder();
        usePreferencesIn(folder);
#endif
    }

#if !defined(_WIN32)
    // A new, empty folder of its own (empty when none could be made).
    static std::string scratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantor-prefs-XXXXXX").string();
        return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }

    // Every place the Info preference may be kept, below `folder`.
    static void usePreferencesIn(const std::string& folder)
    {
        setenv("XDG_CONFIG_DIRS", (folder + "/machine").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
    }
#endif

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(HostEditorWindow::SetUp());
        ASSERT_TRUE(pointer.valid()) << "no window system (run under Xvfb)";
        // Park the pointer away from every control.
        pointer.moveTo(kWidth + 50, 10);
        instance.resumeAt(44100.0f);
        openEditor();
    }

    void TearDown() override
    {
        if (open)
            closeEditor();
    }

    // Opens the editor, waits for its first frame and forgets what the host heard so far.
    void openEditor()
    {
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        open = true;
        ASSERT_EQ(frame().width, kWidth) << "no frame was presented";
        HostRecorder::instance().clear();
    }

    void closeEditor()
    {
        instance.dispatch(effEditClose);
        open = false;
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

    // A newly presented frame (of no size when none comes).
    CapturedFrame frame()
    {
        std::remove(CapturedFrame::path().c_str());
        CapturedFrame presented;
        idleUntil([&] { return (presented = CapturedFrame::read()).width != 0; });
        return presented;
    }

    // The frame once the editor has drawn everything up to now.
    CapturedFrame settledFrame()
    {
        idleFor(4);
        return CapturedFrame::read();
    }

    // Keeps the frame presented last as `name`.png in the folder VANTOR_SCENARIO_FRAMES_OUT
    // names, if any, for a person to look at and another build to compare with.
    static void keepFrame(const std::string& name)
    {
        if (const char* folder = std::getenv("VANTOR_SCENARIO_FRAMES_OUT"))
        {
            std::filesystem::create_directories(folder);
            std::filesystem::copy_file(CapturedFrame::path(), std::filesystem::path(folder) / (name + ".png"),
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }

    static const layout::Row& row(const std::string& name)
    {
        return layoutRow(name);
    }
    static Point centreOf(const std::string& name)
    {
        return ::centreOf(layoutRow(name));
    }

    void hover(Point at)
    {
        pointer.moveTo(at.x, at.yFromTop);
        idleFor(2);
    }

    void click(Point at, HostPointer::Button button = HostPointer::Left, int modifiers = HostPointer::None)
    {
        hover(at);
        pointer.press(button, modifiers);
        idleFor(2);
        pointer.release(button, modifiers);
        idleFor(2);
    }

    // Press at `from`, move to `to` in `steps` moves, release.
    void drag(Point from, Point to, int modifiers = HostPointer::None, int steps = 4)
    {
        hover(from);
        pointer.press(HostPointer::Left, modifiers);
        idleFor(2);
        for (int step = 1; step <= steps; ++step)
        {
            pointer.moveTo(from.x + (to.x - from.x) * step / steps,
                           from.yFromTop + (to.yFromTop - from.yFromTop) * step / steps);
            idleFor(1);
        }
        idleFor(1);
        pointer.release(HostPointer::Left, modifiers);
        idleFor(2);
    }

    // Press at `from`, move by (dx, dy) window pixels (dy downwards), release.
    void drag(Point from, int dx, int dy, int steps = 4)
    {
        drag(from, {from.x + dx, from.yFromTop + dy}, HostPointer::None, steps);
    }

    std::vector<HostEdit> hostEdits()
    {
        return vst2HostEdits(instance.effect());
    }

    std::vector<HostCall> hostCalls(VstInt32 opcode)
    {
        return HostRecorder::instance().callsFor(instance.effect(), opcode);
    }

    HostPointer pointer{window.handle()};
    bool open = false;
};
