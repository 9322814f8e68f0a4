#pragma once

// True when both the processor and the operating system support AVX: the processor has
// the instructions and the system saves the upper halves of the vector registers on a
// thread switch (cpuid, then xgetbv). Code using AVX must check this first.
bool avxAvailable();

// The vector instructions a component may use: the widest this machine runs, or SSE2 only.
// Every path gives the same bits; tests ask for Sse2 to compare them.
enum class VectorPath
{
    Widest,
    Sse2
};

inline bool avxAllowed(VectorPath path)
{
    return path == VectorPath::Widest && avxAvailable();
}
