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
constexpr float kPanelExtent = 321.0f;

constexpr bool kParameterRow = false;
constexpr bool kCommandRow = true;
constexpr EditorCommand kNoCommand = EditorCommand::Info;  // unused on parameter rows

const Row kRows[] = {
    {"stereo gain panel",
     ControlClass::SpectrumPanel,
     nullptr,
     {96.0f, 241.0f, 0.2f},
     {319.5f, 319.5f, 1.0f},
     {255.75f, 400.75f, 0.7f},
     kDisplayStyle,
     kNoParameter,
     0,
     kParameterRow,
     kNoCommand,
     {},
     kStereoGainPanelHelp,
     {134.25f, 539.25f},
     {320.0f, -320.0f}},
    {"Sizzle",
     ControlClass::Dial,
     "knob1.3ds",
     {435.5f, 320.0f, 0.0f},
     {64.0f, 64.0f, 0.0f},
     {467.5f, 352.0f, 0.0f},
     kDialStyle,
     kParamSizzle,
     1,
     kParameterRow,
     kNoCommand,
     {},
     kSizzleHelp,
     {459.0f, 343.5f},
     {-kPanelExtent, -kPanelExtent}},
    {"Shape",
     ControlClass::Dial,
     "knob1.3ds",
     {435.5f, 192.0f, 0.0f},
     {64.0f, 64.0f, 0.0f},
     {467.5f, 224.0f, 0.0f},
     kDialStyle,
     kParamShape,
     1,
     kParameterRow,
     kNoCommand,
     {},
     kShapeHelp,
     {459.0f, 232.5f},
     {-kPanelExtent, kPanelExtent}},
    {"Gain",
     ControlClass::Slider,
     "Handle.3ds",
     {33.5f, 247.5f, 0.0f},
     {32.0f, 308.0f, 0.0f},
     {49.5f, 401.5f, 0.0f},
     kVerticalStyle,
     kParamGain,
     1,
     kParameterRow,
     kNoCommand,
     {},
     kGainHelp,
     {58.0f, 297.0f},
     {kPanelExtent, kPanelExtent}},
    {"Stereo Width",
     ControlClass::Slider,
     "Handle.3ds",
     {96.0f, 169.0f, 0.0f},
     {320.0f, 40.0f, 0.0f},
     {256.0f, 189.0f, 0.0f},
     kHorizontalStyle,
     kParamStereoWidth,
     1,
     kParameterRow,
     kNoCommand,
     {0.0f, -55.0f, 0.0f},
     kStereoWidthHelp,
     {188.0f, 193.0f},
     {kPanelExtent, kPanelExtent}},
    {"width display",
     ControlClass::StereoWidthPanel,
     nullptr,
     {96.0f, 214.0f, 0.2f},
     {320.0f, 16.0f, 1.0f},
     {256.0f, 222.0f, 0.7f},
     kDisplayStyle,
     kNoParameter,
     0,
     kParameterRow,
     kNoCommand,
     {},
     kWidthDisplayHelp,
     {188.0f, 226.0f},
     {kPanelExtent, kPanelExtent}},
    // Eq_Num, then the X and Y of the 16 points.
    {"equaliser",
     ControlClass::Equaliser,
     nullptr,
     {8.5f, 24.5f, 0.2f},
     {478.0f, 114.0f, 1.0f},
     {247.5f, 81.5f, 0.7f},
     kDisplayStyle,
     kParamEqNum,
     33,
     kParameterRow,
     kNoCommand,
     {},
     kEqualiserHelp,
     {179.0f, 86.0f},
     {kPanelExtent, kPanelExtent}},
    {"Active switch",
     ControlClass::ActiveFlashButton,
     "button_r.3ds",
     {459.0f, 576.0f, 0.0f},
     {20.0f, 20.0f, 10.0f},
     {469.0f, 586.0f, 5.0f},
     kButtonStyle,
     kParamActive,
     1,
     kParameterRow,
     kNoCommand,
     {},
     kActiveSwitchHelp,
     {469.0f, 586.0f},
     {-kPanelExtent, -kPanelExtent}},
    {"Info switch",
     ControlClass::OnOffButton,
     "button_r.3ds",
     {39.0f, 179.0f, 0.0f},
     {20.0f, 20.0f, 10.0f},
     {49.0f, 189.0f, 5.0f},
     kButtonStyle,
     kNoParameter,
     1,
     kCommandRow,
     EditorCommand::Info,
     {},
     kInfoSwitchHelp,
     {57.5f, 197.5f},
     {kPanelExtent, kPanelExtent}},
    {"Punch",
     ControlClass::PopOffDial,
     "knob1.3ds",
     {435.5f, 448.0f, 0.0f},
     {64.0f, 64.0f, 0.0f},
     {467.5f, 480.0f, 0.0f},
     kDialStyle,
     kParamPunch,
     1,
     kParameterRow,
     kNoCommand,
     {},
     kPunchHelp,
     {459.0f, 471.5f},
     {-kPanelExtent, -kPanelExtent}},
    {"EQ gain",
     ControlClass::Wheel,
     "wheel.3ds",
     {493.5f, 25.0f, -32.0f},
     {24.0f, 112.0f, 40.0f},
     {505.5f, 81.0f, -12.0f},
     kVerticalStyle,
     kParamEqGain,
     1,
     kParameterRow,
     kNoCommand,
     {-8.0f, 0.0f, 0.0f},
     kEqGainHelp,
     {497.0f, 72.5f},
     {-kPanelExtent, kPanelExtent}},
};

const Row kCurveDisplay = {"shape curve",
                           ControlClass::CurveDisplay,
                           nullptr,
                           {438.5f, 150.0f, 0.2f},
                           {58.0f, 40.0f, 1.0f},
                           {467.5f, 170.0f, 0.7f},
                           kDisplayStyle,
                           kNoParameter,
                           0,
                           kParameterRow,
                           kNoCommand,
                           {},
                           nullptr,
                           {},
                           {}};

}  // namespace

ValueDisplayKind valueDisplayKind(const Row& row)
{
    return row.commandRow || !isParameter(row.parameter) ? kDisplayNone : kParameterTable[row.parameter].display;
}

float slotDefault(const Row& row, int slot)
{
    const int index = row.parameter + slot;
    return !row.commandRow && isParameter(row.parameter) && isParameter(index) ? kParameterTable[index].defaultValue
                                                                               : 0.0f;
}

SlotTarget slotTarget(const Row& row, int slot)
{
    if (row.commandRow)
        return commandTarget(row.command);
    return SlotTarget{SlotTarget::Kind::Parameter, row.parameter + slot};
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
