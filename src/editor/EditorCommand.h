#pragma once

// What the editor's own switches command. They are bound to controls like parameters, but
// the editor handles them and the host never sees them.
enum class EditorCommand : int
{
    Info = 0,
};
