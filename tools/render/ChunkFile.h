#pragma once

#include <string>
#include <vector>

// Plug-in state chunks on disk: the bytes exactly as the plug-in gave them.
// Both throw RenderFailure with a message naming the file.
std::vector<unsigned char> readChunkFile(const std::string& path);
void writeChunkFile(const std::string& path, const std::vector<unsigned char>& bytes);
