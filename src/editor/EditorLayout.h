#pragma once

#include "editor/EditorCommand.h"
#include "params/ParameterTable.h"

#include <cstdint>
#include <optional>
#include <span>

// The editor's layout: every control, in list order (drawing order and hit order), with its
// box, model, style, the parameters or command it is bound to, and help. Positions are relative to
// the background picture's bottom-left corner (L, B) = (-(W + 1) / 2, -(H + 1) / 2) in scene
// units (pixels at depth 0, origin at the window centre, y upwards).
// The skin generator's placements and the tests are checked against this one table.
namespace layout
{

enum class ControlClass
{
    Panel,
    SpectrumPanel,
    Dial,
    PopOffDial,
    Slider,
    StereoWidthPanel,
    Equaliser,
    ActiveFlashButton,
    OnOffButton,
    Wheel,
    CurveDisplay,
    SizeMenu,
    PresetMenu,
};

constexpr float kSliderHandleLength = 25.0f;
// A row bound to no parameter.
constexpr int kNoParameter = -1;

struct Row
{
    const char* name = nullptr;
    ControlClass controlClass = ControlClass::Panel;
    const char* modelName = nullptr;  // 3DS model, or null
    float origin[3] = {};             // x, y relative to (L, B); z absolute
    float size[3] = {};
    float centre[3] = {};  // x, y relative to (L, B); z absolute
    std::uint32_t style = 0;
    int parameter = kNoParameter;  // the parameter of slot 0
    int slotCount = 0;             // consecutive parameters from `parameter`
    // Rows bound to an editor command instead of parameters (one slot).
    std::optional<EditorCommand> command{};
    float labelOffset[3] = {};
    const char* helpText = nullptr;  // null without help
    float helpAnchor[2] = {};        // relative to (L, B)
    float helpExtent[2] = {};
};

// How a row's value reads, and what Ctrl-click restores in a slot: its parameter's, from
// the parameter table.
ValueDisplayKind valueDisplayKind(const Row& row);
float slotDefault(const Row& row, int slot);

// Rows 2.. of the control list (the background panel, row 1, is sized by its picture).
std::span<const Row> controlRows();
// The shape-curve display: created with the layout, drawn by the Shape dial's value display.
const Row& curveDisplayRow();

// Offsets of the layout's (L, B) corner for a background picture of width x height pixels.
constexpr float leftEdge(int width)
{
    return -(static_cast<float>(width) + 1.0f) / 2.0f;
}
constexpr float bottomEdge(int height)
{
    return -(static_cast<float>(height) + 1.0f) / 2.0f;
}

}  // namespace layout
