#pragma once

#include <string>

// The line the editor shows for its first idle calls: the platform it runs on, the
// product's version and the word size, e.g. "Linux v1.2.8 64 bit".
std::string versionLineText();
