#pragma once

#include "editor/GlowQuads.h"

class ScopeBallistics;
struct StereoImageReading;

// Which signal the Scope view shows.
enum class ScopeSource
{
    Output,
    Input,
};

// The Scope view's picture as glow quads, from nothing but what it is handed: a dark face,
// then, lit over it, the goniometer's axes and the reading's points (the newest brightest,
// the oldest, 0.3 s back, faded out), the correlation meter with its fast and slow needles,
// hold mark and warning side below 0, the balance mark, and the input/output switch.
namespace scope_picture
{

// The opaque face the rest is lit over.
void face(GlowQuads& quads);
void light(const StereoImageReading& reading, const ScopeBallistics& ballistics, ScopeSource source, GlowQuads& quads);

}  // namespace scope_picture
