#pragma once

#include "glgui/FontBank.h"
#include "glgui/ModelBank.h"
#include "glgui/SkinData.h"
#include "glgui/SkinFiles.h"
#include "glgui/TextureBank.h"

#include <future>
#include <memory>
#include <string>
#include <vector>

// The editor's resource hub: the skin folder's files, the shared decoded skin with this
// editor's texture, model and font registries over it, the current view (perspective or
// orthographic) and the flat geometry (quads and ribbon strips) the displays draw.
class GuiResources
{
public:
    enum class ViewMode
    {
        NoView,
        Perspective,
        Orthographic,
    };

    // Strip mode 1 draws the points as the strip's vertices; 0 draws a ribbon around them.
    static constexpr int kRibbonStrip = 0;
    static constexpr int kVertexStrip = 1;

    explicit GuiResources(std::string skinFolder);
    GuiResources(const GuiResources&) = delete;
    GuiResources& operator=(const GuiResources&) = delete;

    // Takes the process's decoded copy of the manifest's files (decoding it when no editor
    // holds one); throws std::bad_alloc when memory runs out.
    void loadSkin(const SkinManifest& manifest);
    // Starts decoding the double-density set on another thread, when nothing holds it yet,
    // so that it is ready by the time useDoubleDensity(true) asks for it.
    void prepareDoubleDensity();
    // Whether the 2D images and fonts are drawn from the skin's double-density set ("2x/"
    // beside the others), decoded on first use; where it lacks a file the normal one stays.
    // At opening, before the textures are uploaded. Throws std::bad_alloc when memory runs
    // out for it.
    void useDoubleDensity(bool dense);
    // The decoded skin this editor draws from; null before loadSkin.
    const std::shared_ptr<const SkinData>& skin() const { return skinData; }

    SkinFiles& files() { return skinFiles; }
    TextureBank& textures() { return textureBank; }
    const TextureBank& textures() const { return textureBank; }
    ModelBank& models() { return modelBank; }
    FontBank& fonts() { return fontBank; }
    // Whether the editor's GL side is up, so drawing calls may run.
    bool guiReady() const { return drawingAllowed; }
    void setGuiReady(bool ready) { drawingAllowed = ready; }

    // The editor's two views: its camera's projection and the overlay's (one unit a design
    // unit over width x height units), drawn into a window of pixelWidth x pixelHeight.
    // Set whenever the camera or the size changes.
    void setViews(const float perspectiveMatrix[16], int width, int height, int pixelWidth, int pixelHeight);
    // Window pixels per design unit: line widths and other sizes GL takes in pixels follow.
    float pixelScale() const { return viewHeight > 0 ? static_cast<float>(pixelViewHeight) / viewHeight : 1.0f; }

    // GL side, with the editor's context current.
    void setPerspectiveView();
    void setOrthoView();
    void resetViewMode() { viewMode = ViewMode::NoView; }
    ViewMode currentViewMode() const { return viewMode; }
    void bindTexture(std::string_view name);

    void drawQuad(const float a[2], const float b[2], const float c[2], const float d[2], float s0, float t0, float s1,
                  float t1);
    void drawCenteredQuad(float cx, float cy, float hx, float hy, float s0, float t0, float s1, float t1);

    // The strip lists callers fill before drawStrip.
    std::vector<float> stripPoints;     // x, y per point
    std::vector<float> stripTexCoords;  // s, t per point
    std::vector<float> stripColours;    // r, g, b, a per point
    float stripLineWidth = 1.0f;
    int stripMode = kVertexStrip;
    void drawStrip();

private:
    void loadView(const float matrix[16]);
    std::string denseFolder() const;

    SkinFiles skinFiles;
    // Declared before the banks that point into it.
    std::shared_ptr<const SkinData> skinData;
    SkinManifest denseManifest;
    std::shared_ptr<const SkinData> denseSkin;
    std::future<std::shared_ptr<const SkinData>> denseDecoding;
    TextureBank textureBank;
    ModelBank modelBank{textureBank};
    FontBank fontBank{*this};
    ViewMode viewMode = ViewMode::NoView;
    bool drawingAllowed = false;
    float perspective[16] = {};
    float orthographic[16] = {};
    int viewHeight = 0;
    int pixelViewWidth = 0;
    int pixelViewHeight = 0;
};
