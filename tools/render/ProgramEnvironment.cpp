#include "ProgramEnvironment.h"

#include <cstdio>
#include <cstdlib>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>

#include <climits>
#endif

std::string executableFolder()
{
    std::string path;
#if defined(_WIN32)
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        path.assign(buffer, length);
#else
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer)
        path.assign(buffer, static_cast<std::size_t>(length));
#endif
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

bool stderrIsTerminal()
{
#if defined(_WIN32)
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

std::string environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}
