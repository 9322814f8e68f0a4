#pragma once

#include <string>

namespace platform
{

// The folder of the loaded plug-in module, with its trailing path separator, whatever the
// module file is called. Empty when the system cannot tell.
const std::string& moduleDirectory();

// The module's native handle (HINSTANCE on Windows, null elsewhere).
void* moduleInstance();

// Cuts a full module path after its last path separator ('/' or '\\').
std::string folderOfPath(const std::string& modulePath);

}  // namespace platform
