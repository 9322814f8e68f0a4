#pragma once

// Help texts of the information panel, one per control that has one.
extern const char* const kStereoGainPanelHelp;
extern const char* const kSizzleHelp;
extern const char* const kShapeHelp;
extern const char* const kGainHelp;
extern const char* const kStereoWidthHelp;
extern const char* const kWidthDisplayHelp;
extern const char* const kEqualiserHelp;
extern const char* const kActiveSwitchHelp;
extern const char* const kInfoSwitchHelp;
extern const char* const kSizeMenuHelp;
extern const char* const kPresetMenuHelp;
extern const char* const kPunchHelp;
extern const char* const kEqGainHelp;
