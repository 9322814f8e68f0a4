#pragma once

#include <string>
#include <vector>

namespace platform
{

enum class FolderListing
{
    Listed,
    Missing,     // no such folder: nothing to list, nothing wrong
    Unreadable,  // it exists (or cannot be told apart from existing) but cannot be listed
};

// The names of the entries in a folder that are not folders themselves (where the system
// says so), in no particular order.
FolderListing listFolder(const std::string& folder, std::vector<std::string>& names);

}  // namespace platform
