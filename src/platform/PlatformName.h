#pragma once

namespace platform
{

// The operating system's short name for the editor's version line: "Win" or "Linux".
const char* platformName();

}  // namespace platform
