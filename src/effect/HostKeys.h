#pragma once

// Keys a host passes on itself instead of giving the editor's window the keyboard (VST 2.4's
// effEditKeyDown, VST3's IPlugView::onKeyDown). Both formats number their virtual keys and
// modifier bits alike, so one translation serves both; each shell checks its ABI's numbers
// against these.
namespace host_keys
{

constexpr int kBack = 1;
constexpr int kReturn = 4;
constexpr int kEscape = 6;
constexpr int kSpace = 7;
constexpr int kEnter = 19;

constexpr int kShift = 1 << 0;
constexpr int kAlternate = 1 << 1;
constexpr int kCommand = 1 << 2;
constexpr int kControl = 1 << 3;

}  // namespace host_keys

// A key as the editor takes it (EditorView::keyPressed).
struct EditorKey
{
    int code;
    int modifiers;
    char typed;
};

// `character` is what the key types (0 for a virtual key), `virtualKey` one of host_keys' or
// another virtual key (0 for a character), `modifiers` the host's modifier bits. Letters
// reach the editor lower-case, as its shortcuts are written; only printable ASCII types.
EditorKey editorKeyOf(int character, int virtualKey, int modifiers);
