#include "glgui/Model3DS.h"

#include "base/ByteReader.h"
#include "glgui/SkinFiles.h"
#include "support/ScratchSkinFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace
{

using Bytes = std::vector<std::uint8_t>;

constexpr float kTolerance = 1e-6f;

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes joined;
    for (const Bytes& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

Bytes u16(std::uint16_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
}

Bytes u32(std::uint32_t value)
{
    return join({u16(static_cast<std::uint16_t>(value)), u16(static_cast<std::uint16_t>(value >> 16))});
}

Bytes f32(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return u32(bits);
}

Bytes cstring(const std::string& text)
{
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

Bytes chunkWithLength(std::uint16_t id, std::uint32_t length, const Bytes& body = {})
{
    return join({u16(id), u32(length), body});
}

Bytes chunk(std::uint16_t id, std::initializer_list<Bytes> parts = {})
{
    const Bytes body = join(parts);
    return chunkWithLength(id, static_cast<std::uint32_t>(6 + body.size()), body);
}

Bytes percentage(std::uint16_t id, std::uint16_t value)
{
    return chunk(id, {chunk(0x0030, {u16(value)})});
}

Bytes materialNamed(const std::string& name, std::initializer_list<Bytes> properties = {})
{
    return chunk(0xAFFF, {chunk(0xA000, {cstring(name)}), join(properties)});
}

Bytes vertexList(std::initializer_list<float> coordinates)
{
    Bytes list = u16(static_cast<std::uint16_t>(coordinates.size() / 3));
    for (const float c : coordinates)
        list = join({list, f32(c)});
    return chunk(0x4110, {list});
}

Bytes texCoordList(std::initializer_list<float> uvs)
{
    Bytes list = u16(static_cast<std::uint16_t>(uvs.size() / 2));
    for (const float c : uvs)
        list = join({list, f32(c)});
    return chunk(0x4140, {list});
}

// The face list holds its face-material sub-chunks after the faces, as 3DS writers nest them.
Bytes faceList(std::initializer_list<std::uint16_t> corners, const std::string& materialName = "")
{
    Bytes list = u16(static_cast<std::uint16_t>(corners.size() / 3));
    std::size_t corner = 0;
    for (const std::uint16_t index : corners)
    {
        list = join({list, u16(index)});
        if (++corner % 3 == 0)
            list = join({list, u16(0x0007)});
    }
    if (!materialName.empty())
        list = join({list, chunk(0x4130, {cstring(materialName), u16(1), u16(0)})});
    return chunk(0x4120, {list});
}

Bytes object(const std::string& name, std::initializer_list<Bytes> meshChunks)
{
    return chunk(0x4000, {cstring(name), chunk(0x4100, meshChunks)});
}

Bytes modelFile(std::initializer_list<Bytes> editorChunks)
{
    return chunk(0x4D4D, {chunk(0x0002, {u32(3)}), chunk(0x3D3D, editorChunks)});
}

const Bytes kTriangle = vertexList({0, 0, 0, 1, 0, 0, 0, 1, 0});

Model3DS parse(const Bytes& bytes)
{
    ByteReader reader(bytes);
    return parseModel3DS(reader);
}

Bytes texturedKnob()
{
    return modelFile({
        chunk(0x3D3E, {u32(3)}),
        materialNamed("Knob_Faceted_NotLit",
                      {chunk(0xA020, {chunk(0x0011, {{255, 0, 51}})}), percentage(0xA040, 40), percentage(0xA041, 50),
                       percentage(0xA050, 30),
                       chunk(0xA200, {chunk(0x0030, {u16(100)}), chunk(0xA300, {cstring("Metal.PNG")})})}),
        chunk(0x0100, {f32(1.0f)}),
        object("cap", {kTriangle, texCoordList({0.0f, 0.25f, 1.0f, 0.0f, 0.0f, 1.0f}),
                       faceList({0, 1, 2}, "Knob_Faceted_NotLit")}),
    });
}

// Whatever the input, the arrays must be safe to draw with.
void expectDrawable(const Model3DS& model)
{
    for (const Mesh3DS& mesh : model.meshes)
    {
        EXPECT_EQ(mesh.vertices.size() % 3, 0u);
        EXPECT_EQ(mesh.normals.size(), mesh.vertices.size());
        EXPECT_TRUE(mesh.texCoords.empty() || mesh.texCoords.size() == mesh.vertexCount() * 2);
        EXPECT_EQ(mesh.faces.size() % 3, 0u);
        for (const std::uint16_t index : mesh.faces)
            EXPECT_LT(index, mesh.vertexCount());
        EXPECT_LE(mesh.name.size(), kMaxMeshNameLength);
        EXPECT_LT(mesh.materialIndex, static_cast<int>(model.materials.size()));
    }
}

void expectVector(const float* actual, float x, float y, float z)
{
    EXPECT_NEAR(actual[0], x, kTolerance);
    EXPECT_NEAR(actual[1], y, kTolerance);
    EXPECT_NEAR(actual[2], z, kTolerance);
}

}  // namespace

TEST(Model3DS, MaterialTakesColourPercentagesMapAndNameOptions)
{
    const Model3DS model = parse(texturedKnob());
    ASSERT_EQ(model.materials.size(), 1u);
    const Material3DS& material = model.materials[0];
    EXPECT_EQ(material.name, "Knob_Faceted_NotLit");
    EXPECT_NEAR(material.red, 1.0f, kTolerance);
    EXPECT_NEAR(material.green, 0.0f, kTolerance);
    EXPECT_NEAR(material.blue, 0.2f, kTolerance);
    EXPECT_EQ(material.shininess, 40.0f);
    EXPECT_NEAR(material.shininessStrength, 0.5f, kTolerance);
    EXPECT_NEAR(material.opacity, 0.7f, kTolerance) << "transparency 30";
    EXPECT_TRUE(material.faceted);
    EXPECT_TRUE(material.notLit);
    EXPECT_TRUE(material.welded);
    EXPECT_EQ(material.mapName, "metal.png");
}

TEST(Model3DS, NameOptionsAreSearchedInTheLowerCasedName)
{
    const Model3DS model = parse(modelFile({materialNamed("plain"), materialNamed("Rim_NOTWELDED")}));
    ASSERT_EQ(model.materials.size(), 2u);
    EXPECT_FALSE(model.materials[0].faceted);
    EXPECT_FALSE(model.materials[0].notLit);
    EXPECT_TRUE(model.materials[0].welded);
    EXPECT_FALSE(model.materials[1].welded);
    EXPECT_FALSE(model.materials[1].faceted);
}

TEST(Model3DS, MeshKeepsVerticesFacesAndFlippedTextureCoordinates)
{
    const Model3DS model = parse(texturedKnob());
    ASSERT_EQ(model.meshes.size(), 1u);
    const Mesh3DS& mesh = model.meshes[0];
    EXPECT_EQ(mesh.name, "cap");
    EXPECT_EQ(mesh.vertices, (std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(mesh.faces, (std::vector<std::uint16_t>{0, 1, 2}));
    EXPECT_EQ(mesh.texCoords, (std::vector<float>{0.0f, 0.75f, 1.0f, 1.0f, 0.0f, 0.0f})) << "v' = 1 - v";
    EXPECT_EQ(mesh.materialIndex, 0);
}

TEST(Model3DS, FaceMaterialTakesTheLastMaterialOfThatExactName)
{
    const Model3DS model = parse(modelFile({
        materialNamed("steel"),
        materialNamed("Steel"),
        materialNamed("steel"),
        object("a", {kTriangle, faceList({0, 1, 2}, "steel")}),
        object("b", {kTriangle, faceList({0, 1, 2}, "brass")}),
    }));
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_EQ(model.meshes[0].materialIndex, 2);
    EXPECT_EQ(model.meshes[1].materialIndex, -1) << "an unknown name leaves the mesh without material";
}

TEST(Model3DS, MaterialWithoutLeadingNameSkipsThatSubChunk)
{
    const Bytes unnamed = chunk(0xAFFF, {percentage(0xA040, 10), chunk(0xA020, {chunk(0x0011, {{0, 255, 0}})})});
    const Model3DS model = parse(modelFile({unnamed, materialNamed("after")}));
    ASSERT_EQ(model.materials.size(), 2u);
    EXPECT_EQ(model.materials[0].name, "");
    EXPECT_EQ(model.materials[0].shininess, 0.0f) << "the skipped first sub-chunk";
    EXPECT_NEAR(model.materials[0].green, 1.0f, kTolerance);
    EXPECT_EQ(model.materials[1].name, "after");
}

TEST(Model3DS, NormalsAreSmoothedOnlyWhereFacesShareVertices)
{
    // A floor face (normal +z) and a wall face (normal +x) share vertices 0 and 1; a second
    // floor face uses vertex 4, a copy of vertex 0's position; vertex 5 belongs to no face.
    const Model3DS model =
        parse(modelFile({object("tent", {vertexList({0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 5, 5, 5}),
                                         faceList({0, 2, 1, 0, 1, 3, 4, 2, 1})})}));
    ASSERT_EQ(model.meshes.size(), 1u);
    const Mesh3DS& mesh = model.meshes[0];
    ASSERT_EQ(mesh.normals.size(), 18u);
    const float diagonal = 1.0f / std::sqrt(2.0f);
    {
        SCOPED_TRACE("floor and wall");
        expectVector(&mesh.normals[0], diagonal, 0, diagonal);
    }
    {
        SCOPED_TRACE("floor, wall and the second floor face");
        expectVector(&mesh.normals[3], 1.0f / std::sqrt(5.0f), 0, 2.0f / std::sqrt(5.0f));
    }
    {
        SCOPED_TRACE("both floor faces");
        expectVector(&mesh.normals[6], 0, 0, 1);
    }
    {
        SCOPED_TRACE("wall only");
        expectVector(&mesh.normals[9], 1, 0, 0);
    }
    {
        SCOPED_TRACE("vertex 0's position under another index is not merged");
        expectVector(&mesh.normals[12], 0, 0, 1);
    }
    {
        SCOPED_TRACE("no face, no normal");
        expectVector(&mesh.normals[15], 0, 0, 0);
    }
}

TEST(Model3DS, MeshNamesKeepNineteenCharacters)
{
    const Model3DS model = parse(object("a_rather_long_object_name", {kTriangle}));
    ASSERT_GE(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].name, "a_rather_long_objec");
    expectDrawable(model);
}

TEST(Model3DS, ChunkLengthsBelowSixStopParsing)
{
    // An unknown chunk would be skipped, a container entered.
    for (const std::uint16_t id : {0x1234, 0x4100})
    {
        for (const std::uint32_t length : {0u, 2u, 5u})
        {
            const Model3DS model = parse(
                modelFile({object("kept", {kTriangle}), chunkWithLength(id, length), object("lost", {kTriangle})}));
            ASSERT_EQ(model.meshes.size(), 1u) << id << " " << length;
            EXPECT_EQ(model.meshes[0].name, "kept");
        }
    }
    const Bytes badMaterialName = chunk(0xAFFF, {chunkWithLength(0xA010, 3)});
    EXPECT_EQ(parse(modelFile({badMaterialName, object("lost", {kTriangle})})).meshes.size(), 0u);
    const Bytes badMapStrength = chunk(0xA200, {chunkWithLength(0x0030, 1)});
    EXPECT_EQ(parse(modelFile({materialNamed("m", {badMapStrength}), object("lost", {kTriangle})})).meshes.size(), 0u);
}

TEST(Model3DS, ChunkLengthsPastTheEndSkipToTheEnd)
{
    const Model3DS model = parse(modelFile({chunkWithLength(0x1234, 0xFFFFFFFFu), object("lost", {kTriangle})}));
    EXPECT_TRUE(model.meshes.empty());
}

TEST(Model3DS, HugeCountsAreCutToTheBytesPresent)
{
    const Bytes twoVertices = chunk(0x4110, {u16(0xFFFF), f32(1), f32(2), f32(3), f32(4), f32(5), f32(6)});
    const Bytes oneFace = chunk(0x4120, {u16(0xFFFF), u16(0), u16(1), u16(1), u16(0)});
    const Bytes oneUv = chunk(0x4140, {u16(0xFFFF), f32(0.5f), f32(0.25f)});
    const Model3DS model = parse(object("cut", {twoVertices, oneUv, oneFace}));
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].vertexCount(), 2u);
    EXPECT_EQ(model.meshes[0].faceCount(), 1u);
    EXPECT_EQ(model.meshes[0].texCoords, (std::vector<float>{0.5f, 0.75f, 0.0f, 0.0f})) << "filled up to the vertices";
    expectDrawable(model);
}

TEST(Model3DS, FacesNamingMissingVerticesAreDropped)
{
    const Model3DS model = parse(modelFile({object("m", {kTriangle, faceList({0, 1, 2, 0, 1, 3, 9, 1, 2, 2, 1, 0})})}));
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].faces, (std::vector<std::uint16_t>{0, 1, 2, 2, 1, 0}));
}

TEST(Model3DS, MeshAndMaterialDataWithoutAnOwnerIsSkipped)
{
    const Model3DS model = parse(modelFile({kTriangle, chunk(0xA020, {chunk(0x0011, {{1, 2, 3}})}),
                                            faceList({0, 1, 2}, "x"), materialNamed("m"), object("m", {kTriangle})}));
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].vertexCount(), 3u);
    EXPECT_TRUE(model.meshes[0].faces.empty());
    ASSERT_EQ(model.materials.size(), 1u);
    EXPECT_EQ(model.materials[0].red, 1.0f);
}

TEST(Model3DS, EveryTruncationOfAModelParsesIntoDrawableMeshes)
{
    const Bytes whole = texturedKnob();
    for (std::size_t length = 0; length <= whole.size(); ++length)
    {
        SCOPED_TRACE(length);
        expectDrawable(parse(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length))));
    }
    EXPECT_EQ(parse(whole).meshes.at(0).faceCount(), 1u);
}

TEST(Model3DS, LoadsThroughTheSkinFilesAndClosesTheFile)
{
    ScratchSkinFolder folder;
    ASSERT_TRUE(folder.created());
    folder.write("handle.3ds", texturedKnob());
    SkinFiles files(folder.path());

    const std::optional<Model3DS> model = loadModel3DS(files, "Handle.3DS");
    ASSERT_TRUE(model.has_value());
    EXPECT_EQ(model->meshes.size(), 1u);
    EXPECT_EQ(files.openFileCount(), 0u);
    EXPECT_FALSE(loadModel3DS(files, "absent.3ds").has_value());
}
