#include "controls/cActiveFlashButton.h"

#include "glgui/Model3DS.h"

namespace
{

constexpr int kFlashCycleMask = 63;
constexpr int kLastFlashFrame = 7;

}  // namespace

cActiveFlashButton::cActiveFlashButton(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box,
                                       const Model3DS* model, std::uint32_t style)
    : cOnOffButton(editor, listener, box, model, style)
{
    if (model != nullptr && model->materials.size() > kLampMaterial)
    {
        lampModel = std::make_unique<Model3DS>(*model);
        controlModel = lampModel.get();
    }
}

bool cActiveFlashButton::flashesOnFrame(int count)
{
    return (count & kFlashCycleMask) <= kLastFlashFrame && (count & 1) != 0;
}

void cActiveFlashButton::draw()
{
    if (lampModel == nullptr)
    {
        cOnOffButton::draw();
        return;
    }
    float& lampRed = lampModel->materials[kLampMaterial].red;
    if (savedRed < 0.0f)
        savedRed = lampRed;
    lampRed = getValue(0) == 0.0f && flashesOnFrame(frameCount) ? 1.0f : savedRed;
    cOnOffButton::draw();
    lampRed = savedRed;
}
