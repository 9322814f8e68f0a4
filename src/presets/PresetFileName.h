#pragma once

#include <string>
#include <string_view>

// A preset's name made fit to be a file's name on every system we ship for: characters that
// Windows or Linux refuse in a name ("\/:*?"<>|" and control characters) become '_', leading
// and trailing spaces and dots go, a name Windows keeps for a device (CON, NUL, COM1, ...)
// gains a trailing '_'; cut to the length a program file's name field holds. Empty when
// nothing usable is left.
std::string safePresetName(std::string_view name);
