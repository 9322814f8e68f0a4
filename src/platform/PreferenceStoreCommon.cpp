#include "platform/PreferenceStore.h"

#include "platform/MessageBox.h"
#include "platform/PreferencePlaces.h"

#include <cstdio>

namespace platform
{

namespace
{

using namespace preference_places;

constexpr const char* kFallbackFolder = "Brackwel";
constexpr const char* kWriteFailedCaption = "Couldn't write registration";

// The fallback file's folder with its trailing separator, or empty when there is none. Only
// a write makes it: reading a preference leaves nothing behind in the user's folders.
std::string fallbackFolder(bool make)
{
    const std::string dataFolder = userDataFolder();
    if (dataFolder.empty())
        return {};
    const char separator = dataFolder.back();
    std::string folder = dataFolder + kFallbackFolder;
    if (make && !makeFolder(folder))
        return {};
    return folder + separator;
}

}  // namespace

int PreferenceStore::readPref() const
{
    for (Scope scope : {Scope::Machine, Scope::User})
    {
        std::uint8_t value = 0;
        switch (readKeyed(scope, names.keyedValue, value))
        {
        case KeyedRead::Value: return value;
        case KeyedRead::NoValue: return -1;
        case KeyedRead::NoPlace: break;
        }
    }
    const std::string folder = fallbackFolder(false);
    if (folder.empty())
        return -1;
    std::FILE* file = std::fopen((folder + names.fallbackFile).c_str(), "rb");
    if (file == nullptr)
        return -1;
    const int first = std::fgetc(file);
    std::fclose(file);
    return first == EOF ? 0 : first;
}

bool PreferenceStore::writePref(int value)
{
    const auto byte = static_cast<std::uint8_t>(value);
    if (writeKeyed(Scope::Machine, names.keyedValue, byte) || writeKeyed(Scope::User, names.keyedValue, byte))
        return true;
    if (userDataFolder().empty())
    {
        warnOnce("You need Administrator rights (1)");
        return false;
    }
    // The file is rewritten on every change: created once and then left alone, it would
    // keep the first choice for ever.
    const std::string folder = fallbackFolder(true);
    std::FILE* file = folder.empty() ? nullptr : std::fopen((folder + names.fallbackFile).c_str(), "wb");
    bool written = false;
    if (file != nullptr)
    {
        written = std::fputc(byte, file) != EOF;
        written = std::fclose(file) == 0 && written;
    }
    if (!written)
        warnOnce("You need Administrator rights (2)");
    return written;
}

void PreferenceStore::warnOnce(const char* text)
{
    if (warned)
        return;
    warned = true;
    showMessageBox(text, kWriteFailedCaption, MessageIcon::None);
}

}  // namespace platform
