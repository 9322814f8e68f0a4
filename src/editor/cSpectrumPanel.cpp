#include "editor/cSpectrumPanel.h"

#include "editor/EditorModel.h"
#include "editor/ShaderSet.h"
#include "platform/NativeGlWindow.h"

namespace
{

using Program = ShaderSet::Program;

// The shader's time base: thirds of a second.
constexpr float kTickerPerMillisecond = 0.003f;

}  // namespace

cSpectrumPanel::cSpectrumPanel(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box,
                               std::uint32_t style, ShaderSet& shaderSet, const EditorModel& editorModel)
    : DisplayControl(editor, listener, box, style, shaderSet, editorModel), startTick(platform::tickCount())
{
}

bool cSpectrumPanel::animating() const
{
    return model.metersMoving();
}

void cSpectrumPanel::draw()
{
    const GainMeterReading& reading = model.meters();
    shaders.use(Program::DisplayPanel);
    shaders.setVec4(Program::DisplayPanel, "stereo", reading.stereo);
    shaders.setFloat(Program::DisplayPanel, "clipped", reading.clipped);
    // Counted from the panel's creation, so the float keeps its precision on a machine that
    // has been up for weeks.
    shaders.setFloat(Program::DisplayPanel, "ticker",
                     static_cast<float>(platform::tickCount() - startTick) * kTickerPerMillisecond);
    drawQuad();
    ShaderSet::useNone();
}
