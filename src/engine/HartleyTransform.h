#pragma once

#include "base/CpuFeatures.h"

#include <cstdint>

// In-place discrete Hartley transform of N single-precision values, N a power of two
// from 8 to 32768:
//     H[k] = sum over n of x[n] * (cos(2 pi k n / N) + sin(2 pi k n / N))
// The transform is its own inverse up to the factor N, so Forward and Inverse share one
// core and differ only in the order of the upper half of the buffer.
//
// Forward leaves H[k] at position k for k = 0..N/2 and H[N - i] at position N/2 + i for
// i = 1..N/2-1. Position k and position N/2 + k then hold (H[k], H[N - k]), which is
// (1 + i) times the Fourier coefficient X[k] = sum x[n] exp(-2 pi i k n / N), and
// bin 0 holds (H[0], H[N/2]). Inverse takes that layout back to N times the signal.
//
// Buffers must be 16-byte aligned. All tables are built by Create; the transforms
// themselves never allocate, so they may run on the audio thread.
class HartleyTransform
{
public:
    HartleyTransform() = default;
    ~HartleyTransform();

    HartleyTransform(const HartleyTransform&) = delete;
    HartleyTransform& operator=(const HartleyTransform&) = delete;

    // Builds the tables for length N, replacing any previous ones; `path` allows AVX or
    // not. Returns false, and leaves an empty transform whose calls do nothing, if N is
    // unsupported or memory runs out.
    bool Create(int N, VectorPath path = VectorPath::Widest);

    // The unnormalised transform in natural order.
    void Core(float* data);
    // Core, then the upper half reordered into (H[k], H[N - k]) pairs.
    void Forward(float* data);
    // Undoes Forward's reordering, then Core; Inverse(Forward(x)) = N x.
    void Inverse(float* data);

    int size() const { return length; }
    bool usesAvx() const { return avx; }

private:
    void Release();
    void BitReverseIntoFirstGroups(float* data) const;
    void ReverseUpperHalf(float* data) const;

    int length = 0;
    bool log2LengthIsOdd = false;
    bool avx = false;
    // Per radix-4 stage of quarter length L: cos, sin of i, 2i and 3i times pi / (2L).
    // The stage L = 4 has one record of six floats for i = 1 (padded to eight); every
    // later stage has, for each run of eight offsets i = 1..8, 9..16, ... up to L/2 (the
    // stage L = 8 fills half a run), six runs of eight floats (cos i, sin i, cos 2i, ...),
    // one AVX register or two SSE registers each.
    float* twiddles = nullptr;
    // The bit reversal as swaps of 4 x 4 blocks (8 x 8 on the AVX path from N = 64): block
    // pairs (b, b') with b' the bit reverse of b over log2 N - 4 (- 6) bits and b <= b'.
    std::uint16_t* blockPairs = nullptr;
    int blockPairCount = 0;
};
