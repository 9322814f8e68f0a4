#pragma once

#include "AudioClip.h"

constexpr int kDemoSampleRate = 44100;
constexpr double kDemoSeconds = 10.0;

// The demo: five bars of drums at 120 BPM (kick, snare, hats) over a moving stereo pad,
// 10 s of 44.1 kHz stereo with its peak at -3 dBFS. Identical on every run.
AudioClip makeDemoSignal();
