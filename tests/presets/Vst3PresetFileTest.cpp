// The VST3 preset file, read by hand by the layout VST3 hosts read: header, the component
// state as our program chunk, and the chunk list pointing at it.
#include "presets/Vst3PresetFile.h"
#include "PresetBytes.h"
#include "identity/EffectIdentity.h"
#include "presets/FactoryPresets.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(Vst3PresetFile, HoldsTheProgramChunkAsTheComponentState)
{
    const ProgramChunk chunk = factoryChunk(factoryPresets()[0]);
    const std::vector<std::uint8_t> bytes = writeVst3Preset(chunk);
    ASSERT_GE(bytes.size(), 48u);
    EXPECT_EQ(textAt(bytes, 0, 4), "VST3");
    EXPECT_EQ(littleEndianAt(bytes, 4, 4), 1u);
    std::string classId;
    for (const std::uint8_t byte : kEffectIdentity.vst3ClassId)
    {
        char digits[3];
        std::snprintf(digits, sizeof(digits), "%02X", byte);
        classId += digits;
    }
    EXPECT_EQ(textAt(bytes, 8, 32), classId);
    EXPECT_EQ(vst3PresetClassId(), classId);

    const std::uint64_t list = littleEndianAt(bytes, 40, 8);
    ASSERT_LE(list + 8, bytes.size());
    EXPECT_EQ(textAt(bytes, list, 4), "List");
    const std::uint64_t entries = littleEndianAt(bytes, list + 4, 4);
    EXPECT_EQ(bytes.size(), list + 8 + entries * 20) << "the list ends the file";
    bool foundComponent = false;
    for (std::uint64_t i = 0; i < entries; ++i)
    {
        const std::size_t entry = list + 8 + i * 20;
        const std::string id = textAt(bytes, entry, 4);
        const std::uint64_t offset = littleEndianAt(bytes, entry + 4, 8);
        const std::uint64_t size = littleEndianAt(bytes, entry + 12, 8);
        ASSERT_LE(offset + size, list) << id << " lies in the data area";
        if (id == "Comp")
        {
            foundComponent = true;
            ASSERT_EQ(size, chunk.size());
            EXPECT_TRUE(std::equal(chunk.begin(), chunk.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset)));
        }
        else
        {
            EXPECT_EQ(id, "Cont");
            EXPECT_EQ(size, 0u) << "our controller keeps no state of its own";
        }
    }
    EXPECT_TRUE(foundComponent);
}
