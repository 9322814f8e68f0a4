#include "glgui/GuiResources.h"

#include "glgui/CameraMatrix.h"
#include "glgui/OpenGL.h"

#include <algorithm>
#include <cmath>
#include <system_error>

namespace
{

constexpr float kRibbonWidthScale = 0.001f;

}  // namespace

GuiResources::GuiResources(std::string skinFolder) : skinFiles(std::move(skinFolder)) {}

void GuiResources::loadSkin(const SkinManifest& manifest)
{
    std::shared_ptr<const SkinData> shared = SkinData::acquire(skinFiles.folder(), manifest);
    textureBank.attach(*shared);
    modelBank.attach(*shared);
    fontBank.attach(*shared);
    skinData = std::move(shared);
    // The 2D images and fonts have a double-density twin; models and shaders have none.
    denseManifest = SkinManifest{};
    for (const std::string& name : manifest.textures)
    {
        if (!isTextureDescriptionString(name))
            denseManifest.textures.push_back(name);
    }
    denseManifest.fonts = manifest.fonts;
}

std::string GuiResources::denseFolder() const
{
    const std::string& folder = skinFiles.folder();
    return folder.empty() ? folder : folder + "2x" + folder.back();
}

void GuiResources::prepareDoubleDensity()
{
    if (denseSkin != nullptr || skinData == nullptr || denseDecoding.valid())
        return;
    try
    {
        denseDecoding = std::async(std::launch::async, SkinData::acquire, denseFolder(), denseManifest,
                                   SkinData::MissingFiles::Ignore);
    }
    catch (const std::system_error&)
    {
        // No thread to be had: useDoubleDensity decodes it then.
    }
}

void GuiResources::useDoubleDensity(bool dense)
{
    if (dense && denseSkin == nullptr && skinData != nullptr)
    {
        // What the other thread threw (out of memory) comes out of get().
        denseSkin = denseDecoding.valid() ? denseDecoding.get()
                                          : SkinData::acquire(denseFolder(), denseManifest, SkinData::MissingFiles::Ignore);
    }
    const SkinData* source = dense ? denseSkin.get() : nullptr;
    textureBank.useDenseImages(source);
    fontBank.useDenseGlyphs(source);
}

void GuiResources::setViews(const float perspectiveMatrix[16], int width, int height, int pixelWidth, int pixelHeight)
{
    std::copy(perspectiveMatrix, perspectiveMatrix + 16, perspective);
    camera_matrix::orthographic(width, height, orthographic);
    viewHeight = height;
    pixelViewWidth = pixelWidth;
    pixelViewHeight = pixelHeight;
    viewMode = ViewMode::NoView;
}

void GuiResources::setPerspectiveView()
{
    if (viewMode == ViewMode::Perspective)
        return;
    viewMode = ViewMode::Perspective;
    loadView(perspective);
}

void GuiResources::setOrthoView()
{
    if (viewMode == ViewMode::Orthographic)
        return;
    viewMode = ViewMode::Orthographic;
    loadView(orthographic);
}

void GuiResources::loadView(const float matrix[16])
{
    glViewport(0, 0, pixelViewWidth, pixelViewHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(matrix);
    glMatrixMode(GL_MODELVIEW);
}

void GuiResources::bindTexture(std::string_view name)
{
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, textureBank.getTexture(name));
}

void GuiResources::drawQuad(const float a[2], const float b[2], const float c[2], const float d[2], float s0, float t0,
                            float s1, float t1)
{
    stripMode = kVertexStrip;
    stripPoints = {a[0], a[1], b[0], b[1], c[0], c[1], d[0], d[1]};
    stripTexCoords = {s0, t0, s1, t0, s0, t1, s1, t1};
    stripColours.clear();
    drawStrip();
}

void GuiResources::drawCenteredQuad(float cx, float cy, float hx, float hy, float s0, float t0, float s1, float t1)
{
    stripMode = kVertexStrip;
    stripPoints = {cx - hx, cy - hy, cx - hx, cy + hy, cx + hx, cy - hy, cx + hx, cy + hy};
    stripTexCoords = {s0, t0, s0, t1, s1, t0, s1, t1};
    stripColours.clear();
    drawStrip();
}

void GuiResources::drawStrip()
{
    const std::size_t n = stripPoints.size() / 2;
    if (n <= 1)
        return;
    std::vector<float> vertices;
    std::vector<float> texCoords;
    std::vector<float> colours;
    const bool perPointColours = stripColours.size() == 4 * n;
    if (stripMode == kVertexStrip)
    {
        vertices.assign(stripPoints.begin(), stripPoints.begin() + static_cast<std::ptrdiff_t>(2 * n));
        if (stripTexCoords.size() == 2 * n)
            texCoords = stripTexCoords;
        if (perPointColours)
            colours = stripColours;
    }
    else
    {
        // A ribbon of the line width around the polyline; v runs 0..1 across it.
        const float halfWidth = stripLineWidth * kRibbonWidthScale;
        for (std::size_t i = 0; i < n; ++i)
        {
            const float px = stripPoints[2 * i];
            const float py = stripPoints[2 * i + 1];
            float mx = 0.0f;
            float my = 0.0f;
            const auto addNormal = [&](float dx, float dy)
            {
                const float length = std::sqrt(dx * dx + dy * dy);
                if (length > 0.0f)
                {
                    mx += dy / length;
                    my += -dx / length;
                }
            };
            if (i + 1 < n)
                addNormal(stripPoints[2 * i + 2] - px, stripPoints[2 * i + 3] - py);
            if (i > 0)
                addNormal(px - stripPoints[2 * i - 2], py - stripPoints[2 * i - 1]);
            const float length = std::sqrt(mx * mx + my * my);
            if (length > 0.0f)
            {
                mx /= length;
                my /= length;
            }
            vertices.insert(vertices.end(),
                            {px - mx * halfWidth, py - my * halfWidth, px + mx * halfWidth, py + my * halfWidth});
            const float u = static_cast<float>(i);
            texCoords.insert(texCoords.end(), {u, 0.0f, u, 1.0f});
            if (perPointColours)
            {
                colours.insert(colours.end(), stripColours.begin() + static_cast<std::ptrdiff_t>(4 * i),
                               stripColours.begin() + static_cast<std::ptrdiff_t>(4 * i + 4));
                colours.insert(colours.end(), stripColours.begin() + static_cast<std::ptrdiff_t>(4 * i),
                               stripColours.begin() + static_cast<std::ptrdiff_t>(4 * i + 4));
            }
        }
    }
    const std::size_t count = vertices.size() / 2;
    std::vector<unsigned short> indices(count);
    for (std::size_t i = 0; i < count; ++i)
        indices[i] = static_cast<unsigned short>(i);

    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, vertices.data());
    if (!texCoords.empty())
    {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, texCoords.data());
    }
    if (!colours.empty())
    {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, 0, colours.data());
    }
    glNormal3f(0.0f, 0.0f, 1.0f);
    glColor4f(1.0f, 1.0f, 0.5f, 1.0f);
    glDrawElements(GL_TRIANGLE_STRIP, static_cast<GLsizei>(count), GL_UNSIGNED_SHORT, indices.data());
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glEnable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);
}
