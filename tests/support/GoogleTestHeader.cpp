// The translation unit CMake precompiles <gtest/gtest.h> for; the test programs reuse it.
