#include "platform/x11/LoadedObjects.h"

#include <link.h>

namespace platform
{

namespace
{

struct Search
{
    std::uintptr_t address = 0;
    LoadedObject* object = nullptr;
    bool found = false;
};

int takeObjectHoldingAddress(dl_phdr_info* info, std::size_t, void* data)
{
    auto& search = *static_cast<Search*>(data);
    LoadedObject candidate;
    candidate.name = info->dlpi_name != nullptr ? info->dlpi_name : "";
    candidate.start = UINTPTR_MAX;
    bool holds = false;
    for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i)
    {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
        if (segment.p_type == PT_LOAD)
        {
            holds = holds || (search.address >= start && search.address - start < segment.p_memsz);
            candidate.start = start < candidate.start ? start : candidate.start;
            candidate.end = start + segment.p_memsz > candidate.end ? start + segment.p_memsz : candidate.end;
        }
        else if (segment.p_type == PT_GNU_EH_FRAME)
        {
            candidate.ehFrameHeader = reinterpret_cast<const void*>(start);
        }
    }
    if (!holds)
        return 0;
    *search.object = candidate;
    search.found = true;
    return 1;
}

}  // namespace

bool findLoadedObject(const void* address, LoadedObject& object)
{
    Search search;
    search.address = reinterpret_cast<std::uintptr_t>(address);
    search.object = &object;
    dl_iterate_phdr(takeObjectHoldingAddress, &search);
    return search.found;
}

}  // namespace platform
