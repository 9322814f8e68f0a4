#pragma once

#include "glgui/VSTGL_Editor.h"

class EngineHost;

// The plug-in's editor: a 512 x 624 OpenGL window drawn from the skin folder's resources.
class EffectEditor : public VSTGL_Editor
{
public:
    static constexpr VstInt16 kWidth = 512;
    static constexpr VstInt16 kHeight = 624;

    // engine may be null (the effect came up without one): the editor then draws nothing.
    EffectEditor(AudioEffect* owner, EngineHost* engine);
    ~EffectEditor() override;

protected:
    void openGui() override;
    void closeGui() override;
    void draw() override;

private:
    void registerResources();

    EngineHost* engineHost;
};
