#include "glgui/ModelBank.h"

#include "base/AsciiCase.h"
#include "glgui/OpenGL.h"
#include "glgui/SkinData.h"
#include "glgui/TextureBank.h"

namespace
{

constexpr GLfloat kZeroColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr GLfloat kOpaqueBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

void resetSpecular()
{
    glMaterialfv(GL_FRONT, GL_SPECULAR, kZeroColour);
    glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
}

void drawTriangles(const Mesh3DS& mesh)
{
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.faces.size()), GL_UNSIGNED_SHORT, mesh.faces.data());
}

}  // namespace

const Model3DS* ModelBank::findModel(std::string_view name) const
{
    if (skinData == nullptr)
        return nullptr;
    const auto found = skinData->models().find(toLowerAscii(name));
    return found == skinData->models().end() ? nullptr : &found->second;
}

void ModelBank::applyMaterial(const Model3DS& model, const Mesh3DS& mesh, float alpha) const
{
    if (mesh.materialIndex < 0 || static_cast<std::size_t>(mesh.materialIndex) >= model.materials.size())
    {
        glDisable(GL_TEXTURE_2D);
        glMaterialfv(GL_FRONT, GL_EMISSION, kZeroColour);
        return;
    }
    const Material3DS& material = model.materials[static_cast<std::size_t>(mesh.materialIndex)];
    glShadeModel(material.faceted ? GL_FLAT : GL_SMOOTH);
    const GLfloat selfColour[4] = {material.red, material.green, material.blue, 0.0f};
    glMaterialfv(GL_FRONT, GL_EMISSION, material.notLit ? selfColour : kZeroColour);
    if (!material.mapName.empty())
    {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, textureBank.getTexture(material.mapName));
    }
    else
    {
        glDisable(GL_TEXTURE_2D);
    }
    glColor4f(material.red, material.green, material.blue, alpha < 0.0f ? material.opacity : alpha);
    if (material.shininessStrength > 0.0f)
    {
        const float s = material.shininessStrength;
        const GLfloat specular[4] = {s, s, s, 1.0f};
        glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
        glMaterialf(GL_FRONT, GL_SHININESS, material.shininess);
    }
    else
    {
        resetSpecular();
    }
}

void ModelBank::drawModel(const Model3DS& model) const
{
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glMatrixMode(GL_MODELVIEW);
    for (const Mesh3DS& mesh : model.meshes)
    {
        glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
        glVertexPointer(3, GL_FLOAT, 0, mesh.vertices.data());
        // A mesh without coordinates reads none: the array stays off for it.
        if (!mesh.texCoords.empty())
        {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_FLOAT, 0, mesh.texCoords.data());
        }
        else
        {
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
        applyMaterial(model, mesh, 1.0f);
        if (sending)
            if (sending)
                drawTriangles(mesh);
        resetSpecular();
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glMaterialfv(GL_FRONT, GL_EMISSION, kZeroColour);
}

void ModelBank::drawMesh(const Model3DS& model, std::size_t meshIndex) const
{
    if (meshIndex >= model.meshes.size())
        return;
    const Mesh3DS& mesh = model.meshes[meshIndex];
    glEnable(GL_LIGHTING);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
    glVertexPointer(3, GL_FLOAT, 0, mesh.vertices.data());
    if (!mesh.texCoords.empty())
    {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, mesh.texCoords.data());
    }
    applyMaterial(model, mesh, -1.0f);
    drawTriangles(mesh);
    resetSpecular();
    glMaterialfv(GL_FRONT, GL_EMISSION, kOpaqueBlack);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}
