#include "editor/ScopeView.h"

#include "editor/EditorModel.h"
#include "editor/ShaderSet.h"
#include "engine/StereoImageReading.h"
#include "glgui/OpenGL.h"

#include <cstring>

namespace
{

// Whether two readings draw the same: the meters' values, and the points where they show.
bool drawsAlike(const StereoImageReading& a, const StereoImageReading& b)
{
    if (a.correlationFast != b.correlationFast || a.correlationSlow != b.correlationSlow || a.balance != b.balance)
        return false;
    const bool audible = ScopeBallistics::audible(a);
    if (audible != ScopeBallistics::audible(b))
        return false;
    return !audible ||
           (a.pointCount == b.pointCount &&
            std::memcmp(a.points, b.points, sizeof(ScopePoint) * static_cast<std::size_t>(a.pointCount)) == 0);
}

const StereoImageReading& sideOf(const StereoImageSnapshot& snapshot, ScopeSource source)
{
    return source == ScopeSource::Input ? snapshot.input : snapshot.output;
}

void drawQuads(const GlowQuads& quads)
{
    glVertexPointer(2, GL_FLOAT, 0, quads.positionData());
    glTexCoordPointer(3, GL_FLOAT, 0, quads.shapeData());
    glColorPointer(4, GL_FLOAT, 0, quads.colourData());
    glDrawArrays(GL_QUADS, 0, 4 * quads.quadCount());
}

}  // namespace

ScopeView::ScopeView(const EditorModel& editorModel, const GlowQuads::Frame& frame)
    : model(editorModel), shown(std::make_unique<StereoImageSnapshot>()), faceQuads(frame), lightQuads(frame)
{
    scope_picture::face(faceQuads);
    build();
}

ScopeView::~ScopeView() = default;

bool ScopeView::imageWaits() const
{
    const StereoImageSnapshot* latest = model.stereoImage();
    if (latest == nullptr || (everShown && model.stereoImagesTaken() == shownCount))
        return false;
    const StereoImageReading& reading = sideOf(*latest, shownSource);
    ScopeBallistics next = shownSource == ScopeSource::Input ? inputBallistics : outputBallistics;
    const ScopeBallistics& now = shownSource == ScopeSource::Input ? inputBallistics : outputBallistics;
    next.take(reading, model.takenAt());
    return !everShown || !drawsAlike(reading, sideOf(*shown, shownSource)) || !next.looksLike(now);
}

bool ScopeView::animating() const
{
    return model.stereoImageWaiting() || imageWaits();
}

bool ScopeView::pictureDue() const
{
    return imageWaits() && (!everShown || model.takenAt() - shownAt >= kDrawIntervalMs);
}

void ScopeView::advanceFrame()
{
    if (pictureDue())
        showLatest();
}

void ScopeView::showLatest()
{
    const StereoImageSnapshot* latest = model.stereoImage();
    if (latest != nullptr)
    {
        *shown = *latest;
        outputBallistics.take(shown->output, model.takenAt());
        inputBallistics.take(shown->input, model.takenAt());
    }
    shownCount = model.stereoImagesTaken();
    shownAt = model.takenAt();
    everShown = true;
    build();
}

void ScopeView::switchSource()
{
    shownSource = shownSource == ScopeSource::Output ? ScopeSource::Input : ScopeSource::Output;
    showLatest();
}

void ScopeView::build()
{
    lightQuads.clear();
    const ScopeBallistics& ballistics = shownSource == ScopeSource::Input ? inputBallistics : outputBallistics;
    scope_picture::light(sideOf(*shown, shownSource), ballistics, shownSource, lightQuads);
}

void ScopeView::draw(ShaderSet& shaders) const
{
    GLint sourceFactor = GL_SRC_ALPHA;
    GLint destinationFactor = GL_ONE_MINUS_SRC_ALPHA;
    glGetIntegerv(GL_BLEND_SRC, &sourceFactor);
    glGetIntegerv(GL_BLEND_DST, &destinationFactor);
    const bool blending = glIsEnabled(GL_BLEND) == GL_TRUE;

    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    shaders.use(ShaderSet::Program::Scope);
    glDisable(GL_BLEND);
    drawQuads(faceQuads);
    // Light adds up, as on a phosphor screen.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    drawQuads(lightQuads);
    ShaderSet::useNone();
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glEnable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);

    glBlendFunc(static_cast<GLenum>(sourceFactor), static_cast<GLenum>(destinationFactor));
    if (!blending)
        glDisable(GL_BLEND);
}
