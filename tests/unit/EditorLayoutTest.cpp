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
    ASSERT_EQ(expected.size(), 13u);
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
    std::set<int> parameters;
    std::set<EditorCommand> commands;
    for (const layout::Row& row : layout::controlRows())
    {
        if (row.command)
        {
            EXPECT_EQ(row.slotCount, 1) << row.name;
            EXPECT_TRUE(commands.insert(*row.command).second) << row.name;
        }
        for (int slot = 0; slot < row.slotCount && !row.command; ++slot)
        {
            const int index = row.parameter + slot;
            EXPECT_TRUE(index >= 0 && index < 42) << row.name;
            EXPECT_TRUE(parameters.insert(index).second) << row.name << " binds " << index << " twice";
        }
        // Value texts are anchored on the box: every box has an extent.
        EXPECT_GT(row.size[0], 0.0f);
        EXPECT_GT(row.size[1], 0.0f);
    }
    // Everything the user can change from the faceplate: Active, width, Punch, Sizzle,
    // Shape, Gain, the equaliser's 33 values, EQ gain; and the Info and Scope view commands
    // (the menus hold no slot).
    EXPECT_EQ(parameters.size(), 40u);
    EXPECT_EQ(commands.size(), 2u);
}

TEST(EditorLayout, EdgesFollowTheBackgroundPicture)
{
    EXPECT_EQ(layout::leftEdge(512), -256.5f);
    EXPECT_EQ(layout::bottomEdge(624), -312.5f);
}
