#include "vst3/Vst3Strings.h"

#include <gtest/gtest.h>

#include <string>

TEST(Vst3Strings, AsciiGoesIntoAUtf16FieldAndComesBackUnchanged)
{
    vst3::String128 field;
    vst3::copyAsciiToUtf16("Stereo Width", field, vst3::kString128Size);
    EXPECT_EQ(field[0], u'S');
    EXPECT_EQ(field[12], u'\0');
    EXPECT_EQ(vst3::utf16ToAscii(field, vst3::kString128Size), "Stereo Width");

    vst3::copyAsciiToUtf16("", field, vst3::kString128Size);
    EXPECT_EQ(vst3::utf16ToAscii(field, vst3::kString128Size), "");
    vst3::copyAsciiToUtf16(nullptr, field, vst3::kString128Size);
    EXPECT_EQ(field[0], u'\0');
    EXPECT_EQ(vst3::utf16ToAscii(nullptr, vst3::kString128Size), "");
}

TEST(Vst3Strings, TextsAreCutToTheFieldWithTheEndMarkedAndNothingWrittenBeyond)
{
    vst3::TChar field[6] = {u'x', u'x', u'x', u'x', u'x', u'#'};
    vst3::copyAsciiToUtf16("abcdefgh", field, 5);
    EXPECT_EQ(std::u16string(field, 5), std::u16string(u"abcd\0", 5));
    EXPECT_EQ(field[5], u'#');

    vst3::copyAsciiToUtf16("abc", field, 0);
    EXPECT_EQ(field[0], u'a') << "a field of no characters is left alone";

    // A field the other side filled to its end without a NUL is read up to its end only.
    const vst3::TChar unterminated[3] = {u'L', u'o', u'w'};
    EXPECT_EQ(vst3::utf16ToAscii(unterminated, 3), "Low");
    EXPECT_EQ(vst3::utf16ToAscii(unterminated, 2), "Lo");
}

TEST(Vst3Strings, WhatIsNotAsciiShowsAsAQuestionMarkEitherWay)
{
    vst3::String128 field;
    vst3::copyAsciiToUtf16("Caf\xC3\xA9s", field, vst3::kString128Size);
    EXPECT_EQ(std::u16string(field), u"Caf??s");

    const vst3::TChar text[] = u"5 \u00B5s \u266A";
    EXPECT_EQ(vst3::utf16ToAscii(text, vst3::kString128Size), "5 ?s ?");
}
