#pragma once

#include "editor/GlowQuads.h"

#include <string_view>

// Small capitals drawn as glowing strokes, as on a scope's screen: sharp at every size, in
// the glow program's own light. Only the characters the Scope view writes exist ("LRMS",
// "IN", "OUT", "+1", "-1", "0", "C"); any other draws as a space.
namespace stroke_text
{

// Letters are kGridWidth by kGridHeight grid steps, kAdvance steps apart.
constexpr float kGridWidth = 4.0f;
constexpr float kGridHeight = 6.0f;
constexpr float kAdvance = 6.0f;

// The text's width in units for letters `height` units high.
float width(std::string_view text, float height);
// Draws text with its bottom-left corner at (x, y).
void draw(GlowQuads& quads, std::string_view text, float x, float y, float height, float strokeWidth,
          const GlowQuads::Colour& colour);

}  // namespace stroke_text
