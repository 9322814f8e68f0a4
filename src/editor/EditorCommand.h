#pragma once

// What the editor's own switches command. They are bound to controls like parameters, but
// the editor handles them and the host never sees them.
enum class EditorCommand : int
{
    Info = 0,
    // The stereo gain panel's view: 0 the gain display, 1 the Scope.
    ScopeView = 1,
};
