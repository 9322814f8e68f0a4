#pragma once

#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"

#include <vector>

// A small editor on the framework: clears to dark blue and fills the top-left quarter
// with orange on every frame (each one draws the whole picture), counts frames and records
// every hook call.
class TestEditor : public VSTGL_Editor
{
public:
    struct HookCall
    {
        enum Kind
        {
            Down,
            Move,
            Up,
            Wheel,
            Leave,
        } kind;
        int buttons;
        int x;
        int y;
    };

    explicit TestEditor(int editorWidth = 512, int editorHeight = 624) { setEditorSize(editorWidth, editorHeight); }

    int frames = 0;
    int paintFrames = 0;
    std::vector<HookCall> calls;
    platform::PointerCursor cursorForNextMove = platform::PointerCursor::Arrow;
    // A clock the test moves by hand; 0 means the real one.
    std::uint32_t fakeTick = 0;

protected:
    std::uint32_t tickNow() const override { return fakeTick != 0 ? fakeTick : VSTGL_Editor::tickNow(); }
    void openGui() override { setGuiReady(true); }
    void closeGui() override { setGuiReady(false); }
    void prepareFrame() override { invalidateWholeFrame(); }

    void draw() override
    {
        ++frames;
        if (repainting())
            ++paintFrames;
        glViewport(0, 0, width(), height());
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0.0f, 0.0f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, height() / 2, width() / 2, height() / 2);
        glClearColor(1.0f, 0.5f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
    }

    void mouseDown(int buttons, int x, int y) override { calls.push_back({HookCall::Down, buttons, x, y}); }
    void mouseMove(int buttons, int x, int y) override
    {
        calls.push_back({HookCall::Move, buttons, x, y});
        requestCursor(cursorForNextMove);
    }
    void mouseUp(int buttons, int x, int y) override { calls.push_back({HookCall::Up, buttons, x, y}); }
    void mouseWheel(int delta, int x, int y) override { calls.push_back({HookCall::Wheel, delta, x, y}); }
    void mouseLeave() override { calls.push_back({HookCall::Leave, 0, 0, 0}); }
};
