#pragma once

namespace platform
{

// The settings that outlive projects and instances: the editor's Info switch, the editor
// size a user picked, and the stereo gain panel's view. Each is kept per machine or per user, never in a host's
// project, and looked for in this order (the Info switch's names shown):
//
//   Windows  HKLM\Software\Brackwel\VantorPro value "Pref1", then the same under HKCU,
//            then the file Brackwel\a in the per-user application-data folder.
//   Linux    <first of $XDG_CONFIG_DIRS, default /etc/xdg>/Brackwel/VantorPro/Pref1, then
//            <$XDG_CONFIG_HOME, default ~/.config>/Brackwel/VantorPro/Pref1, then the file
//            <$XDG_DATA_HOME, default ~/.local/share>/Brackwel/a.
//
// Every place holds one byte. Nothing is cached: each read goes to the store. Editor thread
// only; several instances may write at once and the last write wins.
class PreferenceStore
{
public:
    struct Names
    {
        const char* keyedValue;    // the value in the keyed places
        const char* fallbackFile;  // the file in Brackwel/ of the per-user data folder
    };
    static constexpr Names kInfoSwitch{"Pref1", "a"};
    static constexpr Names kEditorSize{"EditorSize", "EditorSize"};
    static constexpr Names kScopeView{"ScopeView", "ScopeView"};

    explicit PreferenceStore(Names stored = kInfoSwitch) : names(stored) {}

    // The stored byte (0..255), or -1 when nothing could be read. A machine-wide place that
    // exists without the value answers -1 without looking further, as an administrator's
    // setting is meant to.
    int readPref() const;

    // Stores value truncated to one byte in the first place that takes it. When none does,
    // the user is told once in this store's lifetime (one store per editor opening), so a
    // broken set-up never stacks up message boxes.
    bool writePref(int value);

private:
    void warnOnce(const char* text);

    Names names;
    bool warned = false;
};

}  // namespace platform
