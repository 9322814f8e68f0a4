#include "editor/VersionLine.h"

#include "VantorVersion.h"

#include <gtest/gtest.h>

// The editor shows the version hosts are told, not one of its own.
TEST(VersionLine, NamesThePlatformAndTheProductVersion)
{
    EXPECT_EQ(versionLineText(), std::string("Linux v") + kVantorVersionText + " 64 bit");
}
