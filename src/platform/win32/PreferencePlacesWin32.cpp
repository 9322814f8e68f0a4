#include "platform/PreferencePlaces.h"

#include <shlobj.h>
#include <windows.h>

namespace platform::preference_places
{

namespace
{

constexpr const char* kKeyPath = "Software\\Brackwel\\VantorPro";

HKEY hive(Scope scope)
{
    return scope == Scope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace

KeyedRead readKeyed(Scope scope, const char* name, std::uint8_t& value)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive(scope), kKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return KeyedRead::NoPlace;
    BYTE byte = 0;
    DWORD size = 1;
    const LSTATUS status = RegQueryValueExA(key, name, nullptr, nullptr, &byte, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return KeyedRead::NoValue;
    value = byte;
    return KeyedRead::Value;
}

bool writeKeyed(Scope scope, const char* name, std::uint8_t value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(hive(scope), kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const BYTE byte = value;
    const LSTATUS status = RegSetValueExA(key, name, 0, REG_BINARY, &byte, 1);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::string userDataFolder()
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return std::string(path) + '\\';
}

bool makeFolder(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Each level after the drive letter, or after the server and share of a network path.
bool makeFolders(const std::string& path)
{
    constexpr const char* kSeparators = "\\/";
    const bool isShare = path.rfind("\\\\", 0) == 0;
    std::size_t end = isShare ? path.find_first_of(kSeparators, path.find_first_of(kSeparators, 2) + 1)
                              : path.find_first_of(kSeparators, 3);
    if (isShare && end != std::string::npos)
        end = path.find_first_of(kSeparators, end + 1);
    for (; end != std::string::npos; end = path.find_first_of(kSeparators, end + 1))
    {
        if (!makeFolder(path.substr(0, end)))
            return false;
    }
    const char last = path.empty() ? '\\' : path.back();
    return last == '\\' || last == '/' || makeFolder(path);
}

std::string userPresetFolder()
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return std::string(path) + "\\Brackwel\\Vantor Pro\\Presets\\";
}

}  // namespace platform::preference_places
