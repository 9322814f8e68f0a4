#include "glgui/ReachProjector.h"

#include "glgui/CameraMatrix.h"
#include "glgui/Model3DS.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr int kFilterMargin = 2;
constexpr int kRectEmpty = 10000;

}  // namespace

ReachProjector::ReachProjector(const Camera& camera, int width, int height) : viewport{0, 0, width, height}
{
    camera_matrix::perspective(camera, static_cast<float>(width) / static_cast<float>(height), projection);
}

ReachProjector::ReachProjector(const float projectionMatrix[16], const int viewportBox[4])
{
    std::copy(projectionMatrix, projectionMatrix + 16, projection);
    std::copy(viewportBox, viewportBox + 4, viewport);
}

ScreenRect ReachProjector::box(const float modelView[16], const SceneBox& sceneBox) const
{
    const float* low = sceneBox.low;
    const float* high = sceneBox.high;
    float transform[16];
    multiply(projection, modelView, transform);
    float minX = 0.0f;
    float minY = 0.0f;
    float maxX = 0.0f;
    float maxY = 0.0f;
    for (int corner = 0; corner < 8; ++corner)
    {
        const float point[3] = {(corner & 1) != 0 ? high[0] : low[0], (corner & 2) != 0 ? high[1] : low[1],
                                (corner & 4) != 0 ? high[2] : low[2]};
        float clip[4];
        for (int row = 0; row < 4; ++row)
            clip[row] = transform[row] * point[0] + transform[4 + row] * point[1] + transform[8 + row] * point[2] +
                        transform[12 + row];
        if (!(clip[3] > 0.0f))
            return ScreenRect{viewport[0], viewport[1], viewport[0] + viewport[2], viewport[1] + viewport[3]};
        const float x = viewport[0] + (clip[0] / clip[3] + 1.0f) * 0.5f * static_cast<float>(viewport[2]);
        const float y = viewport[1] + (clip[1] / clip[3] + 1.0f) * 0.5f * static_cast<float>(viewport[3]);
        minX = corner == 0 ? x : std::min(minX, x);
        minY = corner == 0 ? y : std::min(minY, y);
        maxX = corner == 0 ? x : std::max(maxX, x);
        maxY = corner == 0 ? y : std::max(maxY, y);
    }
    return ScreenRect{
        static_cast<int>(std::floor(minX)) - kFilterMargin, static_cast<int>(std::floor(minY)) - kFilterMargin,
        static_cast<int>(std::ceil(maxX)) + kFilterMargin, static_cast<int>(std::ceil(maxY)) + kFilterMargin};
}

void ReachProjector::clip(const float point[3], float out[4]) const
{
    for (int row = 0; row < 4; ++row)
        out[row] = projection[row] * point[0] + projection[4 + row] * point[1] + projection[8 + row] * point[2] +
                   projection[12 + row];
}

ScreenRect ReachProjector::corners(const SceneBox& sceneBox) const
{
    ScreenRect result{kRectEmpty, kRectEmpty, -kRectEmpty, -kRectEmpty};
    for (int corner = 0; corner < 8; ++corner)
    {
        const float point[3] = {(corner & 1) != 0 ? sceneBox.high[0] : sceneBox.low[0],
                                (corner & 2) != 0 ? sceneBox.high[1] : sceneBox.low[1],
                                (corner & 4) != 0 ? sceneBox.high[2] : sceneBox.low[2]};
        float clipped[4];
        clip(point, clipped);
        if (clipped[3] <= 0.0f)
            continue;
        const int x = static_cast<int>(viewport[0] + (clipped[0] / clipped[3] + 1.0f) * 0.5f * viewport[2]);
        const int y = static_cast<int>(viewport[1] + (clipped[1] / clipped[3] + 1.0f) * 0.5f * viewport[3]);
        result.minX = std::min(result.minX, x);
        result.minY = std::min(result.minY, y);
        result.maxX = std::max(result.maxX, x);
        result.maxY = std::max(result.maxY, y);
    }
    return result;
}

bool ReachProjector::toWindow(const float point[3], float& windowX, float& windowY) const
{
    float clipped[4];
    clip(point, clipped);
    if (clipped[3] <= 0.0f)
        return false;
    windowX =
        static_cast<float>(viewport[0]) + (clipped[0] / clipped[3] + 1.0f) * 0.5f * static_cast<float>(viewport[2]);
    windowY =
        static_cast<float>(viewport[1]) + (clipped[1] / clipped[3] + 1.0f) * 0.5f * static_cast<float>(viewport[3]);
    return windowX >= static_cast<float>(viewport[0]) && windowX < static_cast<float>(viewport[0] + viewport[2]) &&
           windowY >= static_cast<float>(viewport[1]) && windowY < static_cast<float>(viewport[1] + viewport[3]);
}

void ReachProjector::translation(float x, float y, float z, float out[16])
{
    std::fill(out, out + 16, 0.0f);
    out[0] = out[5] = out[10] = out[15] = 1.0f;
    out[12] = x;
    out[13] = y;
    out[14] = z;
}

void ReachProjector::multiply(const float a[16], const float b[16], float out[16])
{
    float result[16];
    for (int column = 0; column < 4; ++column)
    {
        for (int row = 0; row < 4; ++row)
        {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + row] * b[column * 4 + k];
            result[column * 4 + row] = sum;
        }
    }
    std::copy(result, result + 16, out);
}

ReachProjector::SceneBox ReachProjector::modelBounds(const Model3DS& model)
{
    SceneBox bounds{{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}};
    float* low = bounds.low;
    float* high = bounds.high;
    bool any = false;
    for (const Mesh3DS& mesh : model.meshes)
    {
        for (std::size_t i = 0; i + 2 < mesh.vertices.size(); i += 3)
        {
            for (int axis = 0; axis < 3; ++axis)
            {
                const float value = mesh.vertices[i + static_cast<std::size_t>(axis)];
                low[axis] = any ? std::min(low[axis], value) : value;
                high[axis] = any ? std::max(high[axis], value) : value;
            }
            any = true;
        }
    }
    return bounds;
}

ReachProjector::SceneBox ReachProjector::turned(int axis, SceneBox box)
{
    float squared = 0.0f;
    for (int other = 0; other < 3; ++other)
    {
        if (other != axis)
            squared += std::max(box.low[other] * box.low[other], box.high[other] * box.high[other]);
    }
    const float radius = std::sqrt(squared);
    for (int other = 0; other < 3; ++other)
    {
        if (other == axis)
            continue;
        box.low[other] = -radius;
        box.high[other] = radius;
    }
    return box;
}
