#pragma once

// Where the editor's scene is seen from: eye and look-at target in scene units, field of
// view in degrees.
struct Camera
{
    float eye[3];
    float target[3];
    float fieldOfView;
};
