#pragma once

#include "glgui/Camera.h"
#include "glgui/DamageRegion.h"
#include "glgui/GuiResources.h"
#include "glgui/ReachProjector.h"
#include "glgui/RetainedFrame.h"
#include "glgui/ScreenRect.h"
#include "window/NativeGlWindow.h"
#include "window/SharedGlContext.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The framework's editor: a child window with an OpenGL context inside the host's window,
// native events turned into mouse and key hooks with y measured upwards, and frames drawn
// on the host's idle calls (at most one per 15 ms) and on every repaint. While nobody can
// see the window no frame is drawn; the first idle call that finds it seen again draws the
// whole picture. Where the picture can be kept offscreen between frames, a frame draws the
// scene again only in the parts its editor marked as changed (once per part, the rest
// clipped away), lets a piece of the scene that alone decides a part's pixels draw that part
// by itself, draws the overlays once over it all, and shows only those parts; a frame where
// nothing changed draws and shows nothing.
//
// What controls draw with (resources, the camera's projection, shadows, the frame's clip)
// is public; what a concrete editor decides (its size, camera, readiness, what changed) goes
// through the protected calls; everything else stays inside.
class VSTGL_Editor : public platform::WindowEventSink
{
public:
    // Button-and-modifier word bits.
    static constexpr int kLeftButton = 2;
    static constexpr int kMiddleButton = 4;
    static constexpr int kRightButton = 8;
    static constexpr int kShift = 16;
    static constexpr int kControl = 32;
    static constexpr int kAlt = 64;
    static constexpr std::uint32_t kFrameIntervalMs = 15;

    struct KeyRecord
    {
        int keyCode;    // letters and digits as lower-case ASCII (platform::WindowEvent)
        int modifiers;  // kShift, kControl, kAlt
        char typed;     // what a press types, printable ASCII, or 0
    };

    // skinFolder: where the skin files live (by default "Skin" beside the module).
    explicit VSTGL_Editor(std::string skinFolder = SkinFiles::moduleSkinFolder());
    ~VSTGL_Editor() override;
    VSTGL_Editor(const VSTGL_Editor&) = delete;
    VSTGL_Editor& operator=(const VSTGL_Editor&) = delete;

    // Opens a child window of the host's (an X11 window id or an HWND, as a pointer); false,
    // and closed, when no window with a GL context could be made in it.
    virtual bool open(void* parentWindow);
    virtual void close();
    virtual void idle();

    bool isOpen() const { return parent != nullptr; }
    // The editor's own window (an X11 window id or an HWND, as a pointer), null while closed.
    void* nativeWindow() const { return device != nullptr ? device->nativeHandle() : nullptr; }
    // The descriptor that becomes readable when window-system events wait for the next idle
    // call (the X connection while open), -1 otherwise: a host with a main loop of its own
    // can call idle when it does instead of polling.
    int eventDescriptor() const { return device != nullptr ? device->eventDescriptor() : -1; }
    bool isGuiReady() const { return guiReady; }
    void renderFrame();

    GuiResources& resources() { return *hub; }
    // The editor's size in design units, which everything but the pixels works in: the
    // scene, the controls, the pointer (its events arrive in design units) and the overlays.
    int editorWidth() const { return designWidth; }
    int editorHeight() const { return designHeight; }
    // Window pixels per design unit, and the window's size in pixels (what a host is told).
    float pixelScale() const { return scale; }
    int pixelWidth() const { return windowWidth; }
    int pixelHeight() const { return windowHeight; }
    const Camera& currentCamera() const { return camera; }
    // The camera's perspective projection, which the scene draws with.
    const ReachProjector& projection() const { return cameraProjection; }
    // A box in overlay coordinates (those of the orthographic view, origin at the window's
    // centre) in window pixels, and a window position in overlay coordinates.
    ScreenRect overlayToWindow(float left, float bottom, float right, float top) const;
    void windowToOverlay(float& x, float& y) const;

    // Shadows: a column-major matrix that flattens the scene onto a plane as seen from a
    // light; controls draw their meshes through it into stencil bit 1, and the overlay then
    // darkens the pixels where that bit lies on the panel's bit 4.
    void makeShadowMatrix(const float planePoint[3], const float planeNormal[3], const float light[4]);
    const float* shadowMatrix() const { return shadow; }
    void beginShadowStencil();
    void drawShadowOverlay();

    // True when the camera's eye moved less than half a unit since the previous frame.
    bool cameraStill() const { return cameraIsStill; }
    // During the scene's drawing: the part of the picture a partial frame draws now, or
    // null when the frame draws everything.
    const ScreenRect* sceneClip() const { return clipActive ? &clip : nullptr; }
    // The pointer's shape once the current pointer event has been handled.
    void requestCursor(platform::PointerCursor shape) { requestedCursor = shape; }

    void handleWindowEvent(const platform::WindowEvent& event) override;

protected:
    virtual void openGui() = 0;
    virtual void closeGui() = 0;
    // The scene: once per changed part of a partial frame, clipped to it (sceneClip), so it
    // must draw the same picture every time within a frame.
    virtual void draw() = 0;
    // Once a frame, after the scene, unclipped: what covers the scene (texts, panels), which
    // the next frame clears by drawing their area again.
    virtual void drawOverlays() {}
    virtual void mouseDown(int, int, int) {}
    virtual void mouseMove(int, int, int) {}
    virtual void mouseUp(int, int, int) {}
    virtual void mouseWheel(int, int, int) {}
    virtual void mouseLeave() {}
    virtual void keyDown(const KeyRecord&) {}
    virtual void keyUp(const KeyRecord&) {}

    // Asked before each idle-paced frame: a frame whose inputs did not change need not be
    // drawn again. Paint messages always draw.
    virtual bool frameWanted() { return true; }

    // Called before every frame, before the region to draw is fixed: the place to mark what
    // changed since the previous frame.
    virtual void prepareFrame() {}
    // Called once a frame that draws, before its scene: what advances with drawn frames.
    virtual void frameBegins() {}

    // Called at the frame pace instead of frames while nobody can see the window (no GL):
    // the place to keep up what the next frame will show.
    virtual void frameUnseen() {}

    // The parts of the scene the next frame must draw again; anything may change on a frame
    // that redraws everything (the first, a repaint, a camera move).
    void invalidate(const ScreenRect& region) { damage.add(region); }
    void invalidateWholeFrame() { wholeFrameDamaged = true; }
    bool drawingWholeFrame() const { return wholeFrameDamaged || !retainedFrame.valid(); }
    // A part the next frame lets drawSole(drawer) draw alone over the kept picture, unless
    // the scene draws there anyway: the drawer must decide every pixel it draws in the part,
    // whatever lies beneath, and nothing else may have changed there.
    void invalidateSole(const ScreenRect& part, int drawer);
    // Draws one piece of the scene by itself, clipped to its part (see invalidateSole).
    virtual void drawSole(int) {}
    // Marks what the frame being drawn put outside its region (texts over the scene), so it
    // is shown too.
    void drewOutsideClip(const ScreenRect& region) { unclipped.unite(region); }

    // The clock that paces idle frames, in milliseconds.
    virtual std::uint32_t tickNow() const { return platform::tickCount(); }

    // The size in design units and how many window pixels a unit takes; the window is the
    // size times the scale, rounded to whole pixels. A new scale takes effect at the next
    // opening.
    void setEditorSize(int width, int height);
    void setPixelScale(float pixelsPerUnit);
    // Open: gives the window the size of another scale and builds the GUI again at it, with
    // the same window and context; false where the window cannot change size (then the
    // editor must be opened again at the new scale).
    bool resizeWindow(float pixelsPerUnit);
    // Moves the camera; the projection, and the one the scene draws with, follow.
    void setCamera(const Camera& where);
    // Frames are drawn only while the concrete editor says its GUI is built.
    void setGuiReady(bool ready);
    // True while a frame is drawn for the window system's repaint.
    bool repainting() const { return paintPending; }
    // The host's window the editor is open in, or null.
    void* parentWindow() const { return parent; }
    // The window moved to a screen of another resolution (Windows tells).
    virtual void desktopScaleChanged() {}

    int width() const { return editorWidth(); }
    int height() const { return editorHeight(); }
    bool hasDevice() const { return device != nullptr; }
    // True where the GL context outlives the window (shared by the process's editors): then
    // GL objects made at an opening are kept until the editor goes, and this makes the
    // context current, with or without the window, to release them. False where the context
    // went with the window and took them along.
    bool makeKeptContextCurrent();
    bool glObjectsKept() const { return glContext != nullptr; }

private:
    struct SolePart
    {
        ScreenRect part;
        int drawer;
    };
    static constexpr std::size_t kMaxSoleParts = 4;

    void destroyDevice();
    // With the window's context current: the textures at the scale's density, the kept
    // picture at the window's size, and the concrete editor's GUI.
    void prepareDrawing();
    // Parts drawn alone that the scene draws anyway, or that overlap each other, go to it.
    void settleSoleParts();
    void drawScene(const DamageRegion& parts, bool whole);
    void drawSoleParts();
    void scissorTo(const ScreenRect& designPart) const;
    // Shows the parts a frame drew (in design units).
    void showFrame(const DamageRegion& parts);
    // Shows the changed parts of the kept picture by reading them back into the window's
    // image (see pixelsReadBack).
    void showReadPixels(const DamageRegion& changed);
    void presentFrame(const DamageRegion& changed);
    void applyCursor();
    void useDenseImages(bool dense);
    std::array<int, 4> overlayBounds() const;
    // Design units to whole window pixels, reaching outwards.
    ScreenRect toPixels(const ScreenRect& designRect) const;

    // First, so it goes last: what the editor keeps in it is released before.
    std::shared_ptr<platform::SharedGlContext> glContext;
    // After glContext: it goes first, while that still exists.
    std::shared_ptr<SpareRenderbuffers> spareFrame;
    std::unique_ptr<GuiResources> hub;
    void* parent = nullptr;
    std::unique_ptr<platform::NativeGlWindow> device;
    int windowWidth = 0;
    int windowHeight = 0;
    int designWidth = 0;
    int designHeight = 0;
    float scale = 1.0f;
    bool guiReady = false;
    bool paintPending = false;
    bool showing = true;
    platform::PointerCursor requestedCursor = platform::PointerCursor::Arrow;
    int sampleCount = 4;
    // Whether GL's entry points were resolved with a context of this editor's current.
    bool glEntryPointsResolved = false;
    // Whether the textures uploaded came from the double-density set.
    bool denseUploaded = false;
    Camera camera{{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, 30.0f};
    ReachProjector cameraProjection{camera, 1, 1};
    float previousEye[3] = {};
    bool cameraIsStill = false;
    float shadow[16] = {};
    std::uint32_t lastIdleFrame = 0;
    RetainedFrame retainedFrame;
    // Where GL draws on the CPU and the window can show pixels itself, frames go to it read
    // back from the kept picture: a copy into the back buffer costs several times more.
    bool pixelsReadBack = false;
    DamageRegion damage;
    std::array<SolePart, kMaxSoleParts> soleParts{};
    std::size_t soleCount = 0;
    ScreenRect clip;
    ScreenRect unclipped;
    bool clipActive = false;
    bool wholeFrameDamaged = true;
};
