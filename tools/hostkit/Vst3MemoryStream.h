#pragma once

#include "Vst3HostObject.h"
#include "vst3/Vst3Stream.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

// A state stream over memory, as a host hands one to getState and setState: one position
// for reading and writing, anywhere from the start to the end of what it holds. failAfter makes it fail once that many
// bytes have gone through it either way, as a broken disk or network would: the call that reaches the point moves what
// comes before it, every later one moves nothing and answers kResultFalse.
class Vst3MemoryStream : public Vst3HostObject
{
public:
    explicit Vst3MemoryStream(std::vector<unsigned char> content = {});

    vst3::IBStream* stream() { return &offered.view; }
    void failAfter(std::size_t byteCount) { failPosition = byteCount; }
    const std::vector<unsigned char>& bytes() const { return content; }
    std::int64_t position() const { return streamPosition; }

    vst3::tresult read(void* buffer, std::int32_t byteCount, std::int32_t* bytesRead);
    vst3::tresult write(const void* buffer, std::int32_t byteCount, std::int32_t* bytesWritten);
    vst3::tresult seek(std::int64_t position, std::int32_t mode, std::int64_t* newPosition);
    vst3::tresult tell(std::int64_t* position);

private:
    struct Entries;

    void* primaryInterface() override { return &offered.view; }
    void* interfaceFor(const vst3::Tuid& iid) override;
    // How much of a call of byteCount bytes may still go through before the failure point.
    std::size_t allowance(std::int32_t byteCount) const;

    std::vector<unsigned char> content;
    std::int64_t streamPosition = 0;
    std::size_t moved = 0;
    std::size_t failPosition = std::numeric_limits<std::size_t>::max();
    Offered<vst3::IBStream> offered;
};
