#include "ParameterLookup.h"
#include "RenderErrors.h"

#include <gtest/gtest.h>

namespace
{

const std::vector<ParameterInfo> kParameters = {
    {0, "Active", 1.0f}, {1, "Stereo Width", 0.5f}, {2, "gain", 0.5f}, {3, "Gain", 0.5f}, {4, " ", 0.0f},
};

TEST(ParameterLookup, ExactNamesWin)
{
    EXPECT_EQ(findParameterIndex(kParameters, "Stereo Width"), 1);
    EXPECT_EQ(findParameterIndex(kParameters, "gain"), 2);
    EXPECT_EQ(findParameterIndex(kParameters, "Gain"), 3);
    EXPECT_EQ(findParameterIndex(kParameters, " "), 4);
}

TEST(ParameterLookup, CaseIsIgnoredWhenThatFindsExactlyOne)
{
    EXPECT_EQ(findParameterIndex(kParameters, "stereo width"), 1);
    EXPECT_EQ(findParameterIndex(kParameters, "ACTIVE"), 0);
}

TEST(ParameterLookup, AmbiguousNamesListTheCandidates)
{
    try
    {
        findParameterIndex(kParameters, "GAIN");
        FAIL() << "GAIN matches two parameters";
    }
    catch (const RenderFailure& failure)
    {
        const std::string message = failure.what();
        EXPECT_NE(message.find("\"gain\""), std::string::npos) << message;
        EXPECT_NE(message.find("\"Gain\""), std::string::npos) << message;
    }
}

TEST(ParameterLookup, UnknownNamesPointAtTheList)
{
    try
    {
        findParameterIndex(kParameters, "Stereo");
        FAIL() << "no parameter is called Stereo";
    }
    catch (const RenderFailure& failure)
    {
        EXPECT_NE(std::string(failure.what()).find("--list"), std::string::npos) << failure.what();
    }
}

}  // namespace
