#pragma once

#include <string>

namespace platform
{

// Moves source over target in one step, replacing an existing target, so a reader sees
// either the old file or the new one, never a half-written one.
bool replaceFile(const std::string& source, const std::string& target);

}  // namespace platform
