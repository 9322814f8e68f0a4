#pragma once

#include <cstdint>
#include <vector>

// Byte strings a plug-in must refuse as its state, given its one program chunk and a bank
// chunk: nothing, the chunk one byte short or long, the older 364-byte program form, the
// bank, and garbage of every other length (the same for a given seed).
inline std::vector<std::vector<unsigned char>> statesToRefuse(const std::vector<unsigned char>& chunk,
                                                              const std::vector<unsigned char>& bank,
                                                              std::uint32_t seed)
{
    std::vector<std::vector<unsigned char>> refused = {
        {},
        std::vector<unsigned char>(chunk.begin(), chunk.end() - 1),
        std::vector<unsigned char>(chunk.begin(), chunk.begin() + 364),
        bank,
    };
    refused.push_back(chunk);
    refused.back().push_back(0);
    for (int i = 0; i < 20; ++i)
    {
        seed = seed * 1664525u + 1013904223u;
        std::vector<unsigned char> garbage(seed % 6000);
        for (unsigned char& byte : garbage)
        {
            seed = seed * 1664525u + 1013904223u;
            byte = static_cast<unsigned char>(seed >> 24);
        }
        if (garbage.size() != chunk.size())
            refused.push_back(garbage);
    }
    return refused;
}
