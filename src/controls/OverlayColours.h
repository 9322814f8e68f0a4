#pragma once

#include "glgui/FontBank.h"

// The colours of what the editor draws over its scene: value texts and menus.
namespace overlay_colours
{

constexpr FontBank::Colour kText{0.8f, 0.8f, 0.85f, 1.0f};
constexpr FontBank::Colour kFrame{0.95f, 0.85f, 0.6f, 0.5f};
constexpr FontBank::Colour kBox{0.25f, 0.1f, 0.05f, 1.0f};
// The wordmark's orange, for what is chosen.
constexpr FontBank::Colour kChosen{0.98f, 0.62f, 0.2f, 1.0f};

}  // namespace overlay_colours
