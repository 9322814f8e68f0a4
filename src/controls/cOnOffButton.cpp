#include "controls/cOnOffButton.h"

#include "glgui/Model3DS.h"
#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"

namespace
{

constexpr float kShadowLift = 0.1f;

}  // namespace

cOnOffButton::cOnOffButton(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box,
                           const Model3DS* model, std::uint32_t style)
    : GL_BaseControl(editor, listener, box, model, style)
{
    if (controlModel == nullptr)
        return;
    // A name containing "off" also contains "on": such meshes show in both states.
    for (std::size_t i = 0; i < controlModel->meshes.size(); ++i)
    {
        if (controlModel->meshes[i].name.find("off") != std::string::npos)
            offSet.push_back(i);
    }
    for (std::size_t i = 0; i < controlModel->meshes.size(); ++i)
    {
        if (controlModel->meshes[i].name.find("on") != std::string::npos)
            onSet.push_back(i);
    }
}

void cOnOffButton::onMouseDown(int, int, int)
{
    if (!hasSlot())
        return;
    beginGesture();
    setValue(0, getValue(0) != 0.0f ? 0.0f : 1.0f);
    report(getValue(0));
}

void cOnOffButton::onMouseUp(int, int, int)
{
    endGesture();
}

// Invisible walls around the button that still write depth, so nothing behind shows
// through the gap between the bezel and the panel.
void cOnOffButton::drawDepthWalls() const
{
    const float halfWidth = (area.size[0] + 1.0f) / 2.0f;
    const float halfHeight = (area.size[1] + 1.0f) / 2.0f;
    const float bottom = -area.size[2];
    // Depth only: seen edge-on, a wall would otherwise draw a hairline at high resolution.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(halfWidth, -halfHeight, 0.0f);
    glVertex3f(halfWidth, -halfHeight, bottom);
    glVertex3f(halfWidth, halfHeight, bottom);
    glVertex3f(halfWidth, halfHeight, 0.0f);
    glVertex3f(-halfWidth, halfHeight, 0.0f);
    glVertex3f(-halfWidth, halfHeight, bottom);
    glVertex3f(-halfWidth, -halfHeight, bottom);
    glVertex3f(-halfWidth, -halfHeight, 0.0f);
    glVertex3f(-halfWidth, -halfHeight, 0.0f);
    glVertex3f(-halfWidth, -halfHeight, bottom);
    glVertex3f(halfWidth, -halfHeight, bottom);
    glVertex3f(halfWidth, -halfHeight, 0.0f);
    glVertex3f(halfWidth, halfHeight, 0.0f);
    glVertex3f(halfWidth, halfHeight, bottom);
    glVertex3f(-halfWidth, halfHeight, bottom);
    glVertex3f(-halfWidth, halfHeight, 0.0f);
    glEnd();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

ScreenRect cOnOffButton::computeReach(const ReachProjector& projector) const
{
    const float halfWidth = (area.size[0] + 1.0f) / 2.0f;
    const float halfHeight = (area.size[1] + 1.0f) / 2.0f;
    const ReachProjector::SceneBox walls{{-halfWidth, -halfHeight, -area.size[2]}, {halfWidth, halfHeight, 0.0f}};
    float wallPlace[16];
    ReachProjector::translation(area.centre[0], area.centre[1], area.origin[2], wallPlace);
    ScreenRect result = projector.box(wallPlace, walls);
    if (controlModel == nullptr)
        return result;
    const float x = area.centre[0] + modelOffset[0];
    const float y = area.centre[1] + modelOffset[1];
    const float z = area.origin[2] + modelOffset[2];
    float place[16];
    float shadowPlace[16];
    float identity[16];
    ReachProjector::translation(x, y, z, place);
    ReachProjector::translation(x, y, z + kShadowLift, shadowPlace);
    ReachProjector::identity(identity);
    result.unite(modelReach(projector, place, shadowPlace, identity, ReachProjector::modelBounds(*controlModel)));
    return result;
}

void cOnOffButton::placeModel(float zLift) const
{
    glTranslatef(area.centre[0] + modelOffset[0], area.centre[1] + modelOffset[1],
                 area.origin[2] + modelOffset[2] + zLift);
}

void cOnOffButton::drawMeshSet(const std::vector<std::size_t>& meshes) const
{
    const ModelBank& models = owner.resources().models();
    for (std::size_t mesh : meshes)
        models.drawMesh(*controlModel, mesh);
}

void cOnOffButton::draw()
{
    beginModelPass();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glLoadIdentity();
    glTranslatef(area.centre[0], area.centre[1], area.origin[2]);
    drawDepthWalls();
    glLoadIdentity();
    placeModel(0.0f);
    glEnable(GL_TEXTURE_2D);
    glColor4fv(colour);
    if (controlModel != nullptr && hasSlot())
    {
        const std::vector<std::size_t>& meshes = getValue(0) != 0.0f ? onSet : offSet;
        drawMeshSet(meshes);
        if (hasStyle(StyleShadow))
            castShadow([&] { placeModel(kShadowLift); }, [] {}, [&] { drawMeshSet(meshes); });
    }
    glPopMatrix();
}
