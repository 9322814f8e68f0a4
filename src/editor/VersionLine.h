#pragma once

#include <string>

// The line the editor shows for its first idle calls: the platform it runs on, the
// editor's version and the word size, e.g. "Linux v.2.00d 64 bit".
std::string versionLineText();
