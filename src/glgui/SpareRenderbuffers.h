#pragma once

#include <memory>

// The colour and depth-stencil buffers of the last offscreen picture a closed editor let go,
// kept for the next opening at the same size: a software renderer clears new ones, and at
// 200 % their 10 MB of fresh pages cost a reopening more than the rest of it. One for the
// whole process, held by every editor whose GL objects are the process context's, so at
// most one picture's memory is kept while no editor is open; deleted with the last holder,
// which must have the context current.
class SpareRenderbuffers
{
public:
    // The process's, made now, empty, when nobody holds it.
    static std::shared_ptr<SpareRenderbuffers> shared();

    SpareRenderbuffers() = default;
    ~SpareRenderbuffers();
    SpareRenderbuffers(const SpareRenderbuffers&) = delete;
    SpareRenderbuffers& operator=(const SpareRenderbuffers&) = delete;

    // Keeps these renderbuffers of width x height, deleting what it kept before.
    void keep(unsigned int colour, unsigned int depthStencil, int width, int height);
    // Hands over what it keeps when it is of width x height: true, with the names, and it
    // keeps nothing; else false.
    bool take(int width, int height, unsigned int& colour, unsigned int& depthStencil);

private:
    void deleteKept();

    unsigned int keptColour = 0;
    unsigned int keptDepthStencil = 0;
    int keptWidth = 0;
    int keptHeight = 0;
};
