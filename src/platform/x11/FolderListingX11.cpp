#include "platform/FolderListing.h"

#include <cerrno>
#include <dirent.h>

namespace platform
{

FolderListing listFolder(const std::string& folder, std::vector<std::string>& names)
{
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr)
        return errno == ENOENT ? FolderListing::Missing : FolderListing::Unreadable;
    errno = 0;
    while (const dirent* entry = readdir(listing))
    {
        if (entry->d_type != DT_DIR)
            names.emplace_back(entry->d_name);
    }
    const bool complete = errno == 0;
    closedir(listing);
    return complete ? FolderListing::Listed : FolderListing::Unreadable;
}

}  // namespace platform
