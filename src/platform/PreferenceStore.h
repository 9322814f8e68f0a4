#pragma once

namespace platform
{

// The Info switch's one-byte preference, kept outside projects for the machine or user.
// readPref answers -1 when nothing is stored.
int readPref();
void writePref(int value);
// A failing store tells the user at most once until this is called (each editor opening).
void resetPreferenceWarnings();

}  // namespace platform
