#include "platform/FolderListing.h"

#include <windows.h>

namespace platform
{

FolderListing listFolder(const std::string& folder, std::vector<std::string>& names)
{
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/')
        pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
    {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return FolderListing::Listed;
        // A path that names a file, not a folder, is there but cannot be listed.
        const bool missing =
            error == ERROR_PATH_NOT_FOUND && GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
        return missing ? FolderListing::Missing : FolderListing::Unreadable;
    }
    do
    {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.emplace_back(entry.cFileName);
    } while (FindNextFileA(search, &entry) != 0);
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(search);
    return complete ? FolderListing::Listed : FolderListing::Unreadable;
}

}  // namespace platform
