#include "glgui/VSTGL_Editor.h"

#include "glgui/FrameCapture.h"
#include "glgui/GlEntryPoints.h"
#include "glgui/OpenGL.h"
#include "glgui/SpareRenderbuffers.h"
#include "platform/MessageBox.h"
#include "window/GlRenderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <string>

namespace
{

constexpr const char* kNoInterfaceMessage =
    "Unable to create plug-in interface. Please update your graphics card drivers.";
constexpr const char* kErrorCaption = "ERROR";
// Far from any eye position, so an opening's first frame counts as a camera move.
constexpr float kUnsetEye = 1000.0f;
// From here up a magnified 1x image would look soft: the double-density set is drawn.
constexpr float kDenseImagesFromScale = 1.5f;

}  // namespace

VSTGL_Editor::VSTGL_Editor(std::string skinFolder) : hub(std::make_unique<GuiResources>(std::move(skinFolder))) {}

VSTGL_Editor::~VSTGL_Editor()
{
    destroyDevice();
    if (makeKeptContextCurrent())
    {
        hub->textures().releaseAll();
        spareFrame.reset();
    }
}

bool VSTGL_Editor::makeKeptContextCurrent()
{
    if (glContext == nullptr)
        return false;
    if (device != nullptr)
        device->makeCurrent();
    else
        glContext->makeCurrentAlone();
    return true;
}

bool VSTGL_Editor::open(void* parentWindow)
{
    // Without a parent there is nothing to open into.
    if (parentWindow == nullptr)
        return false;
    // Hosts sometimes open twice without closing; start from a clean state.
    if (parent != nullptr)
        close();
    parent = parentWindow;
    showing = true;
    for (float& axis : previousEye)
        axis = kUnsetEye;

    // Decoded meanwhile on another core: making a GL context takes longer.
    if (scale >= kDenseImagesFromScale)
        hub->prepareDoubleDensity();
    std::string error;
    if (glContext == nullptr)
        glContext = platform::SharedGlContext::acquire(sampleCount, error);
    if (error.empty())
        device = platform::NativeGlWindow::create(parentWindow, pixelWidth(), pixelHeight(), glContext.get(),
                                                  sampleCount, *this, error);
    // Resolved with the first window whose context was current: a context kept from an
    // opening whose window failed never had them.
    if (device != nullptr && !glEntryPointsResolved)
        glEntryPointsResolved = initialiseGlEntryPoints();
    if (device == nullptr || !glEntryPointsResolved)
    {
        destroyDevice();
        if (!error.empty())
            platform::showMessageBox(error.c_str(), kErrorCaption, platform::MessageIcon::Exclamation);
        platform::showMessageBox(kNoInterfaceMessage, kErrorCaption, platform::MessageIcon::Exclamation);
        // The host must know nothing opened: it would otherwise keep a window it believes
        // holds the editor, and the next opening would start from a half-made one.
        parent = nullptr;
        return false;
    }
    // Closed editors' buffers serve the next opening where every editor's objects are one
    // context's.
    if (glContext != nullptr && spareFrame == nullptr)
        spareFrame = SpareRenderbuffers::shared();
    prepareDrawing();
    return true;
}

void VSTGL_Editor::prepareDrawing()
{
    hub->resetViewMode();
    const bool dense = scale >= kDenseImagesFromScale;
    // Textures kept from an opening at another density are made again from the other set.
    if (hub->textures().uploaded() && dense != denseUploaded)
        hub->textures().releaseAll();
    useDenseImages(dense);
    denseUploaded = dense;
    // Where every editor's objects are the process's context's, so are the skin's textures.
    hub->textures().uploadAll(glContext != nullptr);
    // Multisampled pictures are drawn straight to the window: there the drawing is cheap.
    if (sampleCount == 0)
        retainedFrame.create(pixelWidth(), pixelHeight(), spareFrame.get());
    pixelsReadBack = retainedFrame.valid() && device->showsPixels() && platform::rendererDrawsOnCpu() &&
                     RetainedFrame::readsTopDown();
    device->drawOffscreenOnly(pixelsReadBack);
    device->makeCurrent();
    wholeFrameDamaged = true;
    openGui();
    if (sampleCount != 0)
        enableMultisampling();
}

bool VSTGL_Editor::resizeWindow(float pixelsPerUnit)
{
    const auto newWidth = static_cast<int>(std::lround(designWidth * pixelsPerUnit));
    const auto newHeight = static_cast<int>(std::lround(designHeight * pixelsPerUnit));
    if (device == nullptr || !device->resize(newWidth, newHeight))
        return false;
    device->runGuarded(
        [&]
        {
            device->makeCurrent();
            closeGui();
            retainedFrame.release();
            setPixelScale(pixelsPerUnit);
            prepareDrawing();
        });
    return true;
}

void VSTGL_Editor::useDenseImages(bool dense)
{
    // Out of memory for the larger images, the normal ones still draw.
    try
    {
        hub->useDoubleDensity(dense);
    }
    catch (const std::bad_alloc&)
    {
        hub->useDoubleDensity(false);
    }
}

void VSTGL_Editor::close()
{
    if (parent == nullptr)
        return;
    if (device == nullptr)
    {
        closeGui();
        parent = nullptr;
        return;
    }
    // Hosts may destroy their window before effEditClose (the user closed it through the
    // window manager): then nothing is drawn, and nothing the window system says about the
    // vanished window may reach the host.
    const bool alive = device->isAlive();
    device->runGuarded(
        [&]
        {
            if (alive)
            {
                renderFrame();
                device->makeCurrent();
            }
            else if (glContext != nullptr)
            {
                glContext->makeCurrentAlone();
            }
            closeGui();
            // A context that stays must not keep a closed editor's picture.
            if (alive || glContext != nullptr)
                retainedFrame.release(spareFrame.get());
            else
                retainedFrame.abandon();
            // The decoded images stay for the next opening; the textures too where the
            // context does.
            if (glContext == nullptr)
                hub->textures().releaseAll();
        });
    destroyDevice();
    pixelsReadBack = false;
    parent = nullptr;
}

void VSTGL_Editor::destroyDevice()
{
    device.reset();
}

void VSTGL_Editor::idle()
{
    if (device == nullptr)
        return;
    // A vanished parent closes the editor quietly.
    if (!device->isAlive())
    {
        close();
        return;
    }
    device->runGuarded(
        [&]
        {
            device->pumpEvents();
            const bool wasShowing = showing;
            showing = device->isShowing();
            // Seen again: the whole picture, with whatever changed meanwhile, at once.
            const bool shownAgain = showing && !wasShowing;
            if (shownAgain)
                wholeFrameDamaged = true;
            const std::uint32_t now = tickNow();
            if (now - lastIdleFrame < kFrameIntervalMs && !shownAgain)
                return;
            lastIdleFrame = now;
            if (!showing)
                frameUnseen();
            else if (frameWanted() || shownAgain)
                renderFrame();
        });
}

void VSTGL_Editor::renderFrame()
{
    if (!guiReady)
        return;
    float moved = 0.0f;
    for (int axis = 0; axis < 3; ++axis)
    {
        moved += std::fabs(camera.eye[axis] - previousEye[axis]);
        previousEye[axis] = camera.eye[axis];
    }
    cameraIsStill = moved < 0.5f;
    if (device != nullptr)
        device->makeCurrent();
    // Another editor may have drawn with the same context since.
    hub->resetViewMode();
    prepareFrame();
    if (!cameraIsStill)
        wholeFrameDamaged = true;
    const bool whole = drawingWholeFrame();
    if (whole)
        soleCount = 0;
    settleSoleParts();
    if (!whole && damage.empty() && soleCount == 0)
        return;
    DamageRegion parts;
    if (whole)
        parts.add(ScreenRect{0, 0, width(), height()});
    else
        parts = damage;
    damage.clear();
    wholeFrameDamaged = false;
    unclipped = ScreenRect{};
    frameBegins();
    if (retainedFrame.valid())
        retainedFrame.bindForDrawing();
    drawScene(parts, whole);
    drawSoleParts();
    drawOverlays();
    for (std::size_t i = 0; i < soleCount; ++i)
        parts.add(soleParts[i].part);
    soleCount = 0;
    parts.add(unclipped);
    showFrame(parts);
}

void VSTGL_Editor::showFrame(const DamageRegion& parts)
{
    // What the frame changed on screen, in window pixels.
    const ScreenRect window{0, 0, pixelWidth(), pixelHeight()};
    DamageRegion changed;
    for (const ScreenRect& part : parts)
    {
        const ScreenRect pixels = toPixels(part);
        changed.add(ScreenRect{std::max(pixels.minX, 0), std::max(pixels.minY, 0), std::min(pixels.maxX, window.maxX),
                               std::min(pixels.maxY, window.maxY)});
    }
    if (pixelsReadBack && device != nullptr)
    {
        showReadPixels(changed);
        return;
    }
    // Only a window that keeps its whole picture between frames may be given just the change.
    const bool showPart = retainedFrame.valid() && device != nullptr && device->showsParts();
    if (!showPart)
    {
        changed.clear();
        changed.add(window);
    }
    if (retainedFrame.valid())
    {
        for (const ScreenRect& part : changed)
            retainedFrame.copyToWindow(part);
    }
    if (device != nullptr)
        presentFrame(changed);
}

void VSTGL_Editor::showReadPixels(const DamageRegion& changed)
{
    int rowLength = 0;
    std::uint32_t* image = device->pixelImage(rowLength);
    for (const ScreenRect& part : changed)
    {
        const auto topRow = static_cast<std::ptrdiff_t>(pixelHeight() - part.maxY);
        retainedFrame.readPixelsTopDown(part, image + topRow * rowLength + part.minX, rowLength);
        device->showPixelImage(part.minX, part.minY, part.maxX - part.minX, part.maxY - part.minY);
    }
    // The capture reads what the frame drew.
    retainedFrame.bindForDrawing();
    captureFrameIfRequested(pixelWidth(), pixelHeight());
}

void VSTGL_Editor::invalidateSole(const ScreenRect& part, int drawer)
{
    if (part.empty())
        return;
    if (soleCount == kMaxSoleParts)
    {
        damage.add(part);
        return;
    }
    soleParts[soleCount++] = SolePart{part, drawer};
}

void VSTGL_Editor::settleSoleParts()
{
    // Moving a part to the scene may make the scene reach others: look again until none does.
    for (std::size_t i = 0; i < soleCount;)
    {
        bool overlapped = false;
        for (const ScreenRect& scene : damage)
            overlapped = overlapped || scene.overlaps(soleParts[i].part);
        for (std::size_t j = 0; j < soleCount; ++j)
            overlapped = overlapped || (j != i && soleParts[j].part.overlaps(soleParts[i].part));
        if (!overlapped)
        {
            ++i;
            continue;
        }
        damage.add(soleParts[i].part);
        soleParts[i] = soleParts[--soleCount];
        i = 0;
    }
}

void VSTGL_Editor::scissorTo(const ScreenRect& designPart) const
{
    const ScreenRect pixels = toPixels(designPart);
    glEnable(GL_SCISSOR_TEST);
    glScissor(pixels.minX, pixels.minY, std::max(pixels.maxX - pixels.minX, 0), std::max(pixels.maxY - pixels.minY, 0));
}

void VSTGL_Editor::drawScene(const DamageRegion& parts, bool whole)
{
    for (const ScreenRect& part : parts)
    {
        clipActive = !whole;
        clip = part;
        if (clipActive)
            scissorTo(part);
        draw();
    }
    clipActive = false;
    glDisable(GL_SCISSOR_TEST);
}

void VSTGL_Editor::drawSoleParts()
{
    for (std::size_t i = 0; i < soleCount; ++i)
    {
        clipActive = true;
        clip = soleParts[i].part;
        scissorTo(clip);
        drawSole(soleParts[i].drawer);
    }
    clipActive = false;
    glDisable(GL_SCISSOR_TEST);
}

std::array<int, 4> VSTGL_Editor::overlayBounds() const
{
    // Half the window each way from the centre, in whole units.
    return {static_cast<int>(-width() / 2.0), static_cast<int>(-height() / 2.0), static_cast<int>(width() / 2.0),
            static_cast<int>(height() / 2.0)};
}

ScreenRect VSTGL_Editor::toPixels(const ScreenRect& designRect) const
{
    return ScreenRect{static_cast<int>(std::floor(static_cast<float>(designRect.minX) * scale)),
                      static_cast<int>(std::floor(static_cast<float>(designRect.minY) * scale)),
                      static_cast<int>(std::ceil(static_cast<float>(designRect.maxX) * scale)),
                      static_cast<int>(std::ceil(static_cast<float>(designRect.maxY) * scale))};
}

void VSTGL_Editor::windowToOverlay(float& x, float& y) const
{
    const std::array<int, 4> bounds = overlayBounds();
    x += static_cast<float>(bounds[0]);
    y += static_cast<float>(bounds[1]);
}

ScreenRect VSTGL_Editor::overlayToWindow(float left, float bottom, float right, float top) const
{
    const std::array<int, 4> orthoBounds = overlayBounds();
    const float spanX = static_cast<float>(orthoBounds[2] - orthoBounds[0]);
    const float spanY = static_cast<float>(orthoBounds[3] - orthoBounds[1]);
    if (!(spanX > 0.0f && spanY > 0.0f))
        return ScreenRect{0, 0, width(), height()};
    const float scaleX = static_cast<float>(width()) / spanX;
    const float scaleY = static_cast<float>(height()) / spanY;
    return ScreenRect{static_cast<int>(std::floor((left - orthoBounds[0]) * scaleX)) - 1,
                      static_cast<int>(std::floor((bottom - orthoBounds[1]) * scaleY)) - 1,
                      static_cast<int>(std::ceil((right - orthoBounds[0]) * scaleX)) + 1,
                      static_cast<int>(std::ceil((top - orthoBounds[1]) * scaleY)) + 1};
}

void VSTGL_Editor::presentFrame(const DamageRegion& changed)
{
    captureFrameIfRequested(pixelWidth(), pixelHeight());
    if (!device->showsParts())
    {
        device->present();
        return;
    }
    for (const ScreenRect& part : changed)
        device->presentPart(part.minX, part.minY, part.maxX - part.minX, part.maxY - part.minY);
}

void VSTGL_Editor::setEditorSize(int width, int height)
{
    designWidth = width;
    designHeight = height;
    setPixelScale(scale);
}

void VSTGL_Editor::setPixelScale(float pixelsPerUnit)
{
    scale = pixelsPerUnit;
    windowWidth = static_cast<int>(std::lround(designWidth * scale));
    windowHeight = static_cast<int>(std::lround(designHeight * scale));
    setCamera(camera);
}

void VSTGL_Editor::setCamera(const Camera& where)
{
    camera = where;
    cameraProjection = ReachProjector(camera, width(), height());
    hub->setViews(cameraProjection.matrix(), width(), height(), pixelWidth(), pixelHeight());
}

void VSTGL_Editor::setGuiReady(bool ready)
{
    guiReady = ready;
    hub->setGuiReady(ready);
}

void VSTGL_Editor::makeShadowMatrix(const float planePoint[3], const float planeNormal[3], const float light[4])
{
    const float plane[4] = {
        planeNormal[0], planeNormal[1], planeNormal[2],
        -(planeNormal[0] * planePoint[0] + planeNormal[1] * planePoint[1] + planeNormal[2] * planePoint[2])};
    const float dot = plane[0] * light[0] + plane[1] * light[1] + plane[2] * light[2] + plane[3] * light[3];
    for (int column = 0; column < 4; ++column)
    {
        for (int row = 0; row < 4; ++row)
        {
            const float term = -plane[column] * light[row];
            shadow[column * 4 + row] = row == column ? dot + term : term;
        }
    }
}

void VSTGL_Editor::beginShadowStencil()
{
    glDisable(GL_LIGHTING);
    glShadeModel(GL_FLAT);
    glEnable(GL_STENCIL_TEST);
    glStencilMask(1);
    glStencilOp(GL_ZERO, GL_KEEP, GL_REPLACE);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_DEPTH_TEST);
}

void VSTGL_Editor::drawShadowOverlay()
{
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_EQUAL, 5, 15);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const float halfWidth = width() / 2.0f;
    const float halfHeight = height() / 2.0f;
    glColor4f(0.0f, 0.0f, 0.0f, 0.25f);
    glBegin(GL_QUADS);
    glVertex3f(-halfWidth, -halfHeight, 0.0f);
    glVertex3f(halfWidth, -halfHeight, 0.0f);
    glVertex3f(halfWidth, halfHeight, 0.0f);
    glVertex3f(-halfWidth, halfHeight, 0.0f);
    glEnd();
    glDisable(GL_STENCIL_TEST);
}

void VSTGL_Editor::applyCursor()
{
    if (device != nullptr)
        device->setCursor(requestedCursor);
}

void VSTGL_Editor::handleWindowEvent(const platform::WindowEvent& event)
{
    using Kind = platform::WindowEvent::Kind;
    using Button = platform::WindowEvent::Button;
    // Window pixels to design units, y upwards: at one pixel a unit the top row arrives as
    // the editor's height and the bottom row as 1.
    const int x = static_cast<int>(std::floor(static_cast<float>(event.x) / scale));
    const int y = height() - static_cast<int>(std::floor(static_cast<float>(event.yFromTop) / scale));
    const int modifiers = event.modifiers;
    switch (event.kind)
    {
    case Kind::Paint:
        // The window system shows what it asks to be painted.
        showing = true;
        wholeFrameDamaged = true;
        paintPending = true;
        renderFrame();
        paintPending = false;
        break;
    case Kind::KeyDown: keyDown(KeyRecord{event.keyCode, modifiers, event.typed}); break;
    case Kind::KeyUp: keyUp(KeyRecord{event.keyCode, modifiers, 0}); break;
    case Kind::PointerMove:
        mouseMove(modifiers, x, y);
        applyCursor();
        break;
    case Kind::ButtonDown:
    {
        const int buttonBit = event.button == Button::Left     ? kLeftButton
                              : event.button == Button::Middle ? kMiddleButton
                                                               : kRightButton;
        device->capturePointer(true);
        mouseDown(modifiers + buttonBit, x, y);
        applyCursor();
        break;
    }
    case Kind::ButtonUp:
    {
        device->capturePointer(false);
        // A left release carries the modifiers only; middle and right carry their bit.
        const int buttonBit = event.button == Button::Middle  ? kMiddleButton
                              : event.button == Button::Right ? kRightButton
                                                              : 0;
        mouseUp(modifiers + buttonBit, x, y);
        applyCursor();
        break;
    }
    case Kind::Wheel: mouseWheel(event.wheelDelta, x, y); break;
    case Kind::ScaleChanged: desktopScaleChanged(); break;
    case Kind::PointerLeave:
        mouseLeave();
        applyCursor();
        break;
    }
}
