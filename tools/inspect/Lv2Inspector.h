#pragma once

// Prints what an LV2 host sees of a bundle folder (.lv2): its plug-in's URI, name, author,
// classes, version, what it asks of the host, its ports with symbols, ranges and kinds, its
// presets and the latency its port reports at a few rates. Answers the program's exit code.
int inspectLv2Bundle(const char* path);
