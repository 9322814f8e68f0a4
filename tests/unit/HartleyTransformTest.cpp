#include "engine/HartleyTransform.h"
#include "base/AlignedAlloc.h"

#include <fftw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <random>
#include <string>
#include <vector>

namespace
{
constexpr double tolerance = 1e-5; // largest error allowed, relative to the RMS of the expected values

// A 16-byte aligned buffer from the engine's allocator, as the engine passes to the transform.
class AlignedFrame
{
public:
    explicit AlignedFrame(const std::vector<float>& values)
        : length(values.size()), data(namedAllocArray<float>(values.size(), "test"))
    {
        if (data == nullptr)
        {
            throw std::bad_alloc();
        }
        std::copy(values.begin(), values.end(), data);
    }
    ~AlignedFrame() { alignedFree(data); }
    AlignedFrame(const AlignedFrame&) = delete;
    AlignedFrame& operator=(const AlignedFrame&) = delete;

    float* get() { return data; }
    std::vector<float> values() const { return std::vector<float>(data, data + length); }

private:
    std::size_t length;
    float* data;
};

std::vector<float> RandomSignal(int length, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    std::vector<float> signal(length);
    for (float& value : signal)
    {
        value = uniform(generator);
    }
    return signal;
}

// FFTW's single-precision DHT, natural order.
std::vector<float> FftwHartley(std::vector<float> input)
{
    const int length = static_cast<int>(input.size());
    std::vector<float> output(length);
    fftwf_plan plan = fftwf_plan_r2r_1d(length, input.data(), output.data(), FFTW_DHT, FFTW_ESTIMATE);
    fftwf_execute(plan);
    fftwf_destroy_plan(plan);
    return output;
}

// The spectral stage's reading of Forward's output, from FFTW's real-to-complex transform
// X[k] = sum x[n] exp(-2 pi i k n / N): bin k holds (1 + i) X[k] = (Re - Im, Re + Im)
// split into positions k and N/2 + k; bin 0 holds the real values X[0] and X[N/2].
std::vector<float> FftwBinPairs(std::vector<float> input)
{
    const int length = static_cast<int>(input.size());
    std::vector<fftwf_complex> spectrum(length / 2 + 1);
    fftwf_plan plan = fftwf_plan_dft_r2c_1d(length, input.data(), spectrum.data(), FFTW_ESTIMATE);
    fftwf_execute(plan);
    fftwf_destroy_plan(plan);

    std::vector<float> pairs(length);
    pairs[0] = spectrum[0][0];
    pairs[length / 2] = spectrum[length / 2][0];
    for (int k = 1; k < length / 2; ++k)
    {
        pairs[k] = spectrum[k][0] - spectrum[k][1];
        pairs[length / 2 + k] = spectrum[k][0] + spectrum[k][1];
    }
    return pairs;
}

// Natural order H[0..N-1] -> Forward's layout: H[k] at k <= N/2, H[N - i] at N/2 + i.
std::vector<float> ToForwardLayout(const std::vector<float>& natural)
{
    const int length = static_cast<int>(natural.size());
    std::vector<float> arranged(natural);
    for (int i = 1; i < length / 2; ++i)
    {
        arranged[length / 2 + i] = natural[length - i];
    }
    return arranged;
}

// The layout change is its own inverse.
std::vector<float> ToNaturalOrder(const std::vector<float>& forwardLayout)
{
    return ToForwardLayout(forwardLayout);
}

double MaxErrorRelativeToRms(const std::vector<float>& actual, const std::vector<float>& expected)
{
    double sumOfSquares = 0.0;
    double maxError = 0.0;
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        sumOfSquares += double(expected[i]) * expected[i];
        maxError = std::max(maxError, std::abs(double(actual[i]) - expected[i]));
    }
    return maxError / std::sqrt(sumOfSquares / expected.size());
}

std::vector<float> Scaled(std::vector<float> values, float factor)
{
    for (float& value : values)
    {
        value *= factor;
    }
    return values;
}

std::vector<std::uint32_t> BitPatterns(const std::vector<float>& values)
{
    std::vector<std::uint32_t> bits(values.size());
    std::memcpy(bits.data(), values.data(), values.size() * sizeof(float));
    return bits;
}

std::vector<int> SupportedLengths()
{
    std::vector<int> lengths;
    for (int length = 8; length <= 32768; length *= 2)
    {
        lengths.push_back(length);
    }
    return lengths;
}

class HartleyTransformTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override { ASSERT_TRUE(transform.Create(N)); }

    const int N = GetParam();
    HartleyTransform transform;
};

TEST_P(HartleyTransformTest, CoreMatchesFftwHartley)
{
    const std::vector<float> signal = RandomSignal(N, 1);
    AlignedFrame buffer(signal);
    transform.Core(buffer.get());
    EXPECT_LT(MaxErrorRelativeToRms(buffer.values(), FftwHartley(signal)), tolerance);
}

TEST_P(HartleyTransformTest, ForwardMatchesFftwHartleyInPairedLayout)
{
    const std::vector<float> signal = RandomSignal(N, 2);
    AlignedFrame buffer(signal);
    transform.Forward(buffer.get());
    EXPECT_LT(MaxErrorRelativeToRms(buffer.values(), ToForwardLayout(FftwHartley(signal))), tolerance);
}

TEST_P(HartleyTransformTest, ForwardBinPairsAreOnePlusITimesFourierCoefficients)
{
    const std::vector<float> signal = RandomSignal(N, 7);
    AlignedFrame buffer(signal);
    transform.Forward(buffer.get());
    EXPECT_LT(MaxErrorRelativeToRms(buffer.values(), FftwBinPairs(signal)), tolerance);
}

TEST_P(HartleyTransformTest, InverseMatchesFftwHartleyOfNaturalOrder)
{
    const std::vector<float> spectrum = RandomSignal(N, 3);
    AlignedFrame buffer(spectrum);
    transform.Inverse(buffer.get());
    EXPECT_LT(MaxErrorRelativeToRms(buffer.values(), FftwHartley(ToNaturalOrder(spectrum))), tolerance);
}

TEST_P(HartleyTransformTest, ForwardThenInverseGivesNTimesInput)
{
    const std::vector<float> signal = RandomSignal(N, 4);
    AlignedFrame buffer(signal);
    transform.Forward(buffer.get());
    transform.Inverse(buffer.get());
    EXPECT_LT(MaxErrorRelativeToRms(buffer.values(), Scaled(signal, float(N))), tolerance);
}

// The processor must never change the sound: AVX gives exactly the SSE2 path's bits.
TEST_P(HartleyTransformTest, AvxPathGivesTheBitsOfTheSse2Path)
{
    if (!transform.usesAvx())
    {
        GTEST_SKIP() << "no AVX on this processor";
    }
    HartleyTransform sse2;
    ASSERT_TRUE(sse2.Create(N, VectorPath::Sse2));
    ASSERT_FALSE(sse2.usesAvx());

    const std::vector<float> signal = RandomSignal(N, 8);
    AlignedFrame wide(signal);
    AlignedFrame narrow(signal);
    transform.Forward(wide.get());
    sse2.Forward(narrow.get());
    EXPECT_EQ(BitPatterns(wide.values()), BitPatterns(narrow.values()));

    const std::vector<float> spectrum = RandomSignal(N, 9);
    AlignedFrame wideInverse(spectrum);
    AlignedFrame narrowInverse(spectrum);
    transform.Inverse(wideInverse.get());
    sse2.Inverse(narrowInverse.get());
    EXPECT_EQ(BitPatterns(wideInverse.values()), BitPatterns(narrowInverse.values()));
}

std::string NameOfLength(const ::testing::TestParamInfo<int>& length)
{
    std::string name = "N";
    name += std::to_string(length.param);
    return name;
}

INSTANTIATE_TEST_SUITE_P(PowersOfTwo, HartleyTransformTest, ::testing::ValuesIn(SupportedLengths()), NameOfLength);

TEST(HartleyTransformCreateTest, RejectedLengthLeavesAnEmptyTransformThatIgnoresBuffers)
{
    HartleyTransform transform;
    ASSERT_TRUE(transform.Create(64));
    const std::vector<float> signal = RandomSignal(64, 5);
    for (int length : {-8, 0, 4, 12, 1000, 65536})
    {
        EXPECT_FALSE(transform.Create(length)) << "length " << length;
        EXPECT_EQ(transform.size(), 0);

        AlignedFrame buffer(signal);
        transform.Forward(buffer.get());
        transform.Inverse(buffer.get());
        EXPECT_EQ(buffer.values(), signal);
    }
}

TEST(HartleyTransformCreateTest, RecreatingForAShorterLengthReplacesTheTables)
{
    HartleyTransform transform;
    ASSERT_TRUE(transform.Create(4096));
    ASSERT_TRUE(transform.Create(32));
    EXPECT_EQ(transform.size(), 32);

    const std::vector<float> signal = RandomSignal(32, 6);
    AlignedFrame buffer(signal);
    transform.Forward(buffer.get());
    EXPECT_LT(MaxErrorRelativeToRms(buffer.values(), ToForwardLayout(FftwHartley(signal))), tolerance);
}
}  // namespace
