#pragma once

// Where a control sits in the editor's scene (units are pixels at depth 0, origin at the
// window centre, y upwards): the lower-left-front corner, the extent, and the point its
// 3D model is placed at.
struct ControlBox
{
    float origin[3];
    float size[3];
    float centre[3];
};
