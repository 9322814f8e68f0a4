#include "glgui/CameraMatrix.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesPerRadian = 57.29577791868205;
constexpr float kNearPlane = 1.0f;
constexpr float kFarPlane = 8000.0f;
constexpr float kOverlayNear = 1.0f;
constexpr float kOverlayFar = 2000.0f;
constexpr float kOverlayEyeDistance = 1482.9855542182922f;

void identity(float m[16])
{
    std::fill(m, m + 16, 0.0f);
    m[0] = m[5] = m[10] = m[15] = 1.0f;
}

// product = product * b
void multiplyInto(float product[16], const float b[16])
{
    float a[16];
    std::copy(product, product + 16, a);
    for (int row = 0; row < 4; ++row)
    {
        const float a0 = a[row];
        const float a1 = a[4 + row];
        const float a2 = a[8 + row];
        const float a3 = a[12 + row];
        for (int column = 0; column < 4; ++column)
            product[column * 4 + row] =
                a0 * b[column * 4] + a1 * b[column * 4 + 1] + a2 * b[column * 4 + 2] + a3 * b[column * 4 + 3];
    }
}

void frustum(float m[16], float left, float right, float bottom, float top, float nearPlane, float farPlane)
{
    float f[16] = {};
    f[0] = (2.0f * nearPlane) / (right - left);
    f[5] = (2.0f * nearPlane) / (top - bottom);
    f[8] = (right + left) / (right - left);
    f[9] = (top + bottom) / (top - bottom);
    f[10] = -(farPlane + nearPlane) / (farPlane - nearPlane);
    f[11] = -1.0f;
    f[14] = -(2.0f * farPlane * nearPlane) / (farPlane - nearPlane);
    multiplyInto(m, f);
}

void ortho(float m[16], float left, float right, float bottom, float top, float nearPlane, float farPlane)
{
    float o[16] = {};
    o[0] = 2.0f / (right - left);
    o[5] = 2.0f / (top - bottom);
    o[10] = -2.0f / (farPlane - nearPlane);
    o[12] = -(right + left) / (right - left);
    o[13] = -(top + bottom) / (top - bottom);
    o[14] = -(farPlane + nearPlane) / (farPlane - nearPlane);
    o[15] = 1.0f;
    multiplyInto(m, o);
}

// A turn by degrees about the x axis (axis 0) or the y axis (axis 1).
void rotate(float m[16], float degrees, int axis)
{
    if (degrees == 0.0f)
        return;
    const float s = std::sin(static_cast<float>(degrees * kPi / 180.0));
    const float c = std::cos(static_cast<float>(degrees * kPi / 180.0));
    float r[16];
    identity(r);
    if (axis == 0)
    {
        r[5] = c;
        r[6] = s;
        r[9] = -s;
        r[10] = c;
    }
    else
    {
        r[0] = c;
        r[2] = -s;
        r[8] = s;
        r[10] = c;
    }
    multiplyInto(m, r);
}

void translate(float m[16], float x, float y, float z)
{
    for (int row = 0; row < 4; ++row)
        m[12 + row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
}

// Looking from the eye at the target: a turn about x, a turn about y, then the eye to the
// origin.
void lookAt(float m[16], const float eye[3], const float target[3])
{
    const double dx = eye[0] - target[0];
    const double dy = eye[1] - target[1];
    const double dz = eye[2] - target[2];
    if (dx == 0.0 && dy == 0.0 && dz == 0.0)
        return;
    if (dx == 0.0 && dz == 0.0)
    {
        rotate(m, dy >= 0.0 ? 90.0f : -90.0f, 0);
    }
    else
    {
        const double level = dx == 0.0 ? dz : std::hypot(dx, dz);
        const double reach = dz == 0.0 ? std::hypot(dx, dy) : (dy == 0.0 ? level : std::hypot(dy, level));
        const double across = std::asin(dx / level) * kDegreesPerRadian;
        const double up = std::asin(dy / reach) * kDegreesPerRadian;
        rotate(m, static_cast<float>(up), 0);
        rotate(m, static_cast<float>(dz >= 0.0 ? 360.0 - across : across + 180.0), 1);
    }
    translate(m, -eye[0], -eye[1], -eye[2]);
}

}  // namespace

namespace camera_matrix
{

void perspective(const Camera& camera, float aspect, float out[16])
{
    identity(out);
    const double halfHeight = std::tan(camera.fieldOfView * kPi / 360.0);
    frustum(out, static_cast<float>(-halfHeight * aspect), static_cast<float>(halfHeight * aspect),
            static_cast<float>(-halfHeight), static_cast<float>(halfHeight), kNearPlane, kFarPlane);
    lookAt(out, camera.eye, camera.target);
}

void orthographic(int width, int height, float out[16])
{
    identity(out);
    const double halfWidth = width / 2.0;
    const double halfHeight = height / 2.0;
    ortho(out, static_cast<float>(-halfWidth), static_cast<float>(halfWidth), static_cast<float>(-halfHeight),
          static_cast<float>(halfHeight), kOverlayNear, kOverlayFar);
    const float eye[3] = {0.0f, 0.0f, kOverlayEyeDistance};
    const float target[3] = {0.0f, 0.0f, 0.0f};
    lookAt(out, eye, target);
}

}  // namespace camera_matrix
