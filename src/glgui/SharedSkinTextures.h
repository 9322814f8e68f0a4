#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class SkinData;

// The skin's images as GL textures, one set for every editor of the process whose GL objects
// are one context's (platform::SharedGlContext): uploaded by the first editor that draws
// them, so a second instance uploads nothing and its textures cost no memory again. One set
// for each skin and density; deleted with its last holder, which must have the context
// current for that.
class SharedSkinTextures
{
public:
    // The set for the skin's textures (drawn from the dense skin's images where it has them;
    // null: none), made now, with no texture uploaded, when nobody holds it.
    static std::shared_ptr<SharedSkinTextures> forSkin(const SkinData& skin, const SkinData* dense);

    SharedSkinTextures(const SkinData& skin, const SkinData* dense);
    ~SharedSkinTextures();
    SharedSkinTextures(const SharedSkinTextures&) = delete;
    SharedSkinTextures& operator=(const SharedSkinTextures&) = delete;

    // The GL texture of the skin's texture at index; 0 until the first holder uploads it.
    unsigned int& name(std::size_t index) { return names[index]; }

private:
    const SkinData* skin;
    const SkinData* dense;
    std::vector<unsigned int> names;
};
