#pragma once

// The name our host programs give plug-ins that ask, whatever the format.
constexpr char kHostKitName[] = "Vantor host kit";
