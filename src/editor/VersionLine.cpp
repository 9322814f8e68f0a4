#include "editor/VersionLine.h"

#include "platform/PlatformName.h"

namespace
{

constexpr const char* kVersion = "v.2.00d";

}  // namespace

std::string versionLineText()
{
    return std::string(platform::platformName()) + " " + kVersion + " 64 bit";
}
