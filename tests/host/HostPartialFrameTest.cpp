// A frame draws again only the part of the picture that changed. Whatever the user or the
// host did, what it presents must be exactly what a whole redraw (a repaint from the window
// system) presents.
#include "HostEditorSession.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace
{

class PartialFrames : public HostEditorSession
{
public:
    // The settled frame against a whole redraw of the same state; the first differing pixels
    // name the place that was left stale.
    void expectSameAsWholeRedraw(const std::string& step)
    {
        const CapturedFrame partial = settledFrame();
#if !defined(_WIN32)
        // The X server is given only each frame's changed part: it must show the whole frame.
        EXPECT_EQ(unshownPixels(window, partial), 0) << step << ": pixels the window does not show";
#endif
        window.exposeChildren();
        const CapturedFrame whole = settledFrame();
        ASSERT_EQ(partial.width, kWidth) << step;
        ASSERT_EQ(whole.width, kWidth) << step;
        int differing = 0;
        std::ostringstream first;
        for (int y = 0; y < kHeight; ++y)
        {
            for (int x = 0; x < kWidth; ++x)
            {
                const std::size_t at = (static_cast<std::size_t>(y) * kWidth + x) * 4;
                if (std::equal(partial.rgba.begin() + at, partial.rgba.begin() + at + 3, whole.rgba.begin() + at))
                    continue;
                if (differing++ < 5)
                    first << " (" << x << ", " << y << ")";
            }
        }
        EXPECT_EQ(differing, 0) << step << ": stale pixels, first at" << first.str();
    }
};

TEST_F(PartialFrames, EveryChangeShowsWhatAWholeRedrawShows)
{
    expectSameAsWholeRedraw("opened");

    // The host moves every kind of control at once.
    for (const char* name : {"Sizzle", "Shape", "Punch", "Gain", "Stereo Width", "EQ gain"})
        instance.setParameter(row(name).parameter, 0.9f);
    expectSameAsWholeRedraw("host automation");
    instance.setParameter(row("Gain").parameter, 0.1f);
    instance.setParameter(row("Stereo Width").parameter, 0.05f);
    expectSameAsWholeRedraw("sliders back across their tracks");

    // The user drags each kind; the pointer stays over the control, so its value shows.
    drag(centreOf("Sizzle"), 30, 40);
    expectSameAsWholeRedraw("dial dragged");
    drag(centreOf("Gain"), 0, 120);
    expectSameAsWholeRedraw("vertical slider dragged");
    drag(centreOf("Stereo Width"), -90, 0);
    expectSameAsWholeRedraw("horizontal slider dragged");
    drag(centreOf("EQ gain"), 0, -30);
    expectSameAsWholeRedraw("wheel dragged");

    // The equaliser: a point added, then dragged to its box's corner, where its ring
    // reaches past the box.
    const Point equaliser = centreOf("equaliser");
    click(equaliser, HostPointer::Right);
    expectSameAsWholeRedraw("equaliser point added");
    drag(equaliser, 300, 80, 8);
    expectSameAsWholeRedraw("equaliser point dragged");

    // Hovering the Shape dial draws its curve; the Info switch toggles the panels twice.
    hover(centreOf("Shape"));
    expectSameAsWholeRedraw("Shape hovered");
    click(centreOf("Info switch"));
    expectSameAsWholeRedraw("Info toggled");
    click(centreOf("Info switch"));
    hover(centreOf("Punch"));
    expectSameAsWholeRedraw("Info toggled back, Punch hovered");

    // The pointer leaves: every hover text and panel goes.
    pointer.moveTo(kWidth + 50, 10);
    expectSameAsWholeRedraw("pointer gone");
}

}  // namespace
