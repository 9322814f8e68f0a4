#pragma once

// What the effect has to tell its host, in whichever plug-in format carries it: each shell
// implements this and turns the calls into its format's requests to the host.
class EffectHostLink
{
public:
    virtual ~EffectHostLink() = default;

    // The latency the host should compensate, in samples (a program change sets it again).
    // Nothing by default: CLAP and VST3 hosts hear of it only at activation, when the shell
    // announces it itself.
    virtual void latencyChanged(int) {}
    // A program went into the engine: the host may want to read names and values again.
    // Nothing by default: CLAP, VST3 and LV2 hosts read the values again after a state load
    // on their own, or as the shell asks them there.
    virtual void programChanged() {}

    // The user's edits in the editor: a gesture begins, a value was set (it is already in
    // the effect), a gesture ends. Called on the editor's thread.
    virtual bool editBegun(int index) = 0;
    virtual void valueEdited(int index, float value) = 0;
    virtual bool editEnded(int index) = 0;
    // The editor wants its window at a new size in pixels (a new scale); false when the host
    // will not give it.
    virtual bool editorResizeRequested(int width, int height) = 0;
};
