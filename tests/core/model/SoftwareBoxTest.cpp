#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "core/io/FileIO.h"
#include "core/model/EmoWriter.h"
#include "core/model/MeshBuilder.h"
#include "core/model/SoftwareBox.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

using namespace geom;

const TmodelEMO& Box() {
    static const TmodelEMO box = BuildSoftwareBox({});
    return box;
}

struct Bounds {
    Vec3 lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
    void Add(const Vec3& v) {
        for (int i = 0; i < 3; ++i) lo[i] = std::min(lo[i], v[i]), hi[i] = std::max(hi[i], v[i]);
    }
};

TEST(SoftwareBox, HasTheNamedFacesWithTheirMaterials) {
    const TmodelEMO& m = Box();
    EXPECT_EQ(m.ScaleX, 1.0f);
    EXPECT_EQ(m.ScaleY, 1.0f);
    EXPECT_EQ(m.ScaleZ, 1.0f);
    for (const char* name : {"Front", "Side", "Top"}) {
        const TobjectEMO* o = m.FindObject(name);
        ASSERT_NE(o, nullptr) << name;
        EXPECT_TRUE(o->Textured) << name;
        // Neutral, so the artwork keeps its colours; bright enough to show
        // the artwork at about full strength where the light falls on it,
        // with little enough ambient that faces turned away read darker.
        EXPECT_EQ(o->Diffuse[0], o->Diffuse[1]);
        EXPECT_EQ(o->Diffuse[1], o->Diffuse[2]);
        EXPECT_GE(o->Ambient[0] + o->Diffuse[0], 1.0f);
        EXPECT_LT(o->Ambient[0], 0.5f);
        EXPECT_EQ(o->TexCoords.size(), o->Vertices.size());
    }
    for (const char* name : {"Back", "Left", "Bottom", "Bevel"}) {
        const TobjectEMO* o = m.FindObject(name);
        ASSERT_NE(o, nullptr) << name;
        EXPECT_FALSE(o->Textured) << name;
        EXPECT_LT(o->Diffuse[0], m.FindObject("Front")->Diffuse[0]);
    }
}

TEST(SoftwareBox, KeepsTheProductProportionsCentredOnTheOrigin) {
    Bounds b;
    for (const auto& o : Box().Objects)
        for (const auto& v : o.Vertices) b.Add(v);
    EXPECT_NEAR(b.hi[1] - b.lo[1], 2.0f, 1e-5);
    EXPECT_NEAR((b.hi[0] - b.lo[0]) / (b.hi[1] - b.lo[1]), 190.0 / 235.0, 1e-5);
    EXPECT_NEAR((b.hi[2] - b.lo[2]) / (b.hi[1] - b.lo[1]), 50.0 / 235.0, 1e-5);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(b.hi[i] + b.lo[i], 0.0f, 1e-6);
    EXPECT_NEAR(Box().LowestPoint(0, 0, 0), -1.0f, 1e-6);
}

TEST(SoftwareBox, TrianglesAreSoundAndFaceOutwards) {
    for (const auto& o : Box().Objects) {
        ASSERT_FALSE(o.Faces.empty()) << o.Name;
        for (const auto& f : o.Faces) {
            const Vec3& a = o.Vertices[f.Corners[0]];
            const Vec3& b = o.Vertices[f.Corners[1]];
            const Vec3& c = o.Vertices[f.Corners[2]];
            const Vec3 cross = Cross(Sub(b, a), Sub(c, a));
            ASSERT_GT(std::sqrt(Dot(cross, cross)), 1e-7f) << o.Name << " degenerate";
            const Vec3 centroid = Scaled(Add(Add(a, b), c), 1.0f / 3);
            for (const Vec3& n : f.Normals) {
                EXPECT_NEAR(Dot(n, n), 1.0f, 1e-5) << o.Name;
                EXPECT_GT(Dot(n, centroid), 0.0f) << o.Name << " normal points inwards";
                EXPECT_GT(Dot(n, cross), 0.0f) << o.Name << " wound clockwise from outside";
            }
        }
    }
}

TEST(SoftwareBox, SurfaceIsClosed) {
    // Every edge is used once in each direction across all objects: no gaps
    // between the faces and the bevel, and consistent winding.
    auto key = [](const Vec3& v) {
        return std::array<long, 3>{std::lround(v[0] * 1e5), std::lround(v[1] * 1e5),
                                   std::lround(v[2] * 1e5)};
    };
    std::map<std::pair<std::array<long, 3>, std::array<long, 3>>, int> edges;
    for (const auto& o : Box().Objects)
        for (const auto& f : o.Faces)
            for (int i = 0; i < 3; ++i)
                ++edges[{key(o.Vertices[f.Corners[i]]), key(o.Vertices[f.Corners[(i + 1) % 3]])}];
    for (const auto& [edge, count] : edges) {
        EXPECT_EQ(count, 1);
        auto back = edges.find({edge.second, edge.first});
        EXPECT_TRUE(back != edges.end() && back->second == 1);
    }
}

// Position of the vertex with the given texture coordinate.
Vec3 AtUv(const TobjectEMO& o, Vec2 uv) {
    for (std::size_t i = 0; i < o.TexCoords.size(); ++i)
        if (o.TexCoords[i] == uv) return o.Vertices[i];
    ADD_FAILURE() << o.Name << " has no corner at uv " << uv[0] << "," << uv[1];
    return {};
}

TEST(SoftwareBox, ImagesAreUprightAndUnmirroredFromOutside) {
    const TmodelEMO& m = Box();
    for (const auto& o : m.Objects)
        for (const Vec2& t : o.TexCoords)
            for (float c : t) {
                EXPECT_GE(c, 0.0f);
                EXPECT_LE(c, 1.0f);
            }
    // Seen from outside, u grows to the viewer's right and v upwards.
    const TobjectEMO& front = *m.FindObject("Front");
    EXPECT_GT(AtUv(front, {0, 1})[1], AtUv(front, {0, 0})[1]);  // v = 1 at the top
    EXPECT_GT(AtUv(front, {1, 0})[0], AtUv(front, {0, 0})[0]);  // u = 1 at the right (+X)
    const TobjectEMO& side = *m.FindObject("Side");
    EXPECT_GT(AtUv(side, {0, 1})[1], AtUv(side, {0, 0})[1]);
    EXPECT_LT(AtUv(side, {1, 0})[2], AtUv(side, {0, 0})[2]);  // looking at +X, right is -Z
    const TobjectEMO& top = *m.FindObject("Top");
    EXPECT_LT(AtUv(top, {0, 1})[2], AtUv(top, {0, 0})[2]);  // the image's top is at the back
    EXPECT_GT(AtUv(top, {1, 0})[0], AtUv(top, {0, 0})[0]);
}

TEST(SoftwareBox, BevelIsAboutAMillimetre) {
    const TobjectEMO& front = *Box().FindObject("Front");
    Bounds b;
    for (const auto& v : front.Vertices) b.Add(v);
    const float mm = 2.0f / 235.0f;
    EXPECT_NEAR(1.0f - b.hi[1], 0.75f * mm, 1e-5);
}

TEST(SoftwareBox, ShippedFileMatchesTheGenerator) {
    const auto path = test::ProgramDir() / "Tsym" / "stdbox.emo";
    EXPECT_EQ(ReadWholeFile(path), SaveModelToBytes(Box()));
    TmodelEMO loaded;
    loaded.LoadFromFile(path.string());
    EXPECT_EQ(loaded.Objects.size(), Box().Objects.size());
}

TEST(MeshBuilder, SharesVerticesDropsDegenerateTrianglesAndOrientsFacingQuads) {
    MeshBuilder mesh("M");
    mesh.SetColor({0.5f, 0.5f, 0.5f, 1}).SetTextured(true, "m.png").SetAngleY(10);
    mesh.AddFlatQuad({0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1});
    EXPECT_EQ(mesh.TriangleCount(), 2u);
    mesh.AddTriangle({{0, 0, 0}}, {{1, 0, 0}}, {{2, 0, 0}});  // collinear
    EXPECT_EQ(mesh.TriangleCount(), 2u);
    // Given clockwise, turned round to face -Z.
    mesh.AddFacingQuad({0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}, {0, 0, -1});
    const MeshCorner a[3] = {{{0, 0, 2}, {0, 0}}, {{1, 0, 2}, {0.5f, 0}}, {{2, 0, 2}, {1, 0}}};
    const MeshCorner b[3] = {{{0, 1, 2}, {0, 1}}, {{1, 1, 2}, {0.5f, 1}}, {{2, 1, 2}, {1, 1}}};
    mesh.AddStrip(a, b);
    EXPECT_THROW(mesh.AddStrip(a, std::span<const MeshCorner>(b, 2)), std::invalid_argument);

    const TobjectEMO o = mesh.Build();
    EXPECT_EQ(o.Name, "M");
    EXPECT_TRUE(o.Textured);
    EXPECT_EQ(o.TextureFile, "m.png");
    EXPECT_EQ(o.AngleY, 10.0f);
    EXPECT_EQ(o.Faces.size(), 2u + 2u + 4u);
    EXPECT_EQ(o.Vertices.size(), 4u + 4u + 6u);
    EXPECT_EQ(o.Normals.size(), o.Vertices.size());
    // Winding (z of the face's cross product): the facing quad was turned
    // round to face -Z, the strip faces +Z.
    auto windingZ = [&](std::size_t f) {
        const auto& c = o.Faces[f].Corners;
        return Cross(Sub(o.Vertices[c[1]], o.Vertices[c[0]]),
                     Sub(o.Vertices[c[2]], o.Vertices[c[0]]))[2];
    };
    EXPECT_LT(windingZ(2), 0.0f);
    EXPECT_LT(windingZ(3), 0.0f);
    for (std::size_t f = 4; f < 8; ++f) EXPECT_GT(windingZ(f), 0.0f);
    // The model the builder makes is one the writer and reader accept.
    TmodelEMO model;
    model.Objects.push_back(o);
    TmodelEMO loaded;
    loaded.LoadFromBytes(SaveModelToBytes(model), "/");
    EXPECT_EQ(loaded.Objects[0].Faces.size(), o.Faces.size());
}

}  // namespace
}  // namespace tessaly
