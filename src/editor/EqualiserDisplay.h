#pragma once

#include "editor/EqualiserCurveVertices.h"

class GuiResources;
class ShaderSet;
class SpectrumHandOff;

// What the equaliser draws inside its inner rectangle (normalised device coordinates): the
// live output spectrum as background, the dB guide lines, the curve and a ring per point.
class EqualiserDisplay
{
public:
    using Rectangle = EqualiserCurveVertices::Rectangle;
    // A point's ring, wide and high on screen.
    static constexpr float kRingSizePixels = 32.0f;

    struct Handle
    {
        float x;
        float y;
        bool lit;  // selected and under the pointer
    };

    EqualiserDisplay(GuiResources& resources, ShaderSet& shaders, const Rectangle& inner, int editorWidth,
                     int editorHeight);

    // Copies the spectrum the engine completed last into the "eq_fft" texture.
    void uploadSpectrum(SpectrumHandOff& spectrum);
    // Whether the engine has completed a spectrum other than the one shown.
    bool spectrumChanged(const SpectrumHandOff& spectrum) const;
    void drawBackground();
    void drawGuides(float rangeDb);
    void drawCurve(const EqualiserCurveVertices& curve);
    void drawHandles(const Handle* handles, int count);

    const Rectangle& area() const { return inner; }

private:
    GuiResources& resources;
    ShaderSet& shaders;
    Rectangle inner;
    float ringHalfWidth;
    float ringHalfHeight;
    float* spectrumPixels = nullptr;
    bool spectrumLookedUp = false;
};
