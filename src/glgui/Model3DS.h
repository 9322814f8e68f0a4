#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ByteReader;
class SkinFiles;

struct Material3DS
{
    std::string name;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    float opacity = 1.0f;
    float shininess = 0.0f;          // the file's percentage, as is
    float shininessStrength = 0.0f;  // 0..1
    // Options from the name: "notlit" materials show their colour through emission,
    // "faceted" ones are flat-shaded; "notwelded" only clears the welded flag.
    bool notLit = false;
    bool faceted = false;
    bool welded = true;
    std::string mapName;  // lower-case texture file name, empty without a texture map
};

// One triangle mesh, ready for client-side vertex arrays: every face index is below
// vertexCount(), and texture coordinates are either absent or given for every vertex.
struct Mesh3DS
{
    std::string name;                  // at most kMaxMeshNameLength characters
    std::vector<float> vertices;       // x, y, z per vertex
    std::vector<float> normals;        // x, y, z per vertex, unit length where faces meet
    std::vector<float> texCoords;      // u, v per vertex (v already flipped), or empty
    std::vector<std::uint16_t> faces;  // three vertex indices per triangle
    int materialIndex = -1;            // into Model3DS::materials; -1 for none

    std::size_t vertexCount() const { return vertices.size() / 3; }
    std::size_t faceCount() const { return faces.size() / 3; }
};

struct Model3DS
{
    std::vector<Mesh3DS> meshes;         // file order
    std::vector<Material3DS> materials;  // file order
};

constexpr std::size_t kMaxMeshNameLength = 19;

// Parses the 3DS chunks from the reader's position to the end of its data. Damaged data never
// reads outside it: truncated values read as 0, a chunk length below the 6 header bytes stops
// parsing, counts are cut to the records their chunk holds, and faces naming a vertex the mesh
// lacks are dropped.
Model3DS parseModel3DS(ByteReader& reader);

// Opens fileName through the skin files, parses it and closes it; nothing when it is missing.
std::optional<Model3DS> loadModel3DS(SkinFiles& files, std::string_view fileName);
