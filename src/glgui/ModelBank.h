#pragma once

#include "glgui/Model3DS.h"

#include <map>
#include <string>
#include <string_view>

class SkinFiles;
class TextureBank;

// The editor's 3D models by case-insensitive file name, parsed once and drawn with
// fixed-function lighting from client-side vertex arrays (no GL objects to manage).
class ModelBank
{
public:
    explicit ModelBank(const TextureBank& textures) : textureBank(textures) {}

    // Parses the file; a missing file registers nothing.
    void loadModel(SkinFiles& files, std::string_view name);
    const Model3DS* findModel(std::string_view name) const;
    // Writable, for controls that animate a material.
    Model3DS* findModel(std::string_view name);

    // GL side, with the editor's context current.
    void drawModel(const Model3DS& model) const;
    void drawMesh(const Model3DS& model, std::size_t meshIndex) const;

    void clear() { models.clear(); }
    std::size_t size() const { return models.size(); }

private:
    void applyMaterial(const Model3DS& model, const Mesh3DS& mesh, float alpha) const;

    const TextureBank& textureBank;
    std::map<std::string, Model3DS> models;
};
