#pragma once

// Prints what a CLAP host sees of a .clap module file: its plug-ins' descriptors, ports,
// parameters with their value texts, latency at a few rates and the editor's size.
// Answers the program's exit code.
int inspectClapModule(const char* path);
