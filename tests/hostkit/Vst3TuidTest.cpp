#include "vst3/Vst3Abi.h"

#include <gtest/gtest.h>

// The bytes the interface's own id macro gives for a few ids, worked out by hand from its
// definition: every word most significant byte first, except that Windows (COM order) stores
// the first word and each half of the second least significant byte first.
namespace
{

struct KnownId
{
    const char* name;
    std::uint32_t words[4];
    vst3::Tuid wordsBigEndian;
    vst3::Tuid com;
    vst3::Tuid declared;
};

const KnownId kKnownIds[] = {
    {"FUnknown",
     {0x00000000, 0x00000000, 0xC0000000, 0x00000046},
     {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46},
     {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46},
     vst3::kFUnknownIid},
    {"IComponent",
     {0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802},
     {0xE8, 0x31, 0xFF, 0x31, 0xF2, 0xD5, 0x43, 0x01, 0x92, 0x8E, 0xBB, 0xEE, 0x25, 0x69, 0x78, 0x02},
     {0x31, 0xFF, 0x31, 0xE8, 0xD5, 0xF2, 0x01, 0x43, 0x92, 0x8E, 0xBB, 0xEE, 0x25, 0x69, 0x78, 0x02},
     vst3::kIComponentIid},
    {"IEditController",
     {0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E},
     {0xDC, 0xD7, 0xBB, 0xE3, 0x77, 0x42, 0x44, 0x8D, 0xA8, 0x74, 0xAA, 0xCC, 0x97, 0x9C, 0x75, 0x9E},
     {0xE3, 0xBB, 0xD7, 0xDC, 0x42, 0x77, 0x8D, 0x44, 0xA8, 0x74, 0xAA, 0xCC, 0x97, 0x9C, 0x75, 0x9E},
     vst3::kIEditControllerIid},
    {"IPluginFactory3",
     {0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931},
     {0x45, 0x55, 0xA2, 0xAB, 0xC1, 0x23, 0x4E, 0x57, 0x9B, 0x12, 0x29, 0x10, 0x36, 0x87, 0x89, 0x31},
     {0xAB, 0xA2, 0x55, 0x45, 0x23, 0xC1, 0x57, 0x4E, 0x9B, 0x12, 0x29, 0x10, 0x36, 0x87, 0x89, 0x31},
     vst3::kIPluginFactory3Iid},
};

}  // namespace

TEST(Vst3Tuid, MakesTheBytesOfEitherOrderFromTheFourWords)
{
    for (const KnownId& id : kKnownIds)
    {
        const auto [first, second, third, fourth] = id.words;
        EXPECT_EQ(vst3::makeTuid(first, second, third, fourth, vst3::TuidOrder::wordsBigEndian), id.wordsBigEndian)
            << id.name;
        EXPECT_EQ(vst3::makeTuid(first, second, third, fourth, vst3::TuidOrder::com), id.com) << id.name;
    }
}

TEST(Vst3Tuid, DeclaredIdsAreInThisPlatformsOrder)
{
#if defined(_WIN32)
    EXPECT_EQ(vst3::kPlatformTuidOrder, vst3::TuidOrder::com);
#else
    EXPECT_EQ(vst3::kPlatformTuidOrder, vst3::TuidOrder::wordsBigEndian);
#endif
    for (const KnownId& id : kKnownIds)
    {
#if defined(_WIN32)
        EXPECT_EQ(id.declared, id.com) << id.name;
#else
        EXPECT_EQ(id.declared, id.wordsBigEndian) << id.name;
#endif
    }
    EXPECT_NE(vst3::kIPluginFactoryIid, vst3::kIPluginFactory2Iid);
}

TEST(Vst3Tuid, AClassIdKeptAsItsTextSpellsItBecomesThePlatformsTuid)
{
    const KnownId& component = kKnownIds[1];
    EXPECT_EQ(vst3::tuidFromSpelledBytes(component.wordsBigEndian, vst3::TuidOrder::com), component.com);
    EXPECT_EQ(vst3::tuidFromSpelledBytes(component.wordsBigEndian, vst3::TuidOrder::wordsBigEndian),
              component.wordsBigEndian);
    EXPECT_EQ(vst3::tuidFromSpelledBytes(component.wordsBigEndian), vst3::kIComponentIid);
}
