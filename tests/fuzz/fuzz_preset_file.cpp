// libFuzzer target: arbitrary bytes as a user's preset file (.fxp), as the preset browser,
// the CLAP preset loader and vantor-render read them; an accepted one is written back and
// must read the same, and its chunk is restored as a host's setChunk would.
#include "effect/StateChunks.h"
#include "params/ParameterTable.h"
#include "presets/FxpFile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FxpReading reading = readFxp(std::span<const std::uint8_t>(data, size));
    if (!reading.accepted())
    {
        if (fxpProblemText(reading.problem) == nullptr)
            std::abort();
        return 0;
    }
    if (size != kFxpFileBytes || reading.name.size() > kFxpLongestName)
        std::abort();
    const FxpReading again = readFxp(writeFxp(reading.name, reading.chunk));
    if (!again.accepted() || again.name != reading.name || again.chunk != reading.chunk)
        std::abort();

    ProgramStore store{};
    if (!restoreChunk(store, 0, reading.chunk.data(), kProgramChunkSize, true))
        std::abort();
    for (int i = 0; i < kNumParameters; ++i)
    {
        if (!std::isfinite(store.programs[0].value[i]))
            std::abort();
    }
    return 0;
}
