#include "editor/EditorLayout.h"

#include "editor/HelpTexts.h"

namespace layout
{
namespace
{

constexpr std::uint32_t kDisplayStyle = 0x300082;
constexpr std::uint32_t kDialStyle = 0x80002;
constexpr std::uint32_t kButtonStyle = 0x80002;
constexpr std::uint32_t kVerticalStyle = 0x280010;
constexpr std::uint32_t kHorizontalStyle = 0x280020;
// Drawn in the overlay pass, so an open menu lies over every control.
constexpr std::uint32_t kMenuStyle = 0x40;
constexpr float kPanelExtent = 321.0f;

const Row kRows[] = {
    {.name = "stereo gain panel",
     .controlClass = ControlClass::SpectrumPanel,
     .origin = {96.0f, 241.0f, 0.2f},
     .size = {319.5f, 319.5f, 1.0f},
     .centre = {255.75f, 400.75f, 0.7f},
     .style = kDisplayStyle,
     .slotCount = 1,
     .command = EditorCommand::ScopeView,
     .helpText = kStereoGainPanelHelp,
     .helpAnchor = {134.25f, 539.25f},
     .helpExtent = {320.0f, -320.0f}},
    {.name = "Sizzle",
     .controlClass = ControlClass::Dial,
     .modelName = "knob1.3ds",
     .origin = {435.5f, 320.0f, 0.0f},
     .size = {64.0f, 64.0f, 0.0f},
     .centre = {467.5f, 352.0f, 0.0f},
     .style = kDialStyle,
     .parameter = kParamSizzle,
     .slotCount = 1,
     .helpText = kSizzleHelp,
     .helpAnchor = {459.0f, 343.5f},
     .helpExtent = {-kPanelExtent, -kPanelExtent}},
    {.name = "Shape",
     .controlClass = ControlClass::Dial,
     .modelName = "knob1.3ds",
     .origin = {435.5f, 192.0f, 0.0f},
     .size = {64.0f, 64.0f, 0.0f},
     .centre = {467.5f, 224.0f, 0.0f},
     .style = kDialStyle,
     .parameter = kParamShape,
     .slotCount = 1,
     .helpText = kShapeHelp,
     .helpAnchor = {459.0f, 232.5f},
     .helpExtent = {-kPanelExtent, kPanelExtent}},
    {.name = "Gain",
     .controlClass = ControlClass::Slider,
     .modelName = "Handle.3ds",
     .origin = {33.5f, 247.5f, 0.0f},
     .size = {32.0f, 308.0f, 0.0f},
     .centre = {49.5f, 401.5f, 0.0f},
     .style = kVerticalStyle,
     .parameter = kParamGain,
     .slotCount = 1,
     .helpText = kGainHelp,
     .helpAnchor = {58.0f, 297.0f},
     .helpExtent = {kPanelExtent, kPanelExtent}},
    {.name = "Stereo Width",
     .controlClass = ControlClass::Slider,
     .modelName = "Handle.3ds",
     .origin = {96.0f, 169.0f, 0.0f},
     .size = {320.0f, 40.0f, 0.0f},
     .centre = {256.0f, 189.0f, 0.0f},
     .style = kHorizontalStyle,
     .parameter = kParamStereoWidth,
     .slotCount = 1,
     .labelOffset = {0.0f, -55.0f, 0.0f},
     .helpText = kStereoWidthHelp,
     .helpAnchor = {188.0f, 193.0f},
     .helpExtent = {kPanelExtent, kPanelExtent}},
    {.name = "width display",
     .controlClass = ControlClass::StereoWidthPanel,
     .origin = {96.0f, 214.0f, 0.2f},
     .size = {320.0f, 16.0f, 1.0f},
     .centre = {256.0f, 222.0f, 0.7f},
     .style = kDisplayStyle,
     .helpText = kWidthDisplayHelp,
     .helpAnchor = {188.0f, 226.0f},
     .helpExtent = {kPanelExtent, kPanelExtent}},
    // Eq_Num, then the X and Y of the 16 points.
    {.name = "equaliser",
     .controlClass = ControlClass::Equaliser,
     .origin = {8.5f, 24.5f, 0.2f},
     .size = {478.0f, 114.0f, 1.0f},
     .centre = {247.5f, 81.5f, 0.7f},
     .style = kDisplayStyle,
     .parameter = kParamEqNum,
     .slotCount = 33,
     .helpText = kEqualiserHelp,
     .helpAnchor = {179.0f, 86.0f},
     .helpExtent = {kPanelExtent, kPanelExtent}},
    {.name = "Active switch",
     .controlClass = ControlClass::ActiveFlashButton,
     .modelName = "button_r.3ds",
     .origin = {459.0f, 576.0f, 0.0f},
     .size = {20.0f, 20.0f, 10.0f},
     .centre = {469.0f, 586.0f, 5.0f},
     .style = kButtonStyle,
     .parameter = kParamActive,
     .slotCount = 1,
     .helpText = kActiveSwitchHelp,
     .helpAnchor = {469.0f, 586.0f},
     .helpExtent = {-kPanelExtent, -kPanelExtent}},
    {.name = "Info switch",
     .controlClass = ControlClass::OnOffButton,
     .modelName = "button_r.3ds",
     .origin = {39.0f, 179.0f, 0.0f},
     .size = {20.0f, 20.0f, 10.0f},
     .centre = {49.0f, 189.0f, 5.0f},
     .style = kButtonStyle,
     .slotCount = 1,
     .command = EditorCommand::Info,
     .helpText = kInfoSwitchHelp,
     .helpAnchor = {57.5f, 197.5f},
     .helpExtent = {kPanelExtent, kPanelExtent}},
    {.name = "Punch",
     .controlClass = ControlClass::PopOffDial,
     .modelName = "knob1.3ds",
     .origin = {435.5f, 448.0f, 0.0f},
     .size = {64.0f, 64.0f, 0.0f},
     .centre = {467.5f, 480.0f, 0.0f},
     .style = kDialStyle,
     .parameter = kParamPunch,
     .slotCount = 1,
     .helpText = kPunchHelp,
     .helpAnchor = {459.0f, 471.5f},
     .helpExtent = {-kPanelExtent, -kPanelExtent}},
    {.name = "EQ gain",
     .controlClass = ControlClass::Wheel,
     .modelName = "wheel.3ds",
     .origin = {493.5f, 25.0f, -32.0f},
     .size = {24.0f, 112.0f, 40.0f},
     .centre = {505.5f, 81.0f, -12.0f},
     .style = kVerticalStyle,
     .parameter = kParamEqGain,
     .slotCount = 1,
     .labelOffset = {-8.0f, 0.0f, 0.0f},
     .helpText = kEqGainHelp,
     .helpAnchor = {497.0f, 72.5f},
     .helpExtent = {-kPanelExtent, kPanelExtent}},
    // The V emblem opens the editor's size menu and the wordmark beside it the preset menu,
    // each drawn over everything below it.
    {.name = "Size menu",
     .controlClass = ControlClass::SizeMenu,
     .origin = {33.5f, 573.5f, 0.0f},
     .size = {32.0f, 32.0f, 0.0f},
     .centre = {49.5f, 589.5f, 0.0f},
     .style = kMenuStyle,
     .helpText = kSizeMenuHelp,
     .helpAnchor = {57.5f, 565.5f},
     .helpExtent = {kPanelExtent, -kPanelExtent}},
    {.name = "Preset menu",
     .controlClass = ControlClass::PresetMenu,
     .origin = {69.5f, 573.5f, 0.0f},
     .size = {235.5f, 32.0f, 0.0f},
     .centre = {187.25f, 589.5f, 0.0f},
     .style = kMenuStyle,
     .helpText = kPresetMenuHelp,
     .helpAnchor = {150.5f, 565.5f},
     .helpExtent = {kPanelExtent, -kPanelExtent}},
};

const Row kCurveDisplay = {.name = "shape curve",
                           .controlClass = ControlClass::CurveDisplay,
                           .origin = {438.5f, 150.0f, 0.2f},
                           .size = {58.0f, 40.0f, 1.0f},
                           .centre = {467.5f, 170.0f, 0.7f},
                           .style = kDisplayStyle};

}  // namespace

ValueDisplayKind valueDisplayKind(const Row& row)
{
    return isParameter(row.parameter) ? kParameterTable[row.parameter].display : kDisplayNone;
}

float slotDefault(const Row& row, int slot)
{
    const int index = row.parameter + slot;
    return isParameter(row.parameter) && isParameter(index) ? kParameterTable[index].defaultValue : 0.0f;
}

std::span<const Row> controlRows()
{
    return kRows;
}

const Row& curveDisplayRow()
{
    return kCurveDisplay;
}

}  // namespace layout
