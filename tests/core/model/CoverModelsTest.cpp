#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

#include "core/io/FileIO.h"
#include "core/model/DiscCases.h"
#include "core/model/EmoWriter.h"
#include "core/model/MeshBuilder.h"
#include "core/model/ModelParts.h"
#include "core/model/ShippedModels.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

using namespace geom;

const char* const kIds[] = {"stdbox",      "thinbox",      "widebox",  "cbox",     "flatbook",
                            "roundedbook", "roundedbbook", "magazine", "spiral1",  "spiral2",
                            "cdcase",      "dvdcase",      "2bookbox", "3bookbox", "4bookbox"};

// The shipped models as the program loads them.
const std::vector<TmodelEMO>& Loaded() {
    static const std::vector<TmodelEMO> models = [] {
        std::vector<TmodelEMO> all;
        for (const ShippedModel& m : ShippedModels()) {
            TmodelEMO model;
            model.LoadFromFile((test::ProgramDir() / "Tsym" / m.File).string());
            all.push_back(std::move(model));
        }
        return all;
    }();
    return models;
}

struct Bounds {
    Vec3 lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
    void Add(const Vec3& v) {
        for (int i = 0; i < 3; ++i) lo[i] = std::min(lo[i], v[i]), hi[i] = std::max(hi[i], v[i]);
    }
    bool Inside(const Vec3& v, float margin) const {
        for (int i = 0; i < 3; ++i)
            if (v[i] <= lo[i] + margin || v[i] >= hi[i] - margin) return false;
        return true;
    }
};

Bounds BoundsOf(const TmodelEMO& m, const std::function<bool(const TobjectEMO&)>& take = {}) {
    Bounds b;
    for (const auto& o : m.Objects)
        if (!take || take(o))
            for (const auto& v : o.Vertices) b.Add(v);
    return b;
}

bool IsImageObject(const ShippedModel& entry, const std::string& name) {
    for (const auto& g : entry.Groups)
        for (const auto& o : g.Objects)
            if (o == name) return true;
    return false;
}

// The directions in which one face's image runs: the change of position per
// unit of u and of v (zero when the face's texture coordinates are degenerate).
struct UvFrame {
    Vec3 dPdu{}, dPdv{};
    float uvArea = 0;
};
UvFrame UvFrameOf(const TobjectEMO& o, const FaceEMO& f) {
    const Vec3 &p0 = o.Vertices[f.Corners[0]], &p1 = o.Vertices[f.Corners[1]],
               &p2 = o.Vertices[f.Corners[2]];
    const Vec2 &t0 = o.TexCoords[f.Corners[0]], &t1 = o.TexCoords[f.Corners[1]],
               &t2 = o.TexCoords[f.Corners[2]];
    const float du1 = t1[0] - t0[0], dv1 = t1[1] - t0[1], du2 = t2[0] - t0[0], dv2 = t2[1] - t0[1];
    const float det = du1 * dv2 - du2 * dv1;
    if (std::fabs(det) < 1e-9f) return {};
    const Vec3 e1 = Sub(p1, p0), e2 = Sub(p2, p0);
    return {Scaled(Sub(Scaled(e1, dv2), Scaled(e2, dv1)), 1 / det),
            Scaled(Sub(Scaled(e2, du1), Scaled(e1, du2)), 1 / det), std::fabs(det) / 2};
}

float Length(const Vec3& v) {
    return std::sqrt(Dot(v, v));
}

Vec3 Turned(const Vec3& v, float degrees) {
    const float a = degrees * 3.14159265f / 180;
    return {std::cos(a) * v[0] + std::sin(a) * v[2], v[1],
            -std::sin(a) * v[0] + std::cos(a) * v[2]};
}

// Whether a ray from `origin` along `dir` meets any triangle of the model.
bool RayHits(const TmodelEMO& m, const Vec3& origin, const Vec3& dir) {
    for (const auto& o : m.Objects)
        for (const auto& f : o.Faces) {
            const Vec3& a = o.Vertices[f.Corners[0]];
            const Vec3 e1 = Sub(o.Vertices[f.Corners[1]], a), e2 = Sub(o.Vertices[f.Corners[2]], a);
            const Vec3 p = Cross(dir, e2);
            const float det = Dot(e1, p);
            if (std::fabs(det) < 1e-12f) continue;
            const Vec3 t = Sub(origin, a);
            const float u = Dot(t, p) / det;
            if (u < 0 || u > 1) continue;
            const Vec3 q = Cross(t, e1);
            const float v = Dot(dir, q) / det;
            if (v < 0 || u + v > 1) continue;
            if (Dot(e2, q) / det > 1e-5f) return true;
        }
    return false;
}

TEST(CoverModels, CatalogueFileListsTheFifteenCoversInOrder) {
    std::ifstream in(test::ProgramDir() / "Tsym" / "models.ini");
    ASSERT_TRUE(in) << "models.ini not generated";
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 1u + 15 * 12);
    EXPECT_EQ(std::stoi(lines[0]), 15);
    for (int e = 0; e < 15; ++e) {
        const std::string* entry = &lines[1 + e * 12];
        EXPECT_EQ(entry[0][0], '-');
        EXPECT_EQ(entry[1], kIds[e]);
        EXPECT_EQ(entry[2], std::string(kIds[e]) + ".emo");
        EXPECT_TRUE(std::filesystem::exists(test::ProgramDir() / "Tsym" / entry[2]));
        for (int g = 0; g < 3; ++g) {
            EXPECT_FALSE(entry[3 + 3 * g].empty());
            const std::string& visible = entry[4 + 3 * g];
            ASSERT_FALSE(visible.empty());
            EXPECT_TRUE(visible == "+" || visible == "-");
            // The magazine and the notebooks have no third image.
            const bool noThird = e >= 7 && e <= 9 && g == 2;
            EXPECT_EQ(visible == "+", !noThird) << kIds[e] << " group " << g + 1;
            std::istringstream size(entry[5 + 3 * g]);
            int w = 0, h = 0;
            ASSERT_TRUE(size >> w >> h) << entry[5 + 3 * g];
            // Thumbnails fit the group's square beside its caption; the
            // customizable box's are scaled by its factors at run time.
            if (std::string(kIds[e]) != "cbox" && visible == "+") {
                EXPECT_LE(std::max(w, h), 125);
                EXPECT_GE(std::max(w, h), 120);
            }
            EXPECT_GE(std::min(w, h), 1);
        }
    }
    // The texture the page blocks name is there and is a JPEG.
    const auto pages = ReadWholeFile(test::ProgramDir() / "Tsym" / "pages.jpg");
    ASSERT_GT(pages.size(), 2u);
    EXPECT_EQ(pages[0], 0xFF);
    EXPECT_EQ(pages[1], 0xD8);
}

TEST(CoverModels, ShippedFilesMatchTheBuilders) {
    ASSERT_EQ(ShippedModels().size(), 15u);
    for (std::size_t i = 0; i < ShippedModels().size(); ++i) {
        const ShippedModel& m = ShippedModels()[i];
        EXPECT_EQ(m.Id, kIds[i]);
        EXPECT_EQ(ReadWholeFile(test::ProgramDir() / "Tsym" / m.File), SaveModelToBytes(m.Build()))
            << m.File;
    }
}

TEST(CoverModels, NamedObjectsArePresent) {
    std::map<std::string, std::vector<std::string>> extra = {
        {"flatbook", {"Spine", "Pages"}},
        {"roundedbook", {"Pages"}},
        {"roundedbbook", {"Pages"}},
        {"magazine", {"Pages"}},
        {"spiral1", {"Spira", "Pages", "Holes"}},
        {"spiral2", {"Spira", "Pages", "Holes"}},
        {"cdcase", {"fataCarcas", "CFata2", "Disc"}},
        {"dvdcase", {"DVDCFata", "Disc"}},
    };
    for (int b = 1; b <= 4; ++b)
        for (int box = std::max(b, 2); box <= 4; ++box)
            for (const char* part : {"Front0", "Back0", "Side0", "Pages0"})
                extra[std::to_string(box) + "bookbox"].push_back(part + std::to_string(b));
    for (std::size_t i = 0; i < ShippedModels().size(); ++i) {
        const ShippedModel& entry = ShippedModels()[i];
        const TmodelEMO& m = Loaded()[i];
        for (const auto& g : entry.Groups)
            for (const auto& name : g.Objects) {
                const TobjectEMO* o = m.FindObject(name);
                ASSERT_NE(o, nullptr) << entry.Id << " lacks " << name;
                EXPECT_TRUE(o->Textured) << entry.Id << " " << name;
                EXPECT_EQ(o->TexCoords.size(), o->Vertices.size());
            }
        for (const auto& name : extra[entry.Id])
            EXPECT_NE(m.FindObject(name), nullptr) << entry.Id << " lacks " << name;
        // A box of n books holds exactly n books.
        if (entry.Id.find("bookbox") != std::string::npos) {
            EXPECT_EQ(m.FindObject("Front0" + std::to_string(entry.Id[0] - '0' + 1)), nullptr);
        }
        // Colours are set at run time on plain, untextured surfaces.
        for (const char* coloured : {"Spine", "Spira"})
            if (const TobjectEMO* o = m.FindObject(coloured)) {
                EXPECT_FALSE(o->Textured);
            }
        // Textures the models name are ones the file road reads.
        for (const auto& o : m.Objects)
            if (o.TextureFile.size() > 4) {
                EXPECT_EQ(o.TextureFile, parts::kPageTexture);
            }
    }
}

TEST(CoverModels, TrianglesAreSoundAndWoundWithTheirNormals) {
    for (std::size_t i = 0; i < ShippedModels().size(); ++i) {
        const ShippedModel& entry = ShippedModels()[i];
        const TmodelEMO& m = Loaded()[i];
        std::size_t triangles = 0;
        const Bounds all = BoundsOf(m);
        // Image faces are outside faces: seen along their normal nothing of
        // the model is in front of them (cases opened so the disc is free;
        // a clear sleeve over a picture does not hide it).
        TmodelEMO open = m;
        std::erase_if(open.Objects, [](const TobjectEMO& o) { return IsClearSleeve(o.Name); });
        for (const char* lid : {"fataCarcas", "Front", "CFata2", "DVDFata", "DVDCFata"})
            if (entry.Id == "cdcase" || entry.Id == "dvdcase") open.SetAngleByName(lid, 180);
        for (auto& o : open.Objects) {
            for (Vec3& v : o.Vertices) v = Turned(v, o.AngleY);
            for (auto& f : o.Faces)
                for (Vec3& n : f.Normals) n = Turned(n, o.AngleY);
        }
        for (const auto& o : open.Objects) {
            if (!IsImageObject(entry, o.Name)) continue;
            int hidden = 0;
            for (const auto& f : o.Faces) {
                const Vec3 centroid =
                    Scaled(Add(Add(o.Vertices[f.Corners[0]], o.Vertices[f.Corners[1]]),
                               o.Vertices[f.Corners[2]]),
                           1.0f / 3);
                const Vec3 n = Normalized(Add(Add(f.Normals[0], f.Normals[1]), f.Normals[2]));
                if (RayHits(open, Add(centroid, Scaled(n, 1e-4f)), n)) ++hidden;
            }
            EXPECT_EQ(hidden, 0) << entry.Id << " " << o.Name << ": faces inwards or is covered";
        }
        for (const auto& o : m.Objects) {
            ASSERT_FALSE(o.Faces.empty()) << entry.Id << " " << o.Name;
            triangles += o.Faces.size();
            int wrong = 0;
            for (const auto& f : o.Faces) {
                const Vec3& a = o.Vertices[f.Corners[0]];
                const Vec3 cross =
                    Cross(Sub(o.Vertices[f.Corners[1]], a), Sub(o.Vertices[f.Corners[2]], a));
                ASSERT_GT(Length(cross), 1e-9f) << entry.Id << " " << o.Name << " degenerate";
                for (const Vec3& n : f.Normals) {
                    EXPECT_NEAR(Length(n), 1.0f, 1e-4f);
                    if (Dot(n, cross) <= 0) ++wrong;
                }
            }
            EXPECT_EQ(wrong, 0) << entry.Id << " " << o.Name << ": normals against the winding";
        }
        // Drawing is immediate mode: keep every model light.
        EXPECT_LT(triangles, 6000u) << entry.Id;
        // Framed like the standard box: about 2 units, centred (the cases
        // put their hinge on the axis instead).
        const Vec3 size = Sub(all.hi, all.lo);
        EXPECT_LE(std::max(size[0], size[1]), 2.01f) << entry.Id;
        EXPECT_GE(std::max(size[0], size[1]), 1.6f) << entry.Id;
        EXPECT_NEAR(all.lo[1] + all.hi[1], 0.0f, 0.02f) << entry.Id;
        EXPECT_NEAR(all.lo[2] + all.hi[2], 0.0f, 0.06f) << entry.Id;
        if (entry.Id != "cdcase" && entry.Id != "dvdcase") {
            EXPECT_NEAR(all.lo[0] + all.hi[0], 0.0f, 0.02f) << entry.Id;
        }
    }
}

TEST(CoverModels, FaceImagesAreUprightUnmirroredAndFitTheirThumbnails) {
    for (std::size_t i = 0; i < ShippedModels().size(); ++i) {
        const ShippedModel& entry = ShippedModels()[i];
        const TmodelEMO& m = Loaded()[i];
        for (const auto& g : entry.Groups) {
            if (g.Objects.empty()) continue;
            const TobjectEMO& o = *m.FindObject(g.Objects[0]);
            for (const Vec2& t : o.TexCoords)
                for (float c : t) {
                    EXPECT_GE(c, 0.0f) << entry.Id << " " << o.Name;
                    EXPECT_LE(c, 1.0f) << entry.Id << " " << o.Name;
                }
            // Image size in model units: how far the face runs per unit of
            // u and of v, averaged over the image.
            double width = 0, height = 0, weight = 0;
            for (const auto& f : o.Faces) {
                const UvFrame uv = UvFrameOf(o, f);
                if (uv.uvArea == 0) continue;
                const Vec3 n = f.Normals[0];
                // Unmirrored seen from outside: u to the right, v up.
                EXPECT_GT(Dot(Cross(uv.dPdu, uv.dPdv), n), 0) << entry.Id << " " << o.Name;
                if (std::fabs(n[1]) < 0.5f) {
                    EXPECT_GT(uv.dPdv[1], 0) << entry.Id << " " << o.Name << " upside down";
                } else if (n[1] > 0) {
                    EXPECT_LT(uv.dPdv[2], 0) << entry.Id << " " << o.Name << " top faces back";
                }
                width += Length(uv.dPdu) * uv.uvArea;
                height += Length(uv.dPdv) * uv.uvArea;
                weight += uv.uvArea;
            }
            // Discs show the round part of their square image.
            const bool disc = o.Name == "CD" || o.Name == "DVD";
            ASSERT_GT(weight, disc ? 0.65 : 0.95)
                << entry.Id << " " << o.Name << " does not cover its image";
            if (entry.Id == "cbox") continue;
            // The thumbnail's shorter side, in whole pixels, is within 3 %
            // (or rounding) of the face's proportions.
            const double faceRatio = width / height;
            const double w = g.ThumbWidth, h = g.ThumbHeight;
            const double shortSide = w < h ? w : h;
            const double expected = w < h ? h * faceRatio : w / faceRatio;
            EXPECT_NEAR(shortSide, expected, std::max(0.6, 0.03 * shortSide))
                << entry.Id << " " << g.Caption << " thumbnail " << g.ThumbWidth << "x"
                << g.ThumbHeight;
        }
    }
}

TEST(CoverModels, CustomBoxIsACubeSoItsFactorsGiveItsProportions) {
    const TmodelEMO& m = Loaded()[3];
    EXPECT_EQ(m.ScaleX, 1.0f);
    const Bounds b = BoundsOf(m);
    EXPECT_NEAR(b.hi[0] - b.lo[0], 2.0f, 1e-4);
    EXPECT_NEAR(b.hi[1] - b.lo[1], 2.0f, 1e-4);
    EXPECT_NEAR(b.hi[2] - b.lo[2], 2.0f, 1e-4);
    const ShippedModel& entry = ShippedModels()[3];
    EXPECT_EQ(entry.Groups[0].ThumbWidth, entry.Groups[0].ThumbHeight);
}

TEST(CoverModels, CaseLidsHingeOnTheAxisAndClearTheBase) {
    const std::set<std::string> lidNames = {"fataCarcas", "Front",    "CFata2",
                                            "DVDFata",    "DVDCFata", "DVDSleeveFata"};
    for (std::size_t index : {10u, 11u}) {
        TmodelEMO m = Loaded()[index];
        const std::string& id = ShippedModels()[index].Id;
        auto isLid = [&](const TobjectEMO& o) { return lidNames.count(o.Name) > 0; };
        const Bounds lid = BoundsOf(m, isLid);
        const Bounds base = BoundsOf(m, [&](const TobjectEMO& o) { return !isLid(o); });
        ASSERT_LT(lid.lo[0], lid.hi[0]) << id << " has no lid";
        // The hinge edge: the lid reaches the axis (x = 0) from one side and
        // lies in front of the plane z = 0, the base behind it.
        EXPECT_NEAR(lid.hi[0], 0.0f, 1e-5) << id;
        EXPECT_NEAR(lid.lo[2], 0.0f, 1e-5) << id;
        EXPECT_NEAR(base.hi[0], 0.0f, 1e-5) << id;
        EXPECT_LE(base.hi[2], 1e-5f) << id;
        // The closed case looks at the viewer: the front picture is the lid's
        // outermost face but for a clear sleeve over it.
        const char* picture = id == "cdcase" ? "Front" : "DVDFata";
        const Bounds solid =
            BoundsOf(m, [&](const TobjectEMO& o) { return isLid(o) && !IsClearSleeve(o.Name); });
        EXPECT_NEAR(BoundsOf(m, [&](const TobjectEMO& o) { return o.Name == picture; }).hi[2],
                    solid.hi[2], 1e-5)
            << id;
        for (float angle : {0.0f, 45.0f, 90.0f, 135.0f, 180.0f}) {
            for (const auto& name : lidNames) m.SetAngleByName(name, angle);
            int inside = 0;
            for (const auto& o : m.Objects)
                if (isLid(o)) {
                    EXPECT_EQ(o.AngleY, angle);
                    for (const auto& v : o.Vertices)
                        if (base.Inside(Turned(v, o.AngleY), 0.005f)) ++inside;
                }
            EXPECT_EQ(inside, 0) << id << " lid passes through the base at " << angle;
        }
    }
}

TEST(CoverModels, KeepCaseSleeveCoversEachPictureJustOutsideIt) {
    const TmodelEMO& m = Loaded()[11];
    const float mm = 1.9f / 190;
    for (auto [sleeveName, pictureName, outward] :
         {std::tuple{kLidSleeveObject, "DVDFata", 1.0f},
          std::tuple{kBaseSleeveObject, "DVDSpate", -1.0f}}) {
        const TobjectEMO* sleeve = m.FindObject(sleeveName);
        ASSERT_NE(sleeve, nullptr) << sleeveName;
        EXPECT_FALSE(sleeve->Textured);
        EXPECT_TRUE(IsClearSleeve(sleeveName));
        auto named = [](const char* name) {
            return [name](const TobjectEMO& o) { return o.Name == name; };
        };
        const Bounds s = BoundsOf(m, named(sleeveName));
        const Bounds p = BoundsOf(m, named(pictureName));
        for (int axis : {0, 1}) {
            EXPECT_LE(s.lo[axis], p.lo[axis]) << sleeveName;
            EXPECT_GE(s.hi[axis], p.hi[axis]) << sleeveName;
        }
        EXPECT_NEAR(s.hi[2], s.lo[2], 1e-6f) << sleeveName << " is a flat sheet";
        const float gap = outward * (s.hi[2] - p.hi[2]);
        EXPECT_GT(gap, 0.0f) << sleeveName << " lies outside its picture";
        EXPECT_LT(gap, 0.5f * mm) << sleeveName;
    }
    EXPECT_FALSE(IsClearSleeve("DVDFata"));
}

TEST(CoverModels, DiscLabelsAreRingsMappingTheSquareImage) {
    for (auto [index, name] : {std::pair{10u, "CD"}, std::pair{11u, "DVD"}}) {
        const TobjectEMO& label = *Loaded()[index].FindObject(name);
        Bounds b;
        for (const auto& v : label.Vertices) b.Add(v);
        const float diameter = b.hi[0] - b.lo[0];
        const Vec3 centre = Scaled(Add(b.lo, b.hi), 0.5f);
        float inner = 1e9f;
        for (std::size_t k = 0; k < label.Vertices.size(); ++k) {
            const Vec3& v = label.Vertices[k];
            inner = std::min(inner, Length(Sub(v, centre)));
            // The image's centre is the disc's centre, its edges the disc's.
            EXPECT_NEAR(label.TexCoords[k][0], 0.5f + (v[0] - centre[0]) / diameter, 1e-3f);
            EXPECT_NEAR(label.TexCoords[k][1], 0.5f + (v[1] - centre[1]) / diameter, 1e-3f);
        }
        EXPECT_NEAR(inner / diameter * 118, 40.0f / 2, 0.5f) << name;
    }
}

TEST(CoverModels, BookShapesDifferAsTheirNamesSay) {
    // Page block fore-edge: straight for the rounded book, concave for the
    // other; the rounded spine bulges beyond the boards.
    auto foreEdge = [](const TmodelEMO& m, float zNear) {
        float x = -1e9f;
        for (const auto& v : m.FindObject("Pages")->Vertices)
            if (std::fabs(v[2] - zNear) < 1e-3f) x = std::max(x, v[0]);
        return x;
    };
    const TmodelEMO& rounded = Loaded()[5];
    const TmodelEMO& concave = Loaded()[6];
    const float mm = 2.0f / 229;
    EXPECT_NEAR(foreEdge(rounded, 0) - foreEdge(concave, 0), 4 * mm, 0.2f * mm);
    const Bounds spine = BoundsOf(rounded, [](const TobjectEMO& o) { return o.Name == "Side"; });
    const Bounds front = BoundsOf(rounded, [](const TobjectEMO& o) { return o.Name == "Front"; });
    EXPECT_NEAR(front.lo[0] - spine.lo[0], 20.0f / 6 * mm, 0.1f * mm);
    // Hardcover boards overhang the page block at head, tail and fore-edge.
    for (std::size_t index : {4u, 5u}) {
        const TmodelEMO& m = Loaded()[index];
        const Bounds pages = BoundsOf(m, [](const TobjectEMO& o) { return o.Name == "Pages"; });
        const Bounds boards = BoundsOf(m, [](const TobjectEMO& o) { return o.Name == "Back"; });
        EXPECT_NEAR(boards.hi[1] - pages.hi[1], 3 * mm, 0.1f * mm);
        EXPECT_NEAR(boards.hi[0] - pages.hi[0], 3 * mm, 0.1f * mm);
    }
}

TEST(CoverModels, MagazineCoversWrapRoundTheFoldUnstretched) {
    // The printed sheet runs on from each face round the fold: every
    // triangle of a cover, flat or on the fold, shows the image at one and
    // the same scale (no column of the image smeared round the fold).
    const TmodelEMO& m = Loaded()[7];
    for (const char* name : {"Front", "Back"}) {
        const TobjectEMO& o = *m.FindObject(name);
        float least = 1e9f, most = 0;
        for (const auto& f : o.Faces) {
            const UvFrame uv = UvFrameOf(o, f);
            ASSERT_GT(uv.uvArea, 0) << name << ": a triangle shows a single line of the image";
            least = std::min(least, Length(uv.dPdu));
            most = std::max(most, Length(uv.dPdu));
        }
        EXPECT_LT(most / least, 1.02f) << name;
    }
}

TEST(CoverModels, SpiralWireWrapsRoundTheBoundEdgeThroughEveryHole) {
    for (std::size_t index : {8u, 9u}) {
        const TmodelEMO& m = Loaded()[index];
        const Bounds wire = BoundsOf(m, [](const TobjectEMO& o) { return o.Name == "Spira"; });
        const Bounds pages = BoundsOf(m, [](const TobjectEMO& o) { return o.Name == "Pages"; });
        const Bounds all = BoundsOf(m);
        EXPECT_LT(wire.lo[0], pages.lo[0]);        // round the spine edge
        EXPECT_GT(wire.hi[2], all.hi[2] - 1e-3f);  // over the front cover
        EXPECT_LT(wire.lo[2], all.lo[2] + 1e-3f);  // and the back
        // One dark hole per loop in each cover, a pitch of 8.47 mm apart.
        const TobjectEMO& holes = *m.FindObject("Holes");
        const float mm = (all.hi[1] - all.lo[1]) / 210.0f;
        std::set<long> rows;
        for (const auto& v : holes.Vertices) rows.insert(std::lround(v[1] / mm * 10));
        EXPECT_EQ(holes.Faces.size(), 2u * 2u * (rows.size() / 2));
        EXPECT_GE(rows.size() / 2, 20u);
        EXPECT_FALSE(m.FindObject("Spira")->Textured);
    }
}

TEST(CoverModels, PageTextureShowsThinLinesDarkerTowardTheCovers) {
    const RgbaImage image = parts::PageEdgeTexture();
    ASSERT_FALSE(image.Empty());
    std::vector<int> row;
    for (int y = 0; y < image.height; ++y) {
        int sum = 0;
        for (int x = 0; x < image.width; ++x) sum += image.Pixel(x, y)[1];
        row.push_back(sum / image.width);
    }
    int lines = 0;
    for (int y = 1; y + 1 < image.height; ++y)
        if (row[y] + 8 < row[y - 1] && row[y] + 8 < row[y + 1]) ++lines;
    EXPECT_GE(lines, 40);
    EXPECT_LT(row[0], row[image.height / 2 + 1] - 15);
    EXPECT_LT(row[image.height - 2], row[image.height / 2 + 1] - 15);
}

}  // namespace
}  // namespace tessaly
