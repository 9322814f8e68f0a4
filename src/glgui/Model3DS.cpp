#include "glgui/Model3DS.h"

#include "base/AsciiCase.h"
#include "base/ByteReader.h"
#include "glgui/SkinFiles.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace
{

constexpr std::uint16_t kMainChunk = 0x4D4D;
constexpr std::uint16_t kEditorChunk = 0x3D3D;
constexpr std::uint16_t kContainerChunk = 0x3F80;
constexpr std::uint16_t kObjectChunk = 0x4000;
constexpr std::uint16_t kTriangleMeshChunk = 0x4100;
constexpr std::uint16_t kVertexListChunk = 0x4110;
constexpr std::uint16_t kFaceListChunk = 0x4120;
constexpr std::uint16_t kFaceMaterialChunk = 0x4130;
constexpr std::uint16_t kTexCoordChunk = 0x4140;
constexpr std::uint16_t kMaterialChunk = 0xAFFF;
constexpr std::uint16_t kMaterialNameChunk = 0xA000;
constexpr std::uint16_t kDiffuseChunk = 0xA020;
constexpr std::uint16_t kShininessChunk = 0xA040;
constexpr std::uint16_t kShininessStrengthChunk = 0xA041;
constexpr std::uint16_t kTransparencyChunk = 0xA050;
constexpr std::uint16_t kTextureMapChunk = 0xA200;
constexpr std::uint16_t kMapFileNameChunk = 0xA300;

// A chunk length counts its own id and length fields.
constexpr std::uint32_t kChunkHeaderBytes = 6;
constexpr std::size_t kObjectNameBytes = kMaxMeshNameLength + 1;
constexpr std::size_t kUnlimitedName = std::numeric_limits<std::size_t>::max();
constexpr std::size_t kVertexBytes = 12;
constexpr std::size_t kFaceFlagsBytes = 2;  // edge visibility, not used
constexpr std::size_t kFaceBytes = 3 * sizeof(std::uint16_t) + kFaceFlagsBytes;
constexpr std::size_t kTexCoordBytes = 8;
constexpr std::size_t kFaceNumberBytes = 2;
constexpr float kByteToUnit = 0.003921569f;
constexpr float kPercentToUnit = 0.01f;
constexpr float kNormalEpsilon = 1e-30f;

// No skin model comes near these; a damaged file must not make the parser build millions of
// empty records before it reaches its end.
constexpr std::size_t kMaxMeshes = 4096;
constexpr std::size_t kMaxMaterials = 4096;

struct ChunkHeader
{
    std::uint16_t id;
    std::uint32_t length;
    std::size_t contentEnd;  // where the chunk's contents end, cut to the data
};

class Model3DSParser
{
public:
    explicit Model3DSParser(ByteReader& source) : reader(source) {}

    Model3DS parse()
    {
        while (!reader.atEnd() && readChunk())
        {
        }
        for (Mesh3DS& mesh : model.meshes)
            finishMesh(mesh);
        return std::move(model);
    }

private:
    ChunkHeader readHeader()
    {
        const std::uint16_t id = reader.readU16();
        const std::uint32_t length = reader.readU32();
        const std::size_t contents = length < kChunkHeaderBytes ? 0 : length - kChunkHeaderBytes;
        return {id, length, reader.position() + std::min(contents, reader.remaining())};
    }

    // Handles one chunk; false ends parsing.
    bool readChunk()
    {
        const ChunkHeader chunk = readHeader();
        // A shorter length would move the cursor backwards.
        if (chunk.length < kChunkHeaderBytes)
            return false;
        switch (chunk.id)
        {
        case kMainChunk:
        case kEditorChunk:
        case kContainerChunk:
        case kTriangleMeshChunk: return true;  // containers: their sub-chunks follow
        case kObjectChunk: return beginObject();
        case kVertexListChunk:
        case kFaceListChunk:
        case kFaceMaterialChunk:
        case kTexCoordChunk: return readMeshChunk(chunk);
        case kMaterialChunk: return beginMaterial();
        case kDiffuseChunk:
        case kShininessChunk:
        case kShininessStrengthChunk:
        case kTransparencyChunk:
        case kMapFileNameChunk: return readMaterialChunk(chunk);
        case kTextureMapChunk: return skipSubChunk();  // the map's strength; its file name follows
        default: return skipContents(chunk);
        }
    }

    bool skipContents(const ChunkHeader& chunk)
    {
        reader.skip(chunk.length - kChunkHeaderBytes);
        return true;
    }

    bool skipSubChunk()
    {
        const ChunkHeader chunk = readHeader();
        return chunk.length >= kChunkHeaderBytes && skipContents(chunk);
    }

    // Mesh data before any object has no owner and is skipped.
    bool readMeshChunk(const ChunkHeader& chunk)
    {
        if (model.meshes.empty())
            return skipContents(chunk);
        Mesh3DS& mesh = model.meshes.back();
        switch (chunk.id)
        {
        case kVertexListChunk: readVertices(mesh, chunk); break;
        case kFaceListChunk: readFaces(mesh, chunk); break;
        case kFaceMaterialChunk: readFaceMaterial(mesh, chunk); break;
        default: readTexCoords(mesh, chunk); break;
        }
        return true;
    }

    // Material data before any material has no owner and is skipped.
    bool readMaterialChunk(const ChunkHeader& chunk)
    {
        if (model.materials.empty())
            return skipContents(chunk);
        Material3DS& material = model.materials.back();
        switch (chunk.id)
        {
        case kDiffuseChunk: readDiffuse(material); break;
        case kShininessChunk: material.shininess = readPercentage(); break;
        case kShininessStrengthChunk: material.shininessStrength = readPercentage() * kPercentToUnit; break;
        case kTransparencyChunk: readTransparency(material); break;
        default: material.mapName = toLowerAscii(reader.readCString(kUnlimitedName)); break;
        }
        return true;
    }

    std::size_t bytesLeftIn(const ChunkHeader& chunk) const
    {
        return chunk.contentEnd > reader.position() ? chunk.contentEnd - reader.position() : 0;
    }

    // A count followed by records of recordBytes, cut to the records the chunk holds.
    std::size_t readCount(const ChunkHeader& chunk, std::size_t recordBytes)
    {
        const std::size_t declared = reader.readU16();
        return std::min(declared, bytesLeftIn(chunk) / recordBytes);
    }

    bool beginObject()
    {
        if (model.meshes.size() == kMaxMeshes)
            return false;
        Mesh3DS mesh;
        mesh.name = reader.readCString(kObjectNameBytes);
        model.meshes.push_back(std::move(mesh));
        return true;
    }

    void readVertices(Mesh3DS& mesh, const ChunkHeader& chunk)
    {
        mesh.vertices.resize(readCount(chunk, kVertexBytes) * 3);
        for (float& coordinate : mesh.vertices)
            coordinate = reader.readF32();
    }

    void readFaces(Mesh3DS& mesh, const ChunkHeader& chunk)
    {
        const std::size_t count = readCount(chunk, kFaceBytes);
        mesh.faces.resize(count * 3);
        for (std::size_t face = 0; face < count; ++face)
        {
            for (std::size_t corner = 0; corner < 3; ++corner)
                mesh.faces[face * 3 + corner] = reader.readU16();
            reader.skip(kFaceFlagsBytes);
        }
    }

    void readFaceMaterial(Mesh3DS& mesh, const ChunkHeader& chunk)
    {
        const std::string name = reader.readCString(kUnlimitedName);
        // The numbers of the faces it covers: the whole mesh takes the material.
        reader.skip(readCount(chunk, kFaceNumberBytes) * kFaceNumberBytes);
        const auto found = materialIndexByName.find(name);
        if (found != materialIndexByName.end())
            mesh.materialIndex = found->second;
    }

    void readTexCoords(Mesh3DS& mesh, const ChunkHeader& chunk)
    {
        mesh.texCoords.resize(readCount(chunk, kTexCoordBytes) * 2);
        for (std::size_t i = 0; i < mesh.texCoords.size(); i += 2)
        {
            mesh.texCoords[i] = reader.readF32();
            // 3DS counts v upwards; textures store their top row first.
            mesh.texCoords[i + 1] = 1.0f - reader.readF32();
        }
    }

    bool beginMaterial()
    {
        if (model.materials.size() == kMaxMaterials)
            return false;
        model.materials.emplace_back();
        Material3DS& material = model.materials.back();
        const ChunkHeader first = readHeader();
        if (first.id == kMaterialNameChunk)
        {
            material.name = reader.readCString(kUnlimitedName);
            applyNameOptions(material);
        }
        else if (first.length < kChunkHeaderBytes)
        {
            return false;
        }
        else
        {
            skipContents(first);
        }
        // Assigning keeps the last of several materials with the same name.
        materialIndexByName[material.name] = static_cast<int>(model.materials.size() - 1);
        return true;
    }

    static void applyNameOptions(Material3DS& material)
    {
        const std::string lower = toLowerAscii(material.name);
        material.faceted = lower.find("faceted") != std::string::npos;
        material.welded = lower.find("notwelded") == std::string::npos;
        material.notLit = lower.find("notlit") != std::string::npos;
    }

    // Colour, shininess and transparency values sit in a sub-chunk whose header carries nothing
    // we need.
    void skipValueHeader() { reader.skip(kChunkHeaderBytes); }

    void readDiffuse(Material3DS& material)
    {
        skipValueHeader();
        material.red = static_cast<float>(reader.readU8()) * kByteToUnit;
        material.green = static_cast<float>(reader.readU8()) * kByteToUnit;
        material.blue = static_cast<float>(reader.readU8()) * kByteToUnit;
    }

    float readPercentage()
    {
        skipValueHeader();
        return static_cast<float>(reader.readU16());
    }

    void readTransparency(Material3DS& material)
    {
        skipValueHeader();
        const auto transparency = static_cast<std::int16_t>(reader.readU16());
        // Unsigned 16-bit arithmetic, so a transparency above 100 wraps to a large opacity
        // instead of a negative one.
        const auto opacityPercent = static_cast<std::uint16_t>(100 - transparency);
        material.opacity = static_cast<float>(opacityPercent) * kPercentToUnit;
    }

    static void finishMesh(Mesh3DS& mesh)
    {
        dropFacesWithMissingVertices(mesh);
        if (!mesh.texCoords.empty())
            mesh.texCoords.resize(mesh.vertexCount() * 2, 0.0f);
        computeNormals(mesh);
    }

    static void dropFacesWithMissingVertices(Mesh3DS& mesh)
    {
        const std::size_t vertexCount = mesh.vertexCount();
        std::size_t kept = 0;
        for (std::size_t face = 0; face < mesh.faceCount(); ++face)
        {
            const std::uint16_t* corners = &mesh.faces[face * 3];
            if (corners[0] < vertexCount && corners[1] < vertexCount && corners[2] < vertexCount)
            {
                std::copy(corners, corners + 3, mesh.faces.begin() + static_cast<std::ptrdiff_t>(kept * 3));
                ++kept;
            }
        }
        mesh.faces.resize(kept * 3);
    }

    // Face normals summed per vertex: vertices shared by faces are smoothed, while one
    // position under two indices keeps two normals.
    static void computeNormals(Mesh3DS& mesh)
    {
        mesh.normals.assign(mesh.vertices.size(), 0.0f);
        for (std::size_t face = 0; face < mesh.faceCount(); ++face)
        {
            const float* p0 = &mesh.vertices[mesh.faces[face * 3] * std::size_t{3}];
            const float* p1 = &mesh.vertices[mesh.faces[face * 3 + 1] * std::size_t{3}];
            const float* p2 = &mesh.vertices[mesh.faces[face * 3 + 2] * std::size_t{3}];
            const float a[3] = {p0[0] - p1[0], p0[1] - p1[1], p0[2] - p1[2]};
            const float b[3] = {p0[0] - p2[0], p0[1] - p2[1], p0[2] - p2[2]};
            float normal[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
            normalise(normal);
            for (std::size_t corner = 0; corner < 3; ++corner)
            {
                float* sum = &mesh.normals[mesh.faces[face * 3 + corner] * std::size_t{3}];
                for (std::size_t axis = 0; axis < 3; ++axis)
                    sum[axis] += normal[axis];
            }
        }
        for (std::size_t vertex = 0; vertex < mesh.vertexCount(); ++vertex)
            normalise(&mesh.normals[vertex * 3]);
    }

    // The epsilon keeps a zero vector zero instead of dividing by zero.
    static void normalise(float* vector)
    {
        const float squared = vector[0] * vector[0] + vector[1] * vector[1] + vector[2] * vector[2];
        const float scale = 1.0f / std::sqrt(squared + kNormalEpsilon);
        for (std::size_t axis = 0; axis < 3; ++axis)
            vector[axis] *= scale;
    }

    ByteReader& reader;
    Model3DS model;
    std::unordered_map<std::string, int> materialIndexByName;
};

}  // namespace

Model3DS parseModel3DS(ByteReader& reader)
{
    return Model3DSParser(reader).parse();
}

std::optional<Model3DS> loadModel3DS(SkinFiles& files, std::string_view fileName)
{
    SkinFile* file = files.openFile(fileName);
    if (file == nullptr)
        return std::nullopt;
    Model3DS model = parseModel3DS(file->reader);
    files.closeFile(file);
    return model;
}
