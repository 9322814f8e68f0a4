// The wordmark's preset menu through the built module, with real X pointer and key events:
// what it loads reaches the host as the user's own edits, and a name typed into the window or
// passed on by the host saves a file.
#include "EditorSession.h"
#include "presets/FactoryPresets.h"

#include <X11/keysym.h>

#include <cstdlib>
#include <filesystem>

namespace
{

using PresetMenus = EditorSession;

constexpr int kRowStep = 18;
// The list hangs from the wordmark's bottom edge; its rows start below a margin.
constexpr int kFirstRowCentre = 6 + kRowStep / 2;
constexpr int kNextPresetRow = 2;
constexpr int kSaveRow = 5;

EditorSession::Point menuRow(int index)
{
    const layout::Row& wordmark = EditorSession::row("Preset menu");
    const EditorSession::Point corner = EditorSession::windowPoint(wordmark.origin[0], wordmark.origin[1]);
    return {corner.x + 40, corner.yFromTop + kFirstRowCentre + index * kRowStep};
}

}  // namespace

TEST_F(PresetMenus, TheWordmarkLoadsAPresetAsGesturesAndSavesUnderATypedName)
{
    click(centreOf("Preset menu"));
    click(menuRow(kNextPresetRow));
    const FactoryPresetDefinition& first = factoryPresets().front();
    EXPECT_FLOAT_EQ(instance.getParameter(kParamStereoWidth), first.stereoWidth);
    EXPECT_FLOAT_EQ(instance.getParameter(kParamGain), first.gain);
    EXPECT_FLOAT_EQ(instance.getParameter(kParamEqNum), static_cast<float>(first.pointCount) / kMaxEqPoints);
    const auto begins = hostCalls(audioMasterBeginEdit);
    const auto ends = hostCalls(audioMasterEndEdit);
    ASSERT_FALSE(begins.empty());
    ASSERT_EQ(begins.size(), ends.size()) << "one gesture per parameter";
    for (std::size_t i = 0; i < begins.size(); ++i)
        EXPECT_EQ(begins[i].index, ends[i].index);
    settledFrame();  // the open menu, for a person looking at the captured frame

    click(menuRow(kSaveRow));
    pointer.holdShift(true);
    pointer.tapKey(XK_l);
    pointer.holdShift(false);
    pointer.tapKey(XK_i);
    idleFor(2);
    // The rest as a host passes keys on itself.
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 'v'), 1);
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 'e'), 1);
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 0, VKEY_RETURN), 1);
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 0, VKEY_RETURN), 0) << "a key the editor does not use goes back";
    idleFor(2);
    const std::filesystem::path saved =
        std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "Brackwel" / "Vantor Pro" / "Presets" / "Live.fxp";
    EXPECT_TRUE(std::filesystem::exists(saved)) << saved;
    std::filesystem::remove(saved);
}
