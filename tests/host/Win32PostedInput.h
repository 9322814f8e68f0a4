#pragma once

#include "HostEditorWindow.h"
#include "editor/EditorLayout.h"

#include <windows.h>

#include <vector>

// The DLL's editor under Wine, driven with posted Win32 messages. Every child of the host
// window gets each message; only the editor's input window acts on them. Each message is
// followed by two idle calls, so what it did is drawn and told to the host.
class Win32PostedInput
{
public:
    static constexpr int kWidth = HostEditorWindow::kWidth;
    static constexpr int kHeight = HostEditorWindow::kHeight;

    // Call once the editor is open.
    Win32PostedInput(HostWindow& hostWindow, EffectInstance& effect) : window(hostWindow), instance(effect)
    {
        EnumChildWindows(static_cast<HWND>(window.handle()), collect, reinterpret_cast<LPARAM>(&children));
    }

    bool reachesTheEditor() const { return !children.empty(); }

    // A point of the layout (relative to its bottom-left corner) in window pixels at 100 %.
    static POINT windowPoint(float layoutX, float layoutY)
    {
        return POINT{static_cast<LONG>(kWidth / 2.0f + layout::leftEdge(kWidth) + layoutX),
                     static_cast<LONG>(kHeight / 2.0f - (layout::bottomEdge(kHeight) + layoutY))};
    }

    void post(UINT message, WPARAM wParam, LPARAM lParam)
    {
        for (HWND child : children)
            PostMessageA(child, message, wParam, lParam);
        idleEditor(window, instance, 2);
    }
    void pointer(UINT message, WPARAM keys, POINT at) { post(message, keys, MAKELPARAM(at.x, at.y)); }
    void click(POINT at)
    {
        pointer(WM_MOUSEMOVE, 0, at);
        pointer(WM_LBUTTONDOWN, MK_LBUTTON, at);
        pointer(WM_LBUTTONUP, 0, at);
    }
    void key(WPARAM virtualKey) { post(WM_KEYDOWN, virtualKey, 1); }

private:
    static BOOL CALLBACK collect(HWND child, LPARAM list)
    {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
    }

    HostWindow& window;
    EffectInstance& instance;
    std::vector<HWND> children;
};

// The editor open in the test host's window, as far as a case's setting up before the
// opening goes; closed at the end.
class Win32Editor : public HostEditorWindow
{
protected:
    void TearDown() override { instance.dispatch(effEditClose); }

    void openEditor()
    {
        ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        idleFor(10);
    }
};
