#include "OutputFormat.h"
#include "RenderErrors.h"

#include <sndfile.h>

#include <gtest/gtest.h>

namespace
{

TEST(OutputFormat, ThePlainWavExtensionMeansFloat)
{
    EXPECT_EQ(outputFormatFor("out.wav", 44100, 2), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormatFor("dir.x/OUT.WAV", 48000, 2), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
}

TEST(OutputFormat, EachTypeGetsItsMostPreciseEncoding)
{
    EXPECT_EQ(outputFormatFor("out.flac", 44100, 2), SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(outputFormatFor("out.aiff", 44100, 2), SF_FORMAT_AIFF | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormatFor("out.aif", 44100, 2), SF_FORMAT_AIFF | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormatFor("out.w64", 44100, 2), SF_FORMAT_W64 | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormatFor("out.ogg", 44100, 2), SF_FORMAT_OGG | SF_FORMAT_VORBIS);
}

TEST(OutputFormat, UnknownExtensionsAreRefused)
{
    EXPECT_THROW(outputFormatFor("out.xyz", 44100, 2), RenderFailure);
    EXPECT_THROW(outputFormatFor("out", 44100, 2), RenderFailure);
}

}  // namespace
