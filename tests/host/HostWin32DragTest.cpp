// The DLL's editor under Wine: a drag posted as Win32 mouse messages, as the window system
// delivers a user's mouse, turns the dial it lands on.
#include "Win32PostedInput.h"

#include <gtest/gtest.h>

#include <cstring>

TEST_F(Win32Editor, ADragPostedAsMouseMessagesTurnsADial)
{
    const layout::Row* sizzle = nullptr;
    for (const layout::Row& row : layout::controlRows())
    {
        if (std::strcmp(row.name, "Sizzle") == 0)
            sizzle = &row;
    }
    ASSERT_NE(sizzle, nullptr);
    instance.setParameter(sizzle->parameter, 0.5f);
    ASSERT_NO_FATAL_FAILURE(openEditor());

    Win32PostedInput input(window, instance);
    ASSERT_TRUE(input.reachesTheEditor());
    const POINT at = Win32PostedInput::windowPoint(sizzle->centre[0], sizzle->centre[1]);
    input.pointer(WM_MOUSEMOVE, 0, at);
    input.pointer(WM_LBUTTONDOWN, MK_LBUTTON, at);
    input.pointer(WM_MOUSEMOVE, MK_LBUTTON, POINT{at.x + 10, at.y});
    input.pointer(WM_MOUSEMOVE, MK_LBUTTON, POINT{at.x + 20, at.y});
    input.pointer(WM_LBUTTONUP, 0, POINT{at.x + 20, at.y});
    // 20 pixels to the right at 0.005 each.
    EXPECT_NEAR(instance.getParameter(sizzle->parameter), 0.6f, 1e-4f);
}
