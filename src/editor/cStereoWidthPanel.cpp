#include "editor/cStereoWidthPanel.h"

#include "base/UnitRange.h"
#include "editor/EditorModel.h"
#include "editor/ShaderSet.h"
#include "params/ParameterTable.h"

bool cStereoWidthPanel::drawsParameter(int index) const
{
    return index == kParamStereoWidth;
}

void cStereoWidthPanel::draw()
{
    const float width = clampedToUnit(model.value(kParamStereoWidth));
    shaders.use(ShaderSet::Program::StereoWidthLine);
    shaders.setFloat(ShaderSet::Program::StereoWidthLine, "width", width);
    drawQuad();
    ShaderSet::useNone();
}
