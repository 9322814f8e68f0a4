#pragma once

// True when both the processor and the operating system support AVX: the processor has
// the instructions and the system saves the upper halves of the vector registers on a
// thread switch (cpuid, then xgetbv). Code using AVX must check this first.
bool avxAvailable();
