#include "editor/EqualiserDisplay.h"

#include "editor/EqualiserGuides.h"
#include "editor/ShaderSet.h"
#include "engine/SpectrumHandOff.h"
#include "glgui/GuiResources.h"
#include "glgui/OpenGL.h"

#include <algorithm>

namespace
{

using Program = ShaderSet::Program;

constexpr const char* kSpectrumTexture = "eq_fft";
// The background shader draws every power at or below -96 dB as its floor: a spectrum that
// changes only down there (a tail dying away into silence) changes no pixel.
constexpr float kSpectrumFloorPower = 2.5e-10f;
constexpr float kGuideWidth = 2.5f;
constexpr float kGuideColour[4] = {0.9f, 0.3f, 0.2f, 0.2f};
constexpr float kCurveWidth = 5.0f;
constexpr float kCurveColour[4] = {0.9f, 0.8f, 0.7f, 1.0f};

void fillColours(std::vector<float>& colours, const float (&colour)[4], std::size_t points)
{
    colours.clear();
    for (std::size_t i = 0; i < points; ++i)
        colours.insert(colours.end(), colour, colour + 4);
}

}  // namespace

EqualiserDisplay::EqualiserDisplay(GuiResources& hub, ShaderSet& programs, const Rectangle& innerArea, int editorWidth,
                                   int editorHeight)
    : resources(hub), shaders(programs), inner(innerArea),
      // Half the size in device units, where the window spans 2.
      ringHalfWidth(kRingSizePixels / static_cast<float>(std::max(editorWidth, 1))),
      ringHalfHeight(kRingSizePixels / static_cast<float>(std::max(editorHeight, 1)))
{
}

void EqualiserDisplay::uploadSpectrum(const float* spectrum)
{
    if (!spectrumLookedUp)
    {
        spectrumPixels = static_cast<float*>(resources.textures().lockPixels(kSpectrumTexture));
        spectrumLookedUp = true;
    }
    if (spectrumPixels == nullptr)
        return;
    std::copy(spectrum, spectrum + kSpectrumPoints, spectrumPixels);
    resources.textures().updateTexture(kSpectrumTexture);
}

bool EqualiserDisplay::spectrumDiffers(const float* spectrum) const
{
    if (spectrum == nullptr)
        return false;
    if (spectrumPixels == nullptr)
        return !spectrumLookedUp;
    return !std::equal(spectrum, spectrum + kSpectrumPoints, spectrumPixels,
                       [](float latest, float shown)
                       { return latest == shown || (latest <= kSpectrumFloorPower && shown <= kSpectrumFloorPower); });
}

void EqualiserDisplay::drawBackground()
{
    shaders.use(Program::FftBack);
    shaders.setInt(Program::FftBack, "texture0", 0);
    resources.bindTexture(kSpectrumTexture);
    // The first texture coordinate runs bottom to top, the second left to right.
    const float bottomLeft[2] = {inner.left, inner.bottom};
    const float topLeft[2] = {inner.left, inner.bottom + inner.height};
    const float bottomRight[2] = {inner.left + inner.width, inner.bottom};
    const float topRight[2] = {inner.left + inner.width, inner.bottom + inner.height};
    // Opaque whatever blending the controls before left on.
    glDisable(GL_BLEND);
    resources.drawQuad(bottomLeft, topLeft, bottomRight, topRight, 0.0f, 0.0f, 1.0f, 1.0f);
}

void EqualiserDisplay::beginRibbons(float width)
{
    shaders.use(Program::LineDraw);
    resources.bindTexture("line.png");
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    resources.stripMode = GuiResources::kRibbonStrip;
    resources.stripLineWidth = width;
}

void EqualiserDisplay::drawGuides(float rangeDb)
{
    const float half = inner.height / 2.0f;
    const EqualiserGuides guides = EqualiserGuides::forRange(rangeDb, half);
    beginRibbons(kGuideWidth);
    resources.stripTexCoords = {0.0f, 0.0f, 1.0f, 1.0f};
    fillColours(resources.stripColours, kGuideColour, 2);
    const float centre = inner.bottom + half;
    for (int i = 0; i < guides.count; ++i)
    {
        for (const float y : {centre + guides.offsets[i], centre - guides.offsets[i]})
        {
            resources.stripPoints = {inner.left, y, inner.left + inner.width, y};
            resources.drawStrip();
        }
    }
    glDisable(GL_BLEND);
}

void EqualiserDisplay::drawCurve(const EqualiserCurveVertices& curve)
{
    beginRibbons(kCurveWidth);
    resources.stripPoints.assign(curve.data(), curve.data() + 2 * curve.size());
    resources.stripTexCoords.clear();
    fillColours(resources.stripColours, kCurveColour, static_cast<std::size_t>(curve.size()));
    resources.drawStrip();
    glDisable(GL_BLEND);
}

void EqualiserDisplay::drawHandles(const Handle* handles, int count)
{
    shaders.use(Program::Texture2D);
    shaders.setInt(Program::Texture2D, "texture0", 0);
    resources.bindTexture("eq_ring.png");
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (int i = 0; i < count; ++i)
    {
        // The left half of the image is the normal ring, the right half the lit one.
        const float s = handles[i].lit ? 0.5f : 0.0f;
        resources.drawCenteredQuad(inner.left + handles[i].x * inner.width, inner.bottom + handles[i].y * inner.height,
                                   ringHalfWidth, ringHalfHeight, s, 0.0f, s + 0.5f, 1.0f);
    }
    glDisable(GL_BLEND);
}
