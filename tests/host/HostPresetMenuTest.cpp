// The wordmark's preset menu through the built module, with real X pointer and key events:
// what it loads, switches and undoes reaches the host as the user's own edits, a name typed
// into the window or passed on by the host saves a file, and a bad file changes nothing.
#include "HostEditorSession.h"
#include "presets/FactoryPresets.h"

#include <X11/keysym.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace
{

using PresetMenus = HostEditorSession;

constexpr int kRowStep = 18;
// The list hangs from the wordmark's bottom edge; its rows start below a margin.
constexpr int kFirstRowCentre = 6 + kRowStep / 2;
constexpr int kNextPresetRow = 2;
constexpr int kUserPresetsRow = 4;
constexpr int kSaveRow = 5;
constexpr int kDeleteRow = 6;
constexpr int kSwitchSlotRow = 7;
constexpr int kUndoRow = 9;

std::filesystem::path userPresetFolder()
{
    return std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "Brackwel" / "Vantor Pro" / "Presets";
}

// Every begin-edit the host saw has its end-edit, in order, and there was at least one.
void expectWholeGestures(const std::vector<HostCall>& begins, const std::vector<HostCall>& ends)
{
    ASSERT_FALSE(begins.empty());
    ASSERT_EQ(begins.size(), ends.size()) << "one gesture per parameter";
    for (std::size_t i = 0; i < begins.size(); ++i)
        EXPECT_EQ(begins[i].index, ends[i].index);
}

HostEditorSession::Point menuRow(int index)
{
    const layout::Row& wordmark = HostEditorSession::row("Preset menu");
    const HostEditorSession::Point corner = windowPoint(wordmark.origin[0], wordmark.origin[1]);
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
    expectWholeGestures(hostCalls(audioMasterBeginEdit), hostCalls(audioMasterEndEdit));
    settledFrame();  // the open menu, for a person looking at the captured frame

    click(menuRow(kSaveRow));
    pointer.holdModifiers(HostPointer::Shift, true);
    pointer.tapKey(XK_l);
    pointer.holdModifiers(HostPointer::Shift, false);
    pointer.tapKey(XK_i);
    idleFor(2);
    // The rest as a host passes keys on itself.
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 'v'), 1);
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 'e'), 1);
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 0, VKEY_RETURN), 1);
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 0, VKEY_RETURN), 0) << "a key the editor does not use goes back";
    idleFor(2);
    const std::filesystem::path saved = userPresetFolder() / "Live.fxp";
    EXPECT_TRUE(std::filesystem::exists(saved)) << saved;
    click(menuRow(kDeleteRow));
    EXPECT_FALSE(std::filesystem::exists(saved));
}

// A key changes nothing but the menu's text, with the pointer elsewhere and no hover to
// redraw it: the next frame must show it all the same, whichever way the key came.
TEST_F(PresetMenus, EveryTypedKeyShowsInTheNextFrame)
{
    click(centreOf("Preset menu"));
    click(menuRow(kSaveRow));
    pointer.moveTo(5, 5);
    // The opening's version line, which draws for its own count of idle calls, goes first.
    idleFor(130);
    CapturedFrame before = settledFrame();
    const auto expectShown = [&](const char* how)
    {
        const CapturedFrame after = settledFrame();
        EXPECT_GT(meanDifference(after, before, 0, 0, kWidth, kHeight), 0.0) << how;
        before = after;
    };
    for (const char key : {'m', 'i', 'x'})
    {
        EXPECT_EQ(instance.dispatch(effEditKeyDown, key), 1);
        expectShown("a key the host passed on");
    }
    pointer.tapKey(XK_b);
    expectShown("a key typed into the window");
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 0, VKEY_BACK), 1);
    expectShown("a key that shortens the name");
}

TEST_F(PresetMenus, ABAndUndoReachTheHostAsGesturesAndABadFileChangesNothing)
{
    const FactoryPresetDefinition& first = factoryPresets()[0];
    const FactoryPresetDefinition& second = factoryPresets()[1];
    click(centreOf("Preset menu"));
    click(menuRow(kNextPresetRow));
    click(menuRow(kSwitchSlotRow));
    click(menuRow(kNextPresetRow));
    ASSERT_FLOAT_EQ(instance.getParameter(kParamStereoWidth), second.stereoWidth);
    HostRecorder::instance().clear();
    click(menuRow(kSwitchSlotRow));
    EXPECT_FLOAT_EQ(instance.getParameter(kParamStereoWidth), first.stereoWidth) << "back on A";
    expectWholeGestures(hostCalls(audioMasterBeginEdit), hostCalls(audioMasterEndEdit));
    HostRecorder::instance().clear();
    click(menuRow(kUndoRow));
    EXPECT_FLOAT_EQ(instance.getParameter(kParamStereoWidth), second.stereoWidth) << "the switch undone";
    expectWholeGestures(hostCalls(audioMasterBeginEdit), hostCalls(audioMasterEndEdit));

    // A truncated program file: listed with its reason, and picking its line does nothing.
    std::filesystem::create_directories(userPresetFolder());
    std::ofstream(userPresetFolder() / "Broken.fxp", std::ios::binary) << "CcnK";
    click(centreOf("Preset menu"));  // closes the list; the next opening lists the folder again
    click(centreOf("Preset menu"));
    click(menuRow(kUserPresetsRow));
    HostRecorder::instance().clear();
    click(menuRow(2));
    EXPECT_TRUE(hostCalls(audioMasterBeginEdit).empty());
    EXPECT_FLOAT_EQ(instance.getParameter(kParamStereoWidth), second.stereoWidth);
    std::filesystem::remove(userPresetFolder() / "Broken.fxp");
}
