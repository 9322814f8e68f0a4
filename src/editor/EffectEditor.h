#pragma once

#include "shell/AEffEditor.h"

// The plug-in's editor: a 512 x 624 window. Until the OpenGL framework gives it a window
// it answers its size and declines to open.
class EffectEditor : public AEffEditor
{
public:
    static constexpr VstInt16 kWidth = 512;
    static constexpr VstInt16 kHeight = 624;

    explicit EffectEditor(AudioEffect* owner);

    bool getRect(ERect** rect) override;
    bool open(void* parentWindow) override;
    void close() override {}
    void idle() override {}
    void parameterChanged(VstInt32, float) override {}

private:
    ERect rectangle;
};
