#pragma once

#include <cstdint>
#include <string>

// The operating-system side of the preference store: the two keyed places (machine, then
// user), the per-user data folder of the file fallback, and the user's preset folder.
namespace platform::preference_places
{

enum class Scope
{
    Machine,
    User,
};

enum class KeyedRead
{
    NoPlace,  // the place does not exist: look in the next one
    NoValue,  // the place exists but holds no readable value: the answer is "nothing stored"
    Value,
};

// `name` is the value's name in the keyed place.
KeyedRead readKeyed(Scope scope, const char* name, std::uint8_t& value);

// True only when the byte was stored; a place that opens but refuses the value counts as
// not written, so the next place gets its chance.
bool writeKeyed(Scope scope, const char* name, std::uint8_t value);

// The per-user data folder with a trailing separator, created when missing; empty when the
// system cannot give one.
std::string userDataFolder();

// Creates one folder level; an existing folder is fine.
bool makeFolder(const std::string& path);

// Creates every missing level of an absolute folder path; an existing folder is fine.
bool makeFolders(const std::string& path);

// The folder of the user's own presets, with a trailing separator: on Linux
// $XDG_DATA_HOME/Brackwel/Vantor Pro/Presets (~/.local/share when unset), on Windows
// %APPDATA%\Brackwel\Vantor Pro\Presets. Nothing is created; empty when the system cannot
// give the folder above it.
std::string userPresetFolder();

}  // namespace platform::preference_places
