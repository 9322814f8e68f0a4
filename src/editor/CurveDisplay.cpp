#include "editor/CurveDisplay.h"

#include "controls/cControlListener.h"
#include "editor/ShaderSet.h"
#include "engine/ParameterTable.h"

void CurveDisplay::draw()
{
    // The same amount the engine shapes with (0..2 for stored values in 0..1).
    const float shape = 2.0f * engineValue(controlListener.readParameter(kParamShape));
    shaders.use(ShaderSet::Program::CurveDisplay);
    shaders.setFloat(ShaderSet::Program::CurveDisplay, "parShape", shape);
    drawQuad();
    ShaderSet::useNone();
}
