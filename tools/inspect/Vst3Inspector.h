#pragma once

// Prints what a VST3 host sees of a .vst3 bundle (or module file): the factory, each audio
// effect class with its buses, parameters with their value texts, latency at a few rates,
// tail and the editor's size. Answers the program's exit code.
int inspectVst3Module(const char* path);
