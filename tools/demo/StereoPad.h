#pragma once

#include "AudioClip.h"

// Adds a sustained chord pad over the whole clip: four chords in equal parts, each note
// detuned slightly apart on the two channels and the whole pad panned slowly back and forth,
// so the stereo image moves.
void addStereoPad(AudioClip& clip, float gain);
