#pragma once

#include "editor/EqualiserCurveVertices.h"

class GuiResources;
class ShaderSet;

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

    // Copies a spectrum of 512 points into the "eq_fft" texture.
    void uploadSpectrum(const float* spectrum);
    // Whether showing the spectrum would change the picture the texture gives (null counts as
    // shown).
    bool spectrumDiffers(const float* spectrum) const;
    void drawBackground();
    void drawGuides(float rangeDb);
    void drawCurve(const EqualiserCurveVertices& curve);
    void drawHandles(const Handle* handles, int count);

    const Rectangle& area() const { return inner; }

private:
    // The line program and its texture, blended, for ribbons of the given width.
    void beginRibbons(float width);

    GuiResources& resources;
    ShaderSet& shaders;
    Rectangle inner;
    float ringHalfWidth;
    float ringHalfHeight;
    float* spectrumPixels = nullptr;
    bool spectrumLookedUp = false;
};
