#pragma once

#include <cstdint>

// What a host with a main loop of its own lends the editor, in whichever format's terms: a
// periodic timer and a watch on a descriptor that becomes readable. A host may offer
// neither (each answers false); the editor then runs on its window system alone.
class EditorHostLoop
{
public:
    virtual ~EditorHostLoop() = default;

    virtual bool startTimer(std::uint32_t periodMs) = 0;
    virtual void stopTimer() = 0;
    virtual bool watchDescriptor(int fd) = 0;
    virtual void stopWatching(int fd) = 0;
};
