// libFuzzer target: arbitrary bytes as a 3DS model. Besides the sanitizers' checks, every
// parsed mesh must be safe to draw with client-side arrays.
#include "base/ByteReader.h"
#include "glgui/Model3DS.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace
{

bool drawable(const Mesh3DS& mesh, std::size_t materialCount)
{
    if (mesh.vertices.size() % 3 != 0 || mesh.normals.size() != mesh.vertices.size() || mesh.faces.size() % 3 != 0)
        return false;
    if (!mesh.texCoords.empty() && mesh.texCoords.size() != mesh.vertexCount() * 2)
        return false;
    for (const std::uint16_t index : mesh.faces)
    {
        if (index >= mesh.vertexCount())
            return false;
    }
    return mesh.name.size() <= kMaxMeshNameLength && mesh.materialIndex >= -1 &&
           mesh.materialIndex < static_cast<int>(materialCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader reader(std::span(data, size));
    const Model3DS model = parseModel3DS(reader);
    for (const Mesh3DS& mesh : model.meshes)
    {
        if (!drawable(mesh, model.materials.size()))
            std::abort();
    }
    return 0;
}
