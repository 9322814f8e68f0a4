#pragma once

#include <string>

// A plug-in module file opened the way hosts open one (LoadLibrary, or dlopen with local
// symbols). It stays open for the life of the process: a module's windows, GL driver and
// threads may still point into it after its last instance has gone.
struct OpenedLibrary
{
    void* handle = nullptr;  // null when opening failed
    std::string error;       // why, empty on success
};

OpenedLibrary openSharedLibrary(const std::string& path);

// The address of an exported function or variable; null when the module has none by that name.
void* findLibrarySymbol(void* handle, const char* name);
