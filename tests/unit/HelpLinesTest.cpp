#include "editor/HelpLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// A wrap rule of fixed width in characters, with the font rule's shape: a full line ends at
// its last blank, a line break ends a line, a word longer than the line is cut.
std::vector<std::string> split(std::string_view text, std::size_t width)
{
    std::vector<std::string> lines;
    const auto wrapAt = [&](std::size_t start)
    {
        std::size_t lastBlank = std::string_view::npos;
        for (std::size_t i = start; i < text.size(); ++i)
        {
            if (i - start >= width)
                return lastBlank != std::string_view::npos && i + 1 < text.size() ? lastBlank : i;
            if (text[i] == '\n')
                return i;
            if (text[i] == ' ')
                lastBlank = i;
        }
        return text.size();
    };
    forEachHelpLine(text, wrapAt, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

}  // namespace

TEST(HelpLines, BreaksAtBlanksAndLineBreaksWhichAreSkipped)
{
    EXPECT_EQ(split("one two three four five", 9), (std::vector<std::string>{"one two", "three", "four five"}));
    EXPECT_EQ(split("Usage.\nShift-drag", 40), (std::vector<std::string>{"Usage.", "Shift-drag"}));
    EXPECT_EQ(split("a\n\nb", 40), (std::vector<std::string>{"a", "", "b"}));
}

TEST(HelpLines, AWordLongerThanTheLineIsCutAndContinues)
{
    EXPECT_EQ(split("abcdefghij", 4), (std::vector<std::string>{"abcd", "efgh", "ij"}));
}

TEST(HelpLines, ATextEndingWithALineBreakEndsThere)
{
    EXPECT_EQ(split("last line\n", 40), (std::vector<std::string>{"last line"}));
}

TEST(HelpLines, AWrapRuleThatDoesNotAdvanceCannotLoopForever)
{
    std::vector<std::string> lines;
    forEachHelpLine(
        "text", [](std::size_t) { return std::size_t{0}; }, [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_LE(lines.size(), 4u);
}
