#pragma once

#include "controls/GL_BaseControl.h"
#include "editor/EqualiserCurveVertices.h"
#include "editor/EqualiserDisplay.h"
#include "editor/EqualiserPointer.h"
#include "editor/EqualiserPoints.h"

#include <bitset>

class EditorModel;
class ShaderSet;

// The curve editor of the linear-phase equaliser: the live output spectrum behind dB guide
// lines, the Catmull-Rom curve through up to 16 points and a ring on every point. The
// parameters hold the points (Eq_Num, Eq0_X .. Eq15_Y), read from the editor's model; every
// edit goes to the listener, as one gesture per press, and so reaches the host as
// automation. The curve follows the points whatever moved them.
class cEqualiser final : public GL_BaseControl, private EqualiserPoints::Parameters
{
public:
    cEqualiser(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, std::uint32_t style,
               ShaderSet& shaders, const EditorModel& model);

    void draw() override;
    // While the engine publishes a new spectrum the background needs frames; it is drawn
    // again only when the spectrum differs from the one it shows.
    bool animating() const override;
    bool redrawDue() const override;
    // The spectrum alone changed: its opaque rectangle, where the guides, curve and rings are
    // drawn over it again (where that rectangle lies on whole pixels, at every offered size).
    ScreenRect soleChange() const override;
    void onMouseDown(int buttons, int x, int y) override;
    void onMouseDrag(int buttons, int x, int y) override;
    void onMouseUp(int buttons, int x, int y) override;
    void onMouseOver(int x, int y) override;
    // The guides follow the EQ gain's range.
    bool drawsParameter(int index) const override;

protected:
    // Rings on points at the edge reach past the box.
    ScreenRect computeReach(const ReachProjector& projector) const override;

private:
    float read(int index) override;
    void change(int index, float value) override;

    void followScreenRect();
    void collectHandles();
    bool handlesMoved() const;
    void rebuildCurve();

    const EditorModel& model;
    EqualiserPoints points{*this};
    EqualiserPointer pointer;
    EqualiserDisplay display;
    EqualiserCurveVertices curve;
    EqualiserDisplay::Handle handles[EqualiserPoints::kMaxPoints] = {};
    int handleCount = 0;
    EqualiserDisplay::Handle curveHandles[EqualiserPoints::kMaxPoints] = {};  // what the curve was built from
    int curveHandleCount = -1;
    // The parameters the press in progress changed, each one gesture for the host.
    std::bitset<kNumParameters> touched;
};
