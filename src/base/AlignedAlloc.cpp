#include "base/AlignedAlloc.h"

#include "base/UserMessage.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace
{

// Room for the alignment slack plus the raw address stored just below the aligned block.
constexpr std::size_t kAllocationOverhead = 24;
constexpr std::uintptr_t kAlignmentMask = 15;

}  // namespace

void* namedAlloc(std::size_t count, std::size_t elementSize, const char* /*name*/)
{
    const std::size_t limit = std::numeric_limits<std::size_t>::max() - kAllocationOverhead;
    void* raw = nullptr;
    if (elementSize == 0 || count <= limit / elementSize)
        raw = std::malloc(count * elementSize + kAllocationOverhead);
    if (raw == nullptr)
    {
        // Ending the process here would take the user's whole session down with us; the
        // caller fails its operation instead.
        base::showUserMessage("MISTAKE!", "Memory allocation failed!", base::MessageIcon::Exclamation);
        return nullptr;
    }
    const std::uintptr_t rawAddress = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (rawAddress + kAllocationOverhead) & ~kAlignmentMask;
    std::memcpy(reinterpret_cast<void*>(aligned - sizeof(void*)), &raw, sizeof(void*));
    return reinterpret_cast<void*>(aligned);
}

void alignedFree(void* memory)
{
    if (memory == nullptr)
        return;
    void* raw = nullptr;
    std::memcpy(&raw, static_cast<char*>(memory) - sizeof(void*), sizeof(void*));
    std::free(raw);
}
