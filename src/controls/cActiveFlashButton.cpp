#include "controls/cActiveFlashButton.h"

#include "glgui/Model3DS.h"

namespace
{

constexpr int kFlashCycleMask = 63;
constexpr int kLastFlashFrame = 7;

}  // namespace

bool cActiveFlashButton::flashesOnFrame(int count)
{
    return (count & kFlashCycleMask) <= kLastFlashFrame && (count & 1) != 0;
}

void cActiveFlashButton::draw()
{
    const bool hasLamp = controlModel != nullptr && controlModel->materials.size() > kLampMaterial;
    if (!hasLamp)
    {
        cOnOffButton::draw();
        return;
    }
    float& lampRed = controlModel->materials[kLampMaterial].red;
    if (savedRed < 0.0f)
        savedRed = lampRed;
    ++frameCount;
    lampRed = getValue(0) == 0.0f && flashesOnFrame(frameCount) ? 1.0f : savedRed;
    cOnOffButton::draw();
    lampRed = savedRed;
}
