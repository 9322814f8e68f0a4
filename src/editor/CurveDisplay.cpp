#include "editor/CurveDisplay.h"

#include "controls/cControlListener.h"
#include "editor/ShaderSet.h"
#include "engine/ParameterTable.h"

void CurveDisplay::draw()
{
    // The same 0..2 amount the engine shapes with.
    const float shape = 2.0f * controlListener.readParameter(kParamShape);
    shaders.use(ShaderSet::Program::CurveDisplay);
    shaders.setFloat(ShaderSet::Program::CurveDisplay, "parShape", shape);
    drawQuad();
    ShaderSet::useNone();
}
