#include "platform/PreferencePlaces.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::preference_places
{

namespace
{

constexpr const char* kKeyPath = "/Brackwel/VantorPro";

// An XDG variable's value, which only counts when it is an absolute path.
std::string absoluteFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/')
        return {};
    return value;
}

std::string homeFolder()
{
    std::string home = absoluteFromEnvironment("HOME");
    if (home.empty())
    {
        if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
            home = entry->pw_dir;
    }
    return home;
}

std::string machineRoot()
{
    std::string dirs = absoluteFromEnvironment("XDG_CONFIG_DIRS");
    if (dirs.empty())
        return "/etc/xdg";
    return dirs.substr(0, dirs.find(':'));
}

// An XDG base folder: the variable's absolute path, else the home folder's default.
std::string xdgHomeFolder(const char* variable, const char* underHome)
{
    std::string folder = absoluteFromEnvironment(variable);
    if (!folder.empty())
        return folder;
    const std::string home = homeFolder();
    return home.empty() ? std::string() : home + underHome;
}

std::string userRoot()
{
    return xdgHomeFolder("XDG_CONFIG_HOME", "/.config");
}

std::string keyFolder(Scope scope)
{
    const std::string root = scope == Scope::Machine ? machineRoot() : userRoot();
    return root.empty() ? std::string() : root + kKeyPath;
}

// Opens the folder only as a path, which needs no permission on it. (stat would tie the
// module to glibc 2.33 or later.)
bool isFolder(const std::string& path)
{
    const int folder = open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return false;
    close(folder);
    return true;
}

std::string userDataRoot()
{
    return xdgHomeFolder("XDG_DATA_HOME", "/.local/share");
}

}  // namespace

// mkdir -p: every missing level of an absolute path.
bool makeFolders(const std::string& path)
{
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1))
    {
        if (!makeFolder(path.substr(0, end)))
            return false;
        if (end == std::string::npos)
            return true;
    }
}

bool makeFolder(const std::string& path)
{
    return mkdir(path.c_str(), 0755) == 0 || (errno == EEXIST && isFolder(path));
}

KeyedRead readKeyed(Scope scope, const char* name, std::uint8_t& value)
{
    const std::string folder = keyFolder(scope);
    if (folder.empty() || !isFolder(folder))
        return KeyedRead::NoPlace;
    std::FILE* file = std::fopen((folder + "/" + name).c_str(), "rb");
    if (file == nullptr)
        return KeyedRead::NoValue;
    const int first = std::fgetc(file);
    std::fclose(file);
    if (first == EOF)
        return KeyedRead::NoValue;
    value = static_cast<std::uint8_t>(first);
    return KeyedRead::Value;
}

bool writeKeyed(Scope scope, const char* name, std::uint8_t value)
{
    const std::string folder = keyFolder(scope);
    if (folder.empty() || !makeFolders(folder))
        return false;
    std::FILE* file = std::fopen((folder + "/" + name).c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fputc(value, file) != EOF;
    return std::fclose(file) == 0 && written;
}

std::string userDataFolder()
{
    const std::string folder = userDataRoot();
    if (folder.empty() || !makeFolders(folder))
        return {};
    return folder + '/';
}

std::string userPresetFolder()
{
    const std::string root = userDataRoot();
    return root.empty() ? std::string() : root + "/Brackwel/Vantor Pro/Presets/";
}

}  // namespace platform::preference_places
