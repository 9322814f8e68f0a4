// Hovering a control: its value text, the information panel while Info is on, and the Info
// choice kept outside projects, through the built module and real X pointer events.
#include "HostEditorSession.h"

#include <algorithm>
#include <fstream>

namespace
{

using Hover = HostEditorSession;

// Inside the window, over no control (below the equaliser).
constexpr HostEditorSession::Point kNowhere{250, 612};

// Where the value text of a control appears: around its label point, just above its box.
FrameRegion valueTextRegion(const layout::Row& r)
{
    const auto label =
        windowPoint(r.centre[0] + r.labelOffset[0], r.origin[1] + r.size[1] + 4.0f + r.labelOffset[1]);
    return FrameRegion{label.x - 30, label.yFromTop - 18, label.x + 30, label.yFromTop + 2};
}

// The middle of a control's information panel.
FrameRegion panelRegion(const layout::Row& r)
{
    const float x = r.helpAnchor[0] + r.helpExtent[0] / 2.0f;
    const float y = r.helpAnchor[1] + r.helpExtent[1] / 2.0f;
    const auto middle = windowPoint(x, y);
    return FrameRegion{middle.x - 100, middle.yFromTop - 100, middle.x + 100, middle.yFromTop + 100};
}

// The first line of a control's help text: 14 pixels in from the panel's left edge, its
// baseline 26 pixels below the top edge.
FrameRegion firstHelpLine(const layout::Row& r)
{
    const float left = r.helpExtent[0] >= 0.0f ? r.helpAnchor[0] : r.helpAnchor[0] + r.helpExtent[0];
    const float top = r.helpExtent[1] > 0.0f ? r.helpAnchor[1] + r.helpExtent[1] : r.helpAnchor[1];
    const auto start = windowPoint(left + 14.0f, top - 26.0f);
    return FrameRegion{start.x, start.yFromTop - 14, start.x + 120, start.yFromTop + 3};
}

// Pixels bright enough to be the panel's light text on its dark picture.
int brightPixels(const CapturedFrame& frame, const FrameRegion& area)
{
    int count = 0;
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, HostEditorSession::kHeight); ++y)
    {
        for (int x = std::max(area.left, 0); x < std::min(area.right, HostEditorSession::kWidth); ++x)
        {
            const std::size_t at = (static_cast<std::size_t>(y) * HostEditorSession::kWidth + x) * 4;
            if (frame.rgba[at] > 150 && frame.rgba[at + 1] > 150 && frame.rgba[at + 2] > 150)
                ++count;
        }
    }
    return count;
}

}  // namespace

class HoverWithPreferences : public Hover
{
protected:
    // Opens the editor again with the preference store in `folder`.
    void reopenWithPreferencesIn(const std::string& folder)
    {
        if (open)
            closeEditor();
        usePreferencesIn(folder);
        openEditor();
    }

    bool infoPanelShownFor(const char* name)
    {
        const layout::Row& r = row(name);
        hover(kNowhere);
        const CapturedFrame away = settledFrame();
        hover(centreOf(name));
        const CapturedFrame over = settledFrame();
        hover(kNowhere);
        return meanDifference(away, over, panelRegion(r)) > 10.0;
    }
};

TEST_F(HoverWithPreferences, ValueTextShowsWhileHoveredAndHidesAfter150StillFramesWithInfoOff)
{
    reopenWithPreferencesIn(scratchFolder());
    // First opening with nothing stored: the panels are on. Turn them off.
    ASSERT_TRUE(infoPanelShownFor("Sizzle"));
    click(centreOf("Info switch"));
    ASSERT_FALSE(infoPanelShownFor("Sizzle"));

    const layout::Row& sizzle = row("Sizzle");
    const CapturedFrame away = settledFrame();
    hover(centreOf("Sizzle"));
    const CapturedFrame shown = settledFrame();
    EXPECT_GT(meanDifference(away, shown, valueTextRegion(sizzle)), 5.0) << "no value text";
    // 150 frames without pointer events: the text goes.
    idleFor(170);
    const CapturedFrame later = settledFrame();
    EXPECT_LT(meanDifference(away, later, valueTextRegion(sizzle)), 1.0) << "the value text stayed";
    // A small move brings it back.
    const auto at = centreOf("Sizzle");
    hover({at.x + 1, at.yFromTop});
    EXPECT_GT(meanDifference(away, settledFrame(), valueTextRegion(sizzle)), 5.0);
}

TEST_F(HoverWithPreferences, InfoChoicePersistsAcrossInstancesAndToggles)
{
    const std::string folder = scratchFolder();
    reopenWithPreferencesIn(folder);
    EXPECT_TRUE(infoPanelShownFor("Stereo Width")) << "first opening shows the panels";
    // Several toggles, each one remembered by the next instance.
    for (const bool expectedAfterToggle : {false, true, false})
    {
        click(centreOf("Info switch"));
        closeEditor();
        EffectInstance next;
        ASSERT_EQ(next.dispatch(effEditOpen, 0, 0, window.handle()), 1);
        for (int i = 0; i < 10; ++i)
        {
            window.pumpMessages();
            next.dispatch(effEditIdle);
        }
        next.dispatch(effEditClose);
        openEditor();
        EXPECT_EQ(infoPanelShownFor("Stereo Width"), expectedAfterToggle);
    }
}

TEST_F(HoverWithPreferences, AnUnwritableStoreWarnsOncePerOpeningAndNeverBlocks)
{
    // A plain file where the folder should be: nothing can be stored below it.
    const std::string folder = scratchFolder();
    const std::string blocker = folder + "/not-a-folder";
    std::ofstream(blocker) << "x";
    testing::internal::CaptureStderr();
    reopenWithPreferencesIn(blocker);
    click(centreOf("Info switch"));
    click(centreOf("Info switch"));
    const std::string messages = testing::internal::GetCapturedStderr();
    std::size_t count = 0;
    for (std::size_t at = messages.find("[Vantor Pro]"); at != std::string::npos;
         at = messages.find("[Vantor Pro]", at + 1))
        ++count;
    EXPECT_EQ(count, 1u) << messages;
}

TEST_F(Hover, EveryControlWithHelpShowsItsPanelWhileInfoIsOn)
{
    for (const layout::Row& r : layout::controlRows())
    {
        if (r.helpText == nullptr)
            continue;
        hover(kNowhere);
        const CapturedFrame away = settledFrame();
        const auto at = windowPoint(r.centre[0], r.centre[1]);
        hover(at);
        const CapturedFrame over = settledFrame();
        // The panel may be on or off from an earlier test; make it on.
        if (meanDifference(away, over, panelRegion(r)) <= 10.0)
        {
            click(centreOf("Info switch"));
            hover(at);
        }
        const CapturedFrame shown = settledFrame();
        EXPECT_GT(meanDifference(away, shown, panelRegion(r)), 10.0) << r.name;
        // The text is light on the panel's dark picture, readable.
        EXPECT_GT(brightPixels(shown, firstHelpLine(r)), 20) << r.name;
    }
}
