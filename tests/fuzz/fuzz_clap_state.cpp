// libFuzzer target: arbitrary bytes as a CLAP host's state stream, handed over in pieces of a
// size the input picks and, if the input says so, failing part-way. Only one whole program
// chunk read without a failure may be taken; anything else is refused with the state as it
// was. After either, every parameter is finite and a block of noise comes out finite.
#include "ClapEventList.h"
#include "ClapHost.h"
#include "ClapMemoryStreams.h"
#include "FuzzNoise.h"
#include "clapshell/ClapEffect.h"
#include "effect/StateChunks.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{

constexpr std::uint32_t kFrames = 3 * 2048;
constexpr std::uint32_t kBlock = 512;

class FuzzedClapEffect
{
public:
    FuzzedClapEffect() : effect(host.host(), clap::Plugin{})
    {
        if (!effect.init() || !effect.activate(44100.0) || !effect.startProcessing())
            std::abort();
        defaultState = saved();
    }

    std::vector<unsigned char> saved()
    {
        ClapMemoryWriter writer;
        if (!effect.saveState(*writer.stream()))
            std::abort();
        return writer.bytes();
    }

    bool load(ClapMemoryReader& reader) { return effect.loadState(*reader.stream()); }

    void reset()
    {
        ClapMemoryReader reader(defaultState);
        if (!load(reader))
            std::abort();
    }

    void requireSaneState()
    {
        for (clap::Id id = 0; id < 42; ++id)
        {
            double value = 0.0;
            // Within the range the host was told, whatever the stream held.
            if (!effect.parameterValue(id, value) || !(value >= 0.0 && value <= 1.0))
                std::abort();
        }
        FuzzNoise noise(kFrames);
        const auto processBlock = [this](float** channels, std::size_t length)
        {
            const clap::AudioBuffer input{channels, nullptr, 2, 0, 0};
            clap::AudioBuffer output{channels, nullptr, 2, 0, 0};
            const auto frames = static_cast<std::uint32_t>(length);
            const clap::Process block{
                -1, frames, nullptr, &input, &output, 1, 1, events.inputEvents(), events.outputEvents()};
            effect.process(block);
        };
        noise.playInBlocks(kBlock, processBlock);
        if (!noise.allFinite())
            std::abort();
    }

private:
    ClapHost host;
    ClapEffect effect;
    ClapEventList events;
    std::vector<unsigned char> defaultState;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzedClapEffect fuzzed;
    if (size < 2)
        return 0;
    fuzzed.reset();
    const std::vector<unsigned char> before = fuzzed.saved();

    // The first byte picks the piece size, the second where (if at all) the stream fails;
    // the rest is the stream. A stream of exactly one chunk is made likely by padding a
    // shorter input when the low bit of the first byte is set.
    const std::size_t pieceSize = 1 + data[0] / 2 * 23;
    std::vector<unsigned char> stream(data + 2, data + size);
    if ((data[0] & 1) != 0 && stream.size() < static_cast<std::size_t>(kProgramChunkSize))
        stream.resize(kProgramChunkSize, 0);
    const bool fails = data[1] < 64;
    const std::size_t failAt = static_cast<std::size_t>(data[1]) * 43;
    ClapMemoryReader reader(stream, pieceSize);
    if (fails)
        reader.failAfter(failAt);

    const bool taken = fuzzed.load(reader);
    const bool whole =
        stream.size() == static_cast<std::size_t>(kProgramChunkSize) && (!fails || failAt > stream.size());
    if (taken != whole)
        std::abort();
    if (!taken && fuzzed.saved() != before)
        std::abort();
    fuzzed.requireSaneState();
    return 0;
}
