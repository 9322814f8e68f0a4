#include "glgui/SharedSkinTextures.h"

#include "glgui/OpenGL.h"
#include "glgui/SkinData.h"

#include <algorithm>

std::shared_ptr<SharedSkinTextures> SharedSkinTextures::forSkin(const SkinData& skin, const SkinData* dense)
{
    // Every editor of the process runs on the host's GUI thread.
    static std::vector<std::weak_ptr<SharedSkinTextures>> sets;
    sets.erase(std::remove_if(sets.begin(), sets.end(), [](const auto& set) { return set.expired(); }), sets.end());
    for (const std::weak_ptr<SharedSkinTextures>& held : sets)
    {
        std::shared_ptr<SharedSkinTextures> set = held.lock();
        if (set->skin == &skin && set->dense == dense)
            return set;
    }
    auto set = std::make_shared<SharedSkinTextures>(skin, dense);
    sets.push_back(set);
    return set;
}

SharedSkinTextures::SharedSkinTextures(const SkinData& skinData, const SkinData* denseSkin)
    : skin(&skinData), dense(denseSkin), names(skinData.textures().size(), 0)
{
}

SharedSkinTextures::~SharedSkinTextures()
{
    for (unsigned int name : names)
    {
        if (name != 0)
            glDeleteTextures(1, &name);
    }
}
