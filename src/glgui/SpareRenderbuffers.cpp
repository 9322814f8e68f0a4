#include "glgui/SpareRenderbuffers.h"

#include "glgui/OpenGL.h"

std::shared_ptr<SpareRenderbuffers> SpareRenderbuffers::shared()
{
    // Every editor of the process runs on the host's GUI thread.
    static std::weak_ptr<SpareRenderbuffers> processSpare;
    std::shared_ptr<SpareRenderbuffers> spare = processSpare.lock();
    if (spare == nullptr)
    {
        spare = std::make_shared<SpareRenderbuffers>();
        processSpare = spare;
    }
    return spare;
}

SpareRenderbuffers::~SpareRenderbuffers()
{
    deleteKept();
}

void SpareRenderbuffers::keep(unsigned int colour, unsigned int depthStencil, int width, int height)
{
    deleteKept();
    keptColour = colour;
    keptDepthStencil = depthStencil;
    keptWidth = width;
    keptHeight = height;
}

bool SpareRenderbuffers::take(int width, int height, unsigned int& colour, unsigned int& depthStencil)
{
    if (keptColour == 0 || width != keptWidth || height != keptHeight)
        return false;
    colour = keptColour;
    depthStencil = keptDepthStencil;
    keptColour = 0;
    keptDepthStencil = 0;
    return true;
}

void SpareRenderbuffers::deleteKept()
{
    if (keptColour != 0)
        glDeleteRenderbuffers(1, &keptColour);
    if (keptDepthStencil != 0)
        glDeleteRenderbuffers(1, &keptDepthStencil);
    keptColour = 0;
    keptDepthStencil = 0;
}
