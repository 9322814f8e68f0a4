#include "editor/cStereoWidthPanel.h"

#include "base/UnitRange.h"
#include "controls/cControlListener.h"
#include "editor/ShaderSet.h"
#include "params/ParameterTable.h"

bool cStereoWidthPanel::drawsParameter(int index) const
{
    return index == kParamStereoWidth;
}

void cStereoWidthPanel::draw()
{
    const float width = clampedToUnit(controlListener.readParameter(kParamStereoWidth));
    shaders.use(ShaderSet::Program::StereoWidthLine);
    shaders.setFloat(ShaderSet::Program::StereoWidthLine, "width", width);
    drawQuad();
    ShaderSet::useNone();
    updateScreenRect();
}
