#pragma once

#include <cstdint>

namespace platform
{

// A loaded ELF object (the program or a shared library) as the dynamic loader lists it.
struct LoadedObject
{
    const char* name = nullptr;           // the loader's file name; empty for the program
    std::uintptr_t start = 0;             // lowest address of its loaded segments
    std::uintptr_t end = 0;               // end of its highest loaded segment
    const void* ehFrameHeader = nullptr;  // its exception-handling index, when it has one
};

// Fills `object` with the loaded object whose segments hold `address`. Never allocates, so
// the stack unwinder may call it while an exception is on its way.
bool findLoadedObject(const void* address, LoadedObject& object);

}  // namespace platform
