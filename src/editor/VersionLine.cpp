#include "editor/VersionLine.h"

#include "identity/EffectIdentity.h"
#include "platform/PlatformName.h"

std::string versionLineText()
{
    return std::string(platform::platformName()) + " v" + kEffectIdentity.versionText + " 64 bit";
}
