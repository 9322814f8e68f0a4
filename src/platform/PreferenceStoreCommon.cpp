#include "platform/PreferenceStore.h"

#include "platform/MessageBox.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace platform
{
namespace
{

std::atomic<bool> warned{false};

std::filesystem::path preferenceFile()
{
#if defined(_WIN32)
    const char* folder = std::getenv("APPDATA");
    if (folder == nullptr || folder[0] == '\0')
        return {};
    return std::filesystem::path(folder) / "VantorPro" / "VantorPro.pref";
#else
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] != '\0')
        return std::filesystem::path(config) / "VantorPro" / "VantorPro.pref";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0')
        return {};
    return std::filesystem::path(home) / ".config" / "VantorPro" / "VantorPro.pref";
#endif
}

}  // namespace

int readPref()
{
    const std::filesystem::path file = preferenceFile();
    if (file.empty())
        return -1;
    std::ifstream in(file, std::ios::binary);
    char value = 0;
    if (!in.get(value))
        return -1;
    return static_cast<unsigned char>(value);
}

void writePref(int value)
{
    const std::filesystem::path file = preferenceFile();
    std::error_code ignored;
    if (!file.empty())
        std::filesystem::create_directories(file.parent_path(), ignored);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!file.empty() && out.put(static_cast<char>(value)) && out.flush())
        return;
    if (!warned.exchange(true))
        showMessageBox("You need Administrator rights (2)", "ERROR", MessageIcon::Exclamation);
}

void resetPreferenceWarnings()
{
    warned.store(false);
}

}  // namespace platform
