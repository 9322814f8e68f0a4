#pragma once

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

    // Builds the tables for length N, replacing any previous ones. Returns false, and
    // leaves an empty transform whose calls do nothing, if N is unsupported or memory
    // runs out.
    bool Create(int N);

    // The unnormalised transform in natural order.
    void Core(float* data);
    // Core, then the upper half reordered into (H[k], H[N - k]) pairs.
    void Forward(float* data);
    // Undoes Forward's reordering, then Core; Inverse(Forward(x)) = N x.
    void Inverse(float* data);

    int size() const { return length; }

private:
    void Release();
    void SwapBitReversedPairs(float* data) const;
    void ReverseUpperHalf(float* data) const;

    int length = 0;
    bool log2LengthIsOdd = false;
    // Per radix-4 stage of quarter length L, for i = 1..L/2-1: cos, sin of i, 2i and 3i
    // times pi / (2L).
    float* twiddles = nullptr;
    // Index pairs (i, j), j the bit reverse of i and j < i, in increasing i.
    std::uint16_t* swapPairs = nullptr;
    int swapPairCount = 0;
};
