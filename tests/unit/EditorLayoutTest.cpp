#include "editor/EditorLayout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace
{

// The skin's list of expected help texts: one JSON object of string values.
std::map<std::string, std::string> readHelpTexts(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream buffer;
    buffer << file.rdbuf();
    const std::string json = buffer.str();
    std::map<std::string, std::string> texts;
    std::size_t at = 0;
    const auto readString = [&](std::string& out)
    {
        at = json.find('"', at);
        if (at == std::string::npos)
            return false;
        for (++at; at < json.size() && json[at] != '"'; ++at)
        {
            if (json[at] != '\\')
            {
                out += json[at];
                continue;
            }
            const char escaped = json[++at];
            out += escaped == 'n' ? '\n' : escaped;
        }
        ++at;
        return true;
    };
    std::string key;
    std::string value;
    while (readString(key) && readString(value))
    {
        texts[key] = value;
        key.clear();
        value.clear();
    }
    return texts;
}

}  // namespace

TEST(EditorLayout, HelpTextsAreExactlyTheUsersTexts)
{
    const auto expected = readHelpTexts(VANTOR_HELP_TEXTS_JSON);
    ASSERT_EQ(expected.size(), 11u);
    std::size_t withHelp = 0;
    for (const layout::Row& row : layout::controlRows())
    {
        if (row.helpText == nullptr)
            continue;
        ++withHelp;
        const auto found = expected.find(row.name);
        ASSERT_NE(found, expected.end()) << row.name;
        EXPECT_EQ(std::string(row.helpText), found->second) << row.name;
    }
    EXPECT_EQ(withHelp, expected.size());
    EXPECT_EQ(layout::curveDisplayRow().helpText, nullptr);
}

TEST(EditorLayout, BindingsCoverEachParameterOnceAndStayInRange)
{
    std::set<std::pair<SlotTarget::Kind, int>> bound;
    for (const layout::Row& row : layout::controlRows())
    {
        for (int slot = 0; slot < row.slotCount; ++slot)
        {
            const SlotTarget target = layout::slotTarget(row, slot);
            if (target.kind == SlotTarget::Kind::Parameter)
            {
                EXPECT_TRUE(target.index >= 0 && target.index < 42) << row.name;
            }
            EXPECT_TRUE(bound.insert({target.kind, target.index}).second)
                << row.name << " binds " << target.index << " twice";
        }
        // Value texts are anchored on the box: every box has an extent.
        EXPECT_GT(row.size[0], 0.0f);
        EXPECT_GT(row.size[1], 0.0f);
    }
    // Everything the user can change from the faceplate: Active, width, Punch, Sizzle,
    // Shape, Gain, the equaliser's 33 values, EQ gain and the Info command.
    EXPECT_EQ(bound.size(), 41u);
}

TEST(EditorLayout, EdgesFollowTheBackgroundPicture)
{
    EXPECT_EQ(layout::leftEdge(512), -256.5f);
    EXPECT_EQ(layout::bottomEdge(624), -312.5f);
}
