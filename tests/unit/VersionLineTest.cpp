#include "editor/VersionLine.h"

#include "VantorVersion.h"

#include <gtest/gtest.h>

// The editor shows the version hosts are told, not one of its own.
TEST(VersionLine, NamesThePlatformAndTheProductVersion)
{
    std::string expected = "Linux v";
    expected.append(kVantorVersionText).append(" 64 bit");
    EXPECT_EQ(versionLineText(), expected);
}
