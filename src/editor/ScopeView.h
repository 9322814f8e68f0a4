#pragma once

#include "editor/GlowQuads.h"
#include "editor/ScopeBallistics.h"
#include "editor/ScopePicture.h"

#include <cstdint>
#include <memory>

class EditorModel;
class ShaderSet;
struct StereoImageSnapshot;

// The stereo gain panel's second view: goniometer, correlation meter and balance of the
// output or the input (its switch picks). It shows its own copy of the stereo image (the
// hand-off reuses the model's after the next take), takes a new one only when it would draw
// differently, and at most every kDrawIntervalMs, so a steady or silent signal costs no
// frames. What it draws depends on nothing but the images it took and when.
class ScopeView
{
public:
    static constexpr std::uint32_t kDrawIntervalMs = 33;

    // frame: the panel's design units in device coordinates.
    ScopeView(const EditorModel& model, const GlowQuads::Frame& frame);
    ~ScopeView();
    ScopeView(const ScopeView&) = delete;
    ScopeView& operator=(const ScopeView&) = delete;

    // Whether an image waits in the engine or in the model that would change the picture.
    bool animating() const;
    // Whether the picture changes in this frame.
    bool pictureDue() const;
    // Once a frame that draws, before the drawing: takes the model's image when it is due.
    void advanceFrame();
    // Takes the model's image now (the view was just chosen, or its source).
    void showLatest();

    ScopeSource source() const { return shownSource; }
    void switchSource();

    // The panel's quad with the glow program, opaque; what the design's view leaves of the
    // GL state, it leaves too.
    void draw(ShaderSet& shaders) const;

private:
    bool imageWaits() const;
    void build();

    const EditorModel& model;
    std::unique_ptr<StereoImageSnapshot> shown;
    ScopeBallistics outputBallistics;
    ScopeBallistics inputBallistics;
    ScopeSource shownSource = ScopeSource::Output;
    std::uint32_t shownCount = 0;
    std::uint32_t shownAt = 0;
    bool everShown = false;
    GlowQuads faceQuads;
    GlowQuads lightQuads;
};
