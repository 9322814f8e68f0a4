// What a hostile host or bad data does to the module: non-finite and huge samples, garbage
// parameter values and chunks, odd sample rates. Nothing may leave the instance broken.
#include "HostEffect.h"
#include "support/TestSignals.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace
{

constexpr std::size_t kFrame = 2048;
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kLargest = std::numeric_limits<float>::max();
constexpr int kParameters = 42;

// Largest magnitude in [from, to) of both channels; infinity when any sample is not finite.
float peakOf(const StereoSignal& signal, std::size_t from, std::size_t to)
{
    float peak = 0.0f;
    for (std::size_t i = from; i < to; ++i)
    {
        for (float sample : {signal.left[i], signal.right[i]})
        {
            if (!std::isfinite(sample))
                return kInfinity;
            peak = std::max(peak, std::fabs(sample));
        }
    }
    return peak;
}

double rmsOf(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

StereoSignal processed(const EffectInstance& instance, StereoSignal signal)
{
    instance.process(signal.left, signal.right);
    return signal;
}

StereoSignal stereoSine(std::size_t length, double frequency, float amplitude)
{
    return {sine(length, frequency, 44100.0, amplitude), sine(length, frequency * 1.5, 44100.0, amplitude)};
}

class HostHardening : public HostEffect
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(HostEffect::SetUp());
        instance.resumeAt(44100.0f);
        reference.resumeAt(44100.0f);
    }

    // The same input, with neither bad data nor a bad value, through a clean instance.
    EffectInstance reference;
};

// A bad sample counts as silence: the output is exactly that of the input with zeros in
// its place, during and long after the fault, and after suspend + resume.
TEST_F(HostHardening, NonFiniteInputSamplesActAsSilence)
{
    for (float bad : {kNaN, kInfinity, -kInfinity})
    {
        EffectInstance faulty;
        EffectInstance clean;
        faulty.resumeAt(44100.0f);
        clean.resumeAt(44100.0f);
        StereoSignal input = stereoNoise(8 * kFrame, 0.5f);
        StereoSignal zeroed = input;
        for (std::size_t i = 5000; i < 5000 + 300; i += 7)
        {
            input.left[i] = bad;
            zeroed.left[i] = 0.0f;
        }
        input.right[9000] = bad;
        zeroed.right[9000] = 0.0f;
        const StereoSignal out = processed(faulty, input);
        const StereoSignal expected = processed(clean, zeroed);
        ASSERT_EQ(std::memcmp(out.left.data(), expected.left.data(), out.left.size() * sizeof(float)), 0) << bad;
        ASSERT_EQ(std::memcmp(out.right.data(), expected.right.data(), out.right.size() * sizeof(float)), 0) << bad;

        // Silence afterwards is silence again, before and after suspend + resume.
        const StereoSignal silent{std::vector<float>(6 * kFrame), std::vector<float>(6 * kFrame)};
        EXPECT_LT(peakOf(processed(faulty, silent), 3 * kFrame, 6 * kFrame), 1e-6f) << bad;
        faulty.resumeAt(44100.0f);
        EXPECT_LT(peakOf(processed(faulty, silent), 3 * kFrame, 6 * kFrame), 1e-6f) << bad;
    }
}

// One absurdly loud sample may clip, but steady content comes back within a few frames.
TEST_F(HostHardening, HugeInputSampleDoesNotSilenceSteadyContent)
{
    const StereoSignal input = stereoSine(16 * kFrame, 1000.0, 0.25f);
    for (float huge : {2e19f, -1e30f, kLargest})
    {
        StereoSignal spiked = input;
        spiked.left[4 * kFrame + 100] = huge;
        spiked.right[4 * kFrame + 900] = huge;
        EffectInstance faulty;
        EffectInstance clean;
        faulty.resumeAt(44100.0f);
        clean.resumeAt(44100.0f);
        const StereoSignal out = processed(faulty, spiked);
        const StereoSignal expected = processed(clean, input);
        ASSERT_LE(peakOf(out, 0, out.left.size()), 1.0f) << huge;
        // The spike leaves the analysis after two frames; allow two more to settle.
        const std::size_t from = 9 * kFrame;
        const std::size_t to = out.left.size();
        EXPECT_NEAR(rmsOf(out.left, from, to), rmsOf(expected.left, from, to), 0.1 * rmsOf(expected.left, from, to))
            << huge;
        EXPECT_NEAR(rmsOf(out.right, from, to), rmsOf(expected.right, from, to), 0.1 * rmsOf(expected.right, from, to))
            << huge;
    }
}

TEST_F(HostHardening, NonFiniteParameterValuesAreIgnored)
{
    for (int index = 0; index < kParameters; ++index)
    {
        const float before = instance.getParameter(index);
        for (float bad : {kNaN, kInfinity, -kInfinity})
        {
            instance.setParameter(index, bad);
            ASSERT_EQ(instance.getParameter(index), before) << "parameter " << index << " value " << bad;
        }
    }
    // The curve is rebuilt with the unchanged points: the sound is what it was.
    const StereoSignal input = stereoNoise(6 * kFrame, 0.5f);
    const StereoSignal out = processed(instance, input);
    const StereoSignal expected = processed(reference, input);
    EXPECT_EQ(std::memcmp(out.left.data(), expected.left.data(), out.left.size() * sizeof(float)), 0);
}

// Finite but absurd values are stored as sent; the sound stays finite and is back to normal
// once sane values return.
TEST_F(HostHardening, AbsurdParameterValuesKeepTheOutputFiniteAndRecover)
{
    const StereoSignal input = stereoNoise(12 * kFrame, 0.5f);
    const StereoSignal expected = processed(reference, input);
    const std::size_t settled = 8 * kFrame;
    const double expectedRms = rmsOf(expected.left, settled, input.left.size());
    for (float absurd : {kLargest, -kLargest, 1e30f, -1e30f, 1e9f})
    {
        EffectInstance faulty;
        faulty.resumeAt(44100.0f);
        for (int index = 0; index < kParameters; ++index)
            faulty.setParameter(index, absurd);
        EXPECT_EQ(faulty.getParameter(4), absurd);
        ASSERT_LT(peakOf(processed(faulty, stereoNoise(4 * kFrame, 0.5f)), 0, 4 * kFrame), kInfinity) << absurd;
        for (int index = 0; index < kParameters; ++index)
            faulty.setParameter(index, reference.getParameter(index));
        const StereoSignal out = processed(faulty, input);
        ASSERT_LE(peakOf(out, settled, input.left.size()), 1.0f) << absurd;
        EXPECT_NEAR(rmsOf(out.left, settled, input.left.size()), expectedRms, 0.1 * expectedRms) << absurd;
    }
}

// Shape alone at an absurd value, then back to its default: the smoothed shape follows.
TEST_F(HostHardening, ShapeRecoversFromAnAbsurdValue)
{
    for (float absurd : {kLargest, -kLargest, 1e30f, -1e30f})
    {
        EffectInstance faulty;
        EffectInstance clean;
        faulty.resumeAt(44100.0f);
        clean.resumeAt(44100.0f);
        faulty.setParameter(4, absurd);
        EXPECT_LT(peakOf(processed(faulty, stereoNoise(4 * kFrame, 0.5f)), 0, 4 * kFrame), 10.0f) << absurd;
        faulty.setParameter(4, 0.0f);
        const StereoSignal input = stereoNoise(16 * kFrame, 0.5f);
        const StereoSignal out = processed(faulty, input);
        const StereoSignal expected = processed(clean, input);
        for (std::size_t i = 12 * kFrame; i < input.left.size(); ++i)
            ASSERT_NEAR(out.left[i], expected.left[i], 1e-3f) << absurd << " at " << i;
    }
}

// A chunk holding extreme finite values, then the default bank and suspend + resume.
TEST_F(HostHardening, ExtremeChunkValuesDoNotPoisonTheEngine)
{
    const auto defaults = reference.chunk(false);
    const StereoSignal input = stereoNoise(12 * kFrame, 0.5f);
    const StereoSignal expected = processed(reference, input);
    const std::size_t settled = 8 * kFrame;
    const double expectedRms = rmsOf(expected.left, settled, input.left.size());
    const float pattern[] = {kLargest, -1e30f, 1e30f, -kLargest, 3e9f, -7.5f};
    for (std::size_t shift = 0; shift < std::size(pattern); ++shift)
    {
        auto extreme = defaults;
        for (int i = 0; i < kParameters; ++i)
            std::memcpy(extreme.data() + 4 + 4 * i, &pattern[(i + shift) % std::size(pattern)], sizeof(float));
        ASSERT_EQ(instance.restore(extreme, false), 1);
        ASSERT_LT(peakOf(processed(instance, stereoNoise(4 * kFrame, 0.5f)), 0, 4 * kFrame), kInfinity) << shift;
        ASSERT_EQ(instance.restore(defaults, false), 1);
        instance.resumeAt(44100.0f);
        const StereoSignal out = processed(instance, input);
        ASSERT_LE(peakOf(out, settled, input.left.size()), 1.0f) << shift;
        EXPECT_NEAR(rmsOf(out.left, settled, input.left.size()), expectedRms, 0.1 * expectedRms) << shift;
    }
}

// Every real rate runs the whole chain; the sanitizer builds also catch any read outside a
// table (the display tables once did so below about 39.7 kHz).
TEST_F(HostHardening, EveryRealSampleRateRunsTheWholeChain)
{
    for (float rate : {8000.0f, 11025.0f, 16000.0f, 22050.0f, 32000.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f,
                       176400.0f, 192000.0f, 384000.0f})
    {
        instance.resumeAt(rate);
        EXPECT_EQ(instance.effect()->initialDelay, rate > 63999.0f ? 4097 : 2049) << rate;
        instance.setParameter(1, 1.0f);
        instance.setParameter(2, 1.0f);
        instance.setParameter(3, 1.0f);
        const StereoSignal out = processed(instance, stereoNoise(6 * kFrame, 0.5f));
        const float peak = peakOf(out, 0, out.left.size());
        ASSERT_LE(peak, 1.0f) << rate;
        EXPECT_GT(peak, 0.01f) << rate;
    }
}

// Absurd but positive rates still process; rates that are not finite or not positive are
// refused and the previous rate stays.
TEST_F(HostHardening, AbsurdSampleRatesNeitherCrashNorStick)
{
    for (float rate : {1e-40f, 0.001f, 1.0f, 10.0f, 100.0f, 3e9f, 1e30f, kLargest})
    {
        instance.resumeAt(rate);
        EXPECT_EQ(instance.effect()->initialDelay, rate > 63999.0f ? 4097 : 2049) << rate;
        ASSERT_LT(peakOf(processed(instance, stereoNoise(3 * kFrame, 0.5f)), 0, 3 * kFrame), kInfinity) << rate;
    }
    for (float refused : {kInfinity, -kInfinity, kNaN, 0.0f, -44100.0f})
    {
        EffectInstance probe;
        EffectInstance plain;
        probe.resumeAt(96000.0f);
        plain.resumeAt(96000.0f);
        probe.resumeAt(refused);
        plain.resumeAt(96000.0f);
        EXPECT_EQ(probe.effect()->initialDelay, 4097) << refused;
        const StereoSignal input = stereoNoise(5 * kFrame, 0.5f);
        const StereoSignal out = processed(probe, input);
        const StereoSignal expected = processed(plain, input);
        EXPECT_EQ(std::memcmp(out.left.data(), expected.left.data(), out.left.size() * sizeof(float)), 0) << refused;
    }
}

// The chunk handed out is a copy: what the host got stays as it was while parameters move.
TEST_F(HostHardening, SavedChunkIsASnapshotStableUntilTheNextCall)
{
    for (bool isPreset : {true, false})
    {
        void* data = nullptr;
        const VstIntPtr size = instance.dispatch(effGetChunk, isPreset ? 1 : 0, 0, &data);
        ASSERT_GT(size, 0);
        const std::vector<unsigned char> atCall(static_cast<unsigned char*>(data),
                                                static_cast<unsigned char*>(data) + size);
        instance.setParameter(1, isPreset ? 0.9f : 0.2f);
        EXPECT_EQ(std::memcmp(data, atCall.data(), atCall.size()), 0) << "preset " << isPreset;
        const auto next = instance.chunk(isPreset);
        EXPECT_NE(next, atCall) << "a new call shows the new value";
    }
}

}  // namespace
