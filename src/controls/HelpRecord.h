#pragma once

#include <string>

// A control's help text and where the information panel showing it opens: the panel spans
// anchor .. anchor + extent (a negative extent opens it to the left or downwards).
struct HelpRecord
{
    std::string text;
    float anchor[2];
    float extent[2];
};
