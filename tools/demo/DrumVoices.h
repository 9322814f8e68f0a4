#pragma once

#include "AudioClip.h"
#include "PseudoRandom.h"

#include <cstddef>

// Synthetic drum hits, each added into a stereo clip starting at frame start.
// velocity scales the hit; noise feeds the snare and the hats.
void addKick(AudioClip& clip, std::size_t start, float velocity);
void addSnare(AudioClip& clip, std::size_t start, float velocity, PseudoRandom& noise);
void addHat(AudioClip& clip, std::size_t start, float velocity, float decaySeconds, PseudoRandom& noise);
