#include "editor/CurveDisplay.h"

#include "editor/EditorModel.h"
#include "editor/ShaderSet.h"
#include "params/EngineAmounts.h"
#include "params/ParameterTable.h"

void CurveDisplay::draw()
{
    // The amount the engine shapes with.
    const float shape = amounts::shape(model.value(kParamShape));
    shaders.use(ShaderSet::Program::CurveDisplay);
    shaders.setFloat(ShaderSet::Program::CurveDisplay, "parShape", shape);
    drawQuad();
    ShaderSet::useNone();
}
