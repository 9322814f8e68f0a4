#pragma once

#include "glgui/Model3DS.h"

#include <string_view>

class SkinData;
class TextureBank;

// The editor's 3D models by case-insensitive file name, parsed in the shared skin and drawn
// with fixed-function lighting from client-side vertex arrays (no GL objects to manage).
class ModelBank
{
public:
    explicit ModelBank(const TextureBank& textures) : textureBank(textures) {}

    // The parsed models to draw from; skin outlives this bank's use of it.
    void attach(const SkinData& skin) { skinData = &skin; }
    // Null when the file was missing or damaged.
    const Model3DS* findModel(std::string_view name) const;

    // GL side, with the editor's context current.
    void drawModel(const Model3DS& model) const;
    void drawMesh(const Model3DS& model, std::size_t meshIndex) const;
    // With sending off, the draw calls set their state as usual but send no triangles:
    // for models a partial frame would clip away whole.
    void setSending(bool on) { sending = on; }

private:
    void applyMaterial(const Model3DS& model, const Mesh3DS& mesh, float alpha) const;

    const TextureBank& textureBank;
    const SkinData* skinData = nullptr;
    bool sending = true;
};
