#pragma once

// One format's way of handing a host's saved state back to the plug-in, for the state fuzz
// target: each format is a row, and the target holds every row to the same rules.
#include <cstddef>
#include <cstdint>
#include <vector>

class FuzzedState
{
public:
    // What the format did with an input, and what its rules say it should have done.
    struct Offer
    {
        bool taken;
        bool allowed;
    };

    virtual ~FuzzedState() = default;

    // Back to the default setting, so each input starts alike.
    virtual void reset() = 0;
    // The state as the format's host would save it now.
    virtual std::vector<unsigned char> saved() = 0;
    // Hands the input to the plug-in as the format's host would, shaped by its first bytes.
    virtual Offer offer(const std::uint8_t* data, std::size_t size) = 0;
    // Every value a host reads is in range, and a few blocks of noise come out finite;
    // aborts otherwise, so libFuzzer keeps the input.
    virtual void requireSaneState() = 0;
};
