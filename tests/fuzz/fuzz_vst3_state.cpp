// libFuzzer target: arbitrary bytes as a VST3 host's state stream, given to the component's
// setState and the controller's setComponentState, failing part-way if the input says so.
// Only one whole program chunk read without a failure may be taken; anything else is
// refused with the state as it was. After either, every parameter reads within 0..1 and a
// block of noise comes out finite.
#include "FuzzNoise.h"
#include "Vst3MemoryStream.h"
#include "Vst3StereoProcessData.h"
#include "effect/StateChunks.h"
#include "vst3shell/Vst3Effect.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{

constexpr std::int32_t kFrames = 3 * 2048;
constexpr std::int32_t kBlock = 512;

class FuzzedVst3Effect
{
public:
    FuzzedVst3Effect() : effect(Vst3Effect::create())
    {
        vst3::ProcessSetup setup = data.setup(44100.0, kBlock);
        if (effect == nullptr || effect->initialize(nullptr) != vst3::kResultOk ||
            effect->setupProcessing(setup) != vst3::kResultOk || effect->setActive(true) != vst3::kResultOk)
            std::abort();
        defaultState = saved();
    }

    ~FuzzedVst3Effect()
    {
        effect->terminate();
        effect->release();
    }

    std::vector<unsigned char> saved()
    {
        Vst3MemoryStream stream;
        if (effect->getState(stream.stream()) != vst3::kResultOk)
            std::abort();
        return stream.bytes();
    }

    // Through the component, or through the controller.
    bool load(Vst3MemoryStream& stream, bool asComponentState)
    {
        const vst3::tresult result =
            asComponentState ? effect->setComponentState(stream.stream()) : effect->setState(stream.stream());
        return result == vst3::kResultOk;
    }

    void reset()
    {
        Vst3MemoryStream stream(defaultState);
        if (!load(stream, false))
            std::abort();
    }

    void requireSaneState()
    {
        for (vst3::ParamId id = 0; id < 42; ++id)
        {
            const vst3::ParamValue value = effect->parameterValue(id);
            if (!(value >= 0.0 && value <= 1.0))
                std::abort();
        }
        FuzzNoise noise(kFrames);
        noise.playInBlocks(kBlock,
                           [this](float** channels, std::size_t length)
                           {
                               if (effect->process(data.prepare(channels, channels,
                                                                static_cast<std::int32_t>(length))) != vst3::kResultOk)
                                   std::abort();
                           });
        if (!noise.allFinite())
            std::abort();
    }

private:
    Vst3Effect* effect;
    Vst3StereoProcessData data;
    std::vector<unsigned char> defaultState;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzedVst3Effect fuzzed;
    if (size < 2)
        return 0;
    fuzzed.reset();
    const std::vector<unsigned char> before = fuzzed.saved();

    // The first byte picks the way in (its second bit) and, with its low bit, pads a shorter
    // input to one chunk's length, which makes a whole chunk likely; the second byte says where
    // (if at all) the stream fails; the rest is the stream.
    const bool asComponentState = (data[0] & 2) != 0;
    std::vector<unsigned char> bytes(data + 2, data + size);
    if ((data[0] & 1) != 0 && bytes.size() < static_cast<std::size_t>(kProgramChunkSize))
        bytes.resize(kProgramChunkSize, 0);
    const bool fails = data[1] < 64;
    const std::size_t failAt = static_cast<std::size_t>(data[1]) * 43;
    Vst3MemoryStream stream(bytes);
    if (fails)
        stream.failAfter(failAt);

    const bool taken = fuzzed.load(stream, asComponentState);
    // A failure after the last byte only keeps the stream from telling that nothing follows.
    const bool whole =
        bytes.size() == static_cast<std::size_t>(kProgramChunkSize) && (!fails || failAt >= bytes.size());
    if (taken != whole)
        std::abort();
    if (!taken && fuzzed.saved() != before)
        std::abort();
    fuzzed.requireSaneState();
    return 0;
}
