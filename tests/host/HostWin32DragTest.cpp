// The DLL's editor under Wine: a drag posted as Win32 mouse messages, as the window system
// delivers a user's mouse, turns the dial it lands on.
#include "HostIdle.h"
#include "HostWindow.h"
#include "PluginHost.h"
#include "editor/EditorLayout.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace
{

constexpr int kWidth = 512;
constexpr int kHeight = 624;

BOOL CALLBACK collectChild(HWND child, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

}  // namespace

TEST(Win32Editor, ADragPostedAsMouseMessagesTurnsADial)
{
    ASSERT_TRUE(PluginModule::shared().loaded()) << PluginModule::shared().error();
    HostWindow window(kWidth, kHeight);
    ASSERT_TRUE(window.valid());
    EffectInstance instance;
    const layout::Row* sizzle = nullptr;
    for (const layout::Row& row : layout::controlRows())
    {
        if (std::strcmp(row.name, "Sizzle") == 0)
            sizzle = &row;
    }
    ASSERT_NE(sizzle, nullptr);
    instance.setParameter(sizzle->parameter, 0.5f);
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, window.handle()), 1);
    const auto idle = [&](int calls) { idleEditor(window, instance, calls); };
    idle(10);

    // Every child of the host window gets the messages; only the editor's input window
    // acts on them.
    std::vector<HWND> children;
    EnumChildWindows(static_cast<HWND>(window.handle()), collectChild, reinterpret_cast<LPARAM>(&children));
    ASSERT_FALSE(children.empty());
    const int x = static_cast<int>(kWidth / 2.0f + layout::leftEdge(kWidth) + sizzle->centre[0]);
    const int y = static_cast<int>(kHeight / 2.0f - (layout::bottomEdge(kHeight) + sizzle->centre[1]));
    const auto post = [&](UINT message, WPARAM keys, int atX)
    {
        for (HWND child : children)
            PostMessageA(child, message, keys, MAKELPARAM(atX, y));
        idle(2);
    };
    post(WM_MOUSEMOVE, 0, x);
    post(WM_LBUTTONDOWN, MK_LBUTTON, x);
    post(WM_MOUSEMOVE, MK_LBUTTON, x + 10);
    post(WM_MOUSEMOVE, MK_LBUTTON, x + 20);
    post(WM_LBUTTONUP, 0, x + 20);
    // 20 pixels to the right at 0.005 each.
    EXPECT_NEAR(instance.getParameter(sizzle->parameter), 0.6f, 1e-4f);
    instance.dispatch(effEditClose);
}
