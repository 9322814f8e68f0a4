#include "editor/StrokeText.h"

#include <span>

namespace stroke_text
{
namespace
{

struct GridPoint
{
    float x;
    float y;
};

// A glyph's strokes as polylines on the grid, separated by kLift; y upwards from the base.
constexpr GridPoint kLift{-1.0f, -1.0f};

constexpr GridPoint kL[] = {{0, 6}, {0, 0}, {4, 0}};
constexpr GridPoint kR[] = {{0, 0}, {0, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}, {0, 3}, kLift, {2, 3}, {4, 0}};
constexpr GridPoint kM[] = {{0, 0}, {0, 6}, {2, 3}, {4, 6}, {4, 0}};
constexpr GridPoint kS[] = {{4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 4}, {1, 3},
                            {3, 3}, {4, 2}, {4, 1}, {3, 0}, {1, 0}, {0, 1}};
constexpr GridPoint kI[] = {{2, 0}, {2, 6}, kLift, {1, 6}, {3, 6}, kLift, {1, 0}, {3, 0}};
constexpr GridPoint kN[] = {{0, 0}, {0, 6}, {4, 0}, {4, 6}};
constexpr GridPoint kO[] = {{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}};
constexpr GridPoint kU[] = {{0, 6}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 6}};
constexpr GridPoint kT[] = {{0, 6}, {4, 6}, kLift, {2, 6}, {2, 0}};
constexpr GridPoint kC[] = {{4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}, {3, 0}, {4, 1}};
constexpr GridPoint kOne[] = {{1, 5}, {2, 6}, {2, 0}};
constexpr GridPoint kPlus[] = {{0, 3}, {4, 3}, kLift, {2, 1}, {2, 5}};
constexpr GridPoint kMinus[] = {{0, 3}, {4, 3}};

std::span<const GridPoint> glyph(char character)
{
    switch (character)
    {
    case 'L': return kL;
    case 'R': return kR;
    case 'M': return kM;
    case 'S': return kS;
    case 'I': return kI;
    case 'N': return kN;
    case 'O':
    case '0': return kO;
    case 'U': return kU;
    case 'T': return kT;
    case 'C': return kC;
    case '1': return kOne;
    case '+': return kPlus;
    case '-': return kMinus;
    default: return {};
    }
}

bool isLift(const GridPoint& point)
{
    return point.x == kLift.x && point.y == kLift.y;
}

}  // namespace

float width(std::string_view text, float height)
{
    if (text.empty())
        return 0.0f;
    const float step = height / kGridHeight;
    return (static_cast<float>(text.size() - 1) * kAdvance + kGridWidth) * step;
}

void draw(GlowQuads& quads, std::string_view text, float x, float y, float height, float strokeWidth,
          const GlowQuads::Colour& colour)
{
    const float step = height / kGridHeight;
    for (const char character : text)
    {
        const GridPoint* previous = nullptr;
        for (const GridPoint& point : glyph(character))
        {
            if (isLift(point))
            {
                previous = nullptr;
                continue;
            }
            if (previous != nullptr)
                quads.line(x + previous->x * step, y + previous->y * step, x + point.x * step, y + point.y * step,
                           strokeWidth, colour);
            previous = &point;
        }
        x += kAdvance * step;
    }
}

}  // namespace stroke_text
