#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "ModelBytes.h"
#include "core/io/FileIO.h"
#include "core/model/EmoModel.h"
#include "core/model/EmoWriter.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

using test::ModelBytes;

TmodelEMO Load(const ModelBytes& b, const TextureLoader& loader = {}) {
    TmodelEMO m;
    m.LoadFromBytes(b.data, "/models", loader);
    return m;
}

// A model using every field with distinct values.
TmodelEMO RichModel() {
    TmodelEMO m;
    m.ScaleX = 1.5f;
    m.ScaleY = 2.0f;
    m.ScaleZ = -0.25f;
    TobjectEMO a;
    a.Name = "Front";
    a.TextureFile = "front.jpg";
    a.Ambient = {0.1f, 0.2f, 0.3f, 0.4f};
    a.Diffuse = {0.5f, 0.6f, 0.7f, 0.8f};
    a.Color3 = {0.9f, 1.0f, 0.0f, 0.25f};
    a.Color4 = {0.125f, 0.375f, 0.625f, 0.875f};
    a.Reserved1 = true;
    a.Textured = true;
    a.Reserved2 = false;
    a.ReservedValue = 3.5f;
    a.AngleY = 42.0f;
    a.Vertices = {{0, 0, 0}, {1, 2, 3}, {-1, -2, -3}, {4, 5, 6}};
    a.Normals = {{0, 1, 0}};
    a.TexCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    FaceEMO f;
    f.Corners = {0, 1, 2};
    f.Normals = {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}};
    a.Faces = {f, f};
    a.Faces[1].Corners = {3, 2, 1};
    TobjectEMO b;  // untextured, no texture coordinates
    b.Name = "Side";
    b.Reserved2 = true;
    b.Vertices = {{7, 8, 9}, {1, 1, 1}, {2, 2, 2}};
    b.Faces = {f};
    m.Objects = {a, b};
    return m;
}

void ExpectSameObject(const TobjectEMO& x, const TobjectEMO& y) {
    EXPECT_EQ(x.Name, y.Name);
    EXPECT_EQ(x.TextureFile, y.TextureFile);
    EXPECT_EQ(x.Ambient, y.Ambient);
    EXPECT_EQ(x.Diffuse, y.Diffuse);
    EXPECT_EQ(x.Color3, y.Color3);
    EXPECT_EQ(x.Color4, y.Color4);
    EXPECT_EQ(x.Reserved1, y.Reserved1);
    EXPECT_EQ(x.Textured, y.Textured);
    EXPECT_EQ(x.Reserved2, y.Reserved2);
    EXPECT_EQ(x.ReservedValue, y.ReservedValue);
    EXPECT_EQ(x.AngleY, y.AngleY);
    EXPECT_EQ(x.Vertices, y.Vertices);
    EXPECT_EQ(x.Normals, y.Normals);
    EXPECT_EQ(x.TexCoords, y.TexCoords);
    ASSERT_EQ(x.Faces.size(), y.Faces.size());
    for (std::size_t i = 0; i < x.Faces.size(); ++i) {
        EXPECT_EQ(x.Faces[i].Corners, y.Faces[i].Corners);
        EXPECT_EQ(x.Faces[i].Normals, y.Faces[i].Normals);
    }
}

TEST(EmoModel, RoundTripsThroughBytesAndFiles) {
    const TmodelEMO original = RichModel();
    const std::vector<std::uint8_t> bytes = SaveModelToBytes(original);

    TmodelEMO loaded;
    loaded.LoadFromBytes(bytes, "textures");
    EXPECT_EQ(loaded.Folder, "textures/");
    EXPECT_EQ(loaded.ScaleX, 1.5f);
    EXPECT_EQ(loaded.ScaleY, 2.0f);
    EXPECT_EQ(loaded.ScaleZ, -0.25f);
    ASSERT_EQ(loaded.Objects.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) ExpectSameObject(loaded.Objects[i], original.Objects[i]);
    EXPECT_EQ(SaveModelToBytes(loaded), bytes);

    test::TempDir dir;
    const auto path = dir / "rich.emo";
    SaveModelToFile(original, path);
    TmodelEMO fromFile;
    fromFile.LoadFromFile(path.string());
    EXPECT_EQ(fromFile.Folder, dir.Path().generic_string() + "/");
    EXPECT_EQ(SaveModelToBytes(fromFile), bytes);
}

TEST(EmoModel, WriterFollowsTheFileLayout) {
    ModelBytes b;
    b.Header(1, 1.0f);
    test::Triangle(b, "Tri", "t.png", true);
    TmodelEMO m = Load(b);
    ASSERT_EQ(m.Objects.size(), 1u);
    EXPECT_EQ(m.Objects[0].Ambient, (Rgba{0.5f, 0.5f, 0.5f, 0.5f}));
    EXPECT_EQ(SaveModelToBytes(m), b.data);  // 52-byte faces with zero tails included
}

TEST(EmoModel, WriterRejectsFacesOutsideTheirArrays) {
    TmodelEMO m = RichModel();
    m.Objects[0].Faces[0].Corners[2] = 4;  // 4 vertices, 4 texture coordinates
    EXPECT_THROW(SaveModelToBytes(m), std::invalid_argument);
}

TEST(EmoModel, LoadsTexturesOnlyForNamesLongerThanFourCharacters) {
    ModelBytes b;
    b.Header(4);
    test::Triangle(b, "A", "abcd");
    test::Triangle(b, "B", "a.jpg");
    test::Triangle(b, "C", "");
    test::Triangle(b, "D", "sub/b.png", true);
    std::vector<std::string> asked;
    TmodelEMO m = Load(b, [&](const std::string& path) {
        asked.push_back(path);
        return static_cast<std::uint32_t>(10 + asked.size());
    });
    EXPECT_EQ(asked, (std::vector<std::string>{"/models/a.jpg", "/models/sub/b.png"}));
    EXPECT_EQ(m.Objects[0].Texture, 0u);
    EXPECT_EQ(m.Objects[1].Texture, 11u);
    EXPECT_FALSE(m.Objects[1].Textured);  // the flag comes from the file alone
    EXPECT_EQ(m.Objects[3].Texture, 12u);
    EXPECT_TRUE(m.Objects[3].Textured);

    // Without a loader nothing is loaded and nothing fails.
    EXPECT_EQ(Load(b).Objects[1].Texture, 0u);
}

TEST(EmoModel, OperationsByNameAreExactAndActOnEveryMatch) {
    ModelBytes b;
    b.Header(3);
    test::Triangle(b, "Front");
    test::Triangle(b, "Front");
    test::Triangle(b, "Side");
    TmodelEMO m = Load(b);
    EXPECT_FALSE(m.Objects[0].Textured);

    m.SetTextureByName("front", 7);  // other case: none
    m.SetColorByName("FRONT", 0, 0, 0, 0);
    m.SetAngleByName("Front ", 30);
    for (const auto& o : m.Objects) {
        EXPECT_FALSE(o.Textured);
        EXPECT_EQ(o.Texture, 0u);
        EXPECT_EQ(o.Ambient[0], 0.5f);
        EXPECT_EQ(o.AngleY, 0.0f);
    }

    m.SetTextureByName("Front", 7);
    m.SetColorByName("Front", 0.1f, 0.2f, 0.3f, 0.5f);
    m.SetAngleByName("Front", 30);
    for (int i : {0, 1}) {
        EXPECT_TRUE(m.Objects[i].Textured);
        EXPECT_EQ(m.Objects[i].Texture, 7u);
        EXPECT_EQ(m.Objects[i].Ambient, (Rgba{0.1f, 0.2f, 0.3f, 0.5f}));
        EXPECT_EQ(m.Objects[i].Diffuse, m.Objects[i].Ambient);
        EXPECT_EQ(m.Objects[i].AngleY, 30.0f);
    }
    EXPECT_FALSE(m.Objects[2].Textured);
    EXPECT_EQ(m.Objects[2].AngleY, 0.0f);
    EXPECT_EQ(m.FindObject("Side"), &m.Objects[2]);
    EXPECT_EQ(m.FindObject("side"), nullptr);
}

TEST(EmoModel, CornerAlphaIsOneUnlessFaded) {
    ModelBytes b;
    b.Header(1);
    test::Triangle(b, "T");
    TmodelEMO m = Load(b);
    m.SetColorByName("T", 1, 1, 1, 0.5f);
    const TobjectEMO& o = m.Objects[0];
    EXPECT_EQ(o.CornerAlpha(1), 1.0f);

    m.FadeOn();  // faded but no fade values yet: opaque, no read past the end
    EXPECT_TRUE(o.Fade);
    EXPECT_EQ(o.CornerAlpha(1), 1.0f);
    m.ComputeFade(0, 0, 0);  // heights 0, 0, 1
    EXPECT_FLOAT_EQ(o.CornerAlpha(0), 1.0f);
    EXPECT_FLOAT_EQ(o.CornerAlpha(2), 0.0f);
    EXPECT_EQ(o.CornerAlpha(99), 1.0f);
    m.FadeOff();
    EXPECT_FALSE(o.Fade);
    EXPECT_EQ(o.CornerAlpha(2), 1.0f);

    EXPECT_EQ(o.TexCoordAt(2), (Vec2{0, 1}));
    EXPECT_EQ(o.TexCoordAt(3), (Vec2{0, 0}));
    EXPECT_EQ(o.TexCoordAt(-1), (Vec2{0, 0}));
}

TEST(EmoModel, HeaderWithNoObjectsGivesAnEmptyModel) {
    ModelBytes b;
    b.Header(0, 2.0f);
    TmodelEMO m = Load(b);
    EXPECT_TRUE(m.Objects.empty());
    EXPECT_EQ(m.ScaleX, 2.0f);
    EXPECT_EQ(m.LowestPoint(10, 20, 30), 0.0f);
    m.ComputeFade(10, 20, 30);
    m.FadeOn();
}

TEST(EmoModel, LowestPointAndFadeFollowTheViewAngles) {
    ModelBytes b;
    b.Header(1);
    b.ObjectHead("O").Vertices({{0, 0, 0}, {0, 1, 0}, {0, 2, 0}});
    TmodelEMO m = Load(b);
    EXPECT_FLOAT_EQ(m.LowestPoint(0, 0, 0), 0.0f);
    m.ComputeFade(0, 0, 0);
    EXPECT_EQ(m.Objects[0].FadeValues, (std::vector<float>{0.0f, 0.5f, 1.0f}));
    m.SetFadeSpan(2.0f);
    m.ComputeFade(0, 0, 0);
    EXPECT_EQ(m.Objects[0].FadeValues, (std::vector<float>{0.0f, 0.25f, 0.5f}));
    m.ScaleY = -1.0f;
    EXPECT_FLOAT_EQ(m.LowestPoint(0, 0, 0), -2.0f);
    // angleY turns about the vertical axis only.
    EXPECT_FLOAT_EQ(m.LowestPoint(0, 77, 0), -2.0f);

    // With angleX = 90 a vertex's height is its z; the object's own turn
    // about Y comes first, then angleZ about Z.
    ModelBytes c;
    c.Header(1);
    c.ObjectHead("O").Vertices({{0, 0, 1}, {0, 1, 0}});
    TmodelEMO tilt = Load(c);
    EXPECT_NEAR(tilt.LowestPoint(90, 0, 0), 0.0f, 1e-6);  // (0,1,0) lies down
    tilt.ComputeFade(90, 0, 0);
    EXPECT_NEAR(tilt.Objects[0].FadeValues[0], 1.0f, 1e-6);  // (0,0,1) is on top, height 1

    ModelBytes d;
    d.Header(1);
    d.ObjectHead("O", "", false, 90.0f).Vertices({{1, 0, 0}});
    TmodelEMO turned = Load(d);
    EXPECT_NEAR(turned.LowestPoint(0, 0, 90), 0.0f, 1e-6);   // turned to (0,0,-1) first
    EXPECT_NEAR(turned.LowestPoint(90, 0, 0), -1.0f, 1e-6);  // then tilted down
    turned.Objects[0].AngleY = 0;
    EXPECT_NEAR(turned.LowestPoint(0, 0, 90), 1.0f, 1e-6);
}

TEST(EmoModel, FlatOrVertexlessModelsFadeToZero) {
    ModelBytes b;
    b.Header(2);
    b.ObjectHead("Empty").Vertices({}).I32(0).I32(0).I32(0);
    b.ObjectHead("Flat").Vertices({{0, 3, 0}, {1, 3, 0}, {5, 3, 2}});
    TmodelEMO m = Load(b);
    EXPECT_FLOAT_EQ(m.LowestPoint(0, 0, 0), 3.0f);  // an empty first object is skipped
    m.ComputeFade(0, 0, 0);
    EXPECT_TRUE(m.Objects[0].FadeValues.empty());
    EXPECT_EQ(m.Objects[1].FadeValues, (std::vector<float>{0, 0, 0}));

    m.Objects[1].Vertices[2][1] = 4;
    m.SetFadeSpan(0);
    m.ComputeFade(0, 0, 0);
    EXPECT_EQ(m.Objects[1].FadeValues, (std::vector<float>{0, 0, 0}));
}

TEST(EmoModel, FadeColourIsSharedAndResetByNewObjects) {
    TmodelEMO::SetFadeColor(0.25f, 0.5f, 0.75f);
    EXPECT_EQ(TmodelEMO::FadeColor()[0], 0.25f);
    EXPECT_EQ(TmodelEMO::FadeColor()[2], 0.75f);
    TmodelEMO empty;
    ModelBytes none;
    none.Header(0);
    empty.LoadFromBytes(none.data, "x");  // no object created: unchanged
    EXPECT_EQ(TmodelEMO::FadeColor()[1], 0.5f);

    ModelBytes b;
    b.Header(1);
    test::Triangle(b, "T");
    Load(b);
    EXPECT_EQ(TmodelEMO::FadeColor()[0], 0.0f);
    EXPECT_EQ(TmodelEMO::FadeColor()[1], 0.0f);
    EXPECT_EQ(TmodelEMO::FadeColor()[2], 0.0f);
}

TEST(EmoModel, DataEndingBetweenValuesLoadsWhatWasThere) {
    ModelBytes headerOnly;
    headerOnly.F32(3.0f);
    TmodelEMO m = Load(headerOnly);
    EXPECT_EQ(m.ScaleX, 3.0f);
    EXPECT_EQ(m.ScaleY, 1.0f);
    EXPECT_TRUE(m.Objects.empty());

    ModelBytes named;
    named.Header(5);
    test::Triangle(named, "Full");
    named.F32(0.25f).F32(0.75f);  // the second object stops after two colour values
    m = Load(named);
    ASSERT_EQ(m.Objects.size(), 2u);  // no objects are made up for the rest of the count
    const TobjectEMO& cut = m.Objects[1];
    EXPECT_EQ(cut.Ambient, (Rgba{0.25f, 0.75f, 1, 1}));
    EXPECT_EQ(cut.Diffuse, (Rgba{1, 1, 1, 1}));
    EXPECT_TRUE(cut.Name.empty());
    EXPECT_TRUE(cut.Vertices.empty());

    ModelBytes noFaces;
    noFaces.Header(1);
    noFaces.ObjectHead("V").Vertices({{1, 2, 3}});
    m = Load(noFaces);
    ASSERT_EQ(m.Objects.size(), 1u);
    EXPECT_EQ(m.Objects[0].Vertices.size(), 1u);
    EXPECT_TRUE(m.Objects[0].Normals.empty());
    EXPECT_TRUE(m.Objects[0].Faces.empty());
}

TEST(EmoModel, MissingFileThrowsAndFolderIsKeptWithSlash) {
    TmodelEMO m;
    EXPECT_THROW(m.LoadFromFile("/nonexistent/folder/x.emo"), FileError);
    EXPECT_EQ(m.Folder, "/");

    test::TempDir dir;
    ModelBytes b;
    b.Header(0);
    WriteFileAtomically(dir / "m.emo", b.data);
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    m.LoadFromFile("m.emo");
    std::filesystem::current_path(cwd);
    EXPECT_EQ(m.Folder, "./");
}

}  // namespace
}  // namespace tessaly
