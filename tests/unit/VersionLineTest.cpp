#include "editor/VersionLine.h"

#include <gtest/gtest.h>

// The editor's first frames name the platform the editor runs on, not another one.
TEST(VersionLine, NamesThePlatformItRunsOn)
{
    EXPECT_EQ(versionLineText(), "Linux v.2.00d 64 bit");
}
