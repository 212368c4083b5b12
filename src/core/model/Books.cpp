#include "core/model/Books.h"

#include <cmath>
#include <vector>

#include "core/model/MeshBuilder.h"
#include "core/model/ModelParts.h"

namespace tessaly {

using namespace geom;
using namespace parts;

namespace {

// The outer face of the front board, with a shallow V groove (the joint)
// running from head to tail near the spine. The image spans the whole face.
void AddGroovedBoard(MeshBuilder& mesh, float x0, float x1, float hh, float z,
                     const BookSpec& spec) {
    const float g = x0 + spec.JointMm;
    const float half = spec.GrooveWidthMm / 2;
    const float xs[] = {x0, g - half, g, g + half, x1};
    const float zs[] = {z, z, z - spec.GrooveDepthMm, z, z};
    for (int i = 0; i + 1 < 5; ++i) {
        const Vec3 along{xs[i + 1] - xs[i], 0, zs[i + 1] - zs[i]};
        const Vec3 n = Normalized({-along[2], 0, along[0]});
        auto u = [&](float x) { return (x - x0) / (x1 - x0); };
        mesh.AddQuad({{xs[i], -hh, zs[i]}, {u(xs[i]), 0}, n},
                     {{xs[i + 1], -hh, zs[i + 1]}, {u(xs[i + 1]), 0}, n},
                     {{xs[i + 1], hh, zs[i + 1]}, {u(xs[i + 1]), 1}, n},
                     {{xs[i], hh, zs[i]}, {u(xs[i]), 1}, n});
    }
}

}  // namespace

TmodelEMO BuildBookMm(const BookSpec& spec) {
    const float hw = spec.WidthMm / 2, hh = spec.HeightMm / 2;
    const float hd = spec.BlockMm / 2 + spec.BoardMm;  // half the spine width
    const float hb = spec.BlockMm / 2;                 // half the block
    const float bulge = spec.RoundedSpine ? 2 * hd / 6 : 0.0f;
    const float xb0 = -hw + bulge;  // spine edge of the boards
    // The rounded spine is a circular arc through (xb0, -hd), (-hw, 0), (xb0, hd).
    const float radius = spec.RoundedSpine ? (hd * hd + bulge * bulge) / (2 * bulge) : 0.0f;
    auto arcX = [&](float z) {
        return spec.RoundedSpine ? -hw + radius - std::sqrt(radius * radius - z * z) : -hw;
    };

    TmodelEMO book;
    const Box frontBoard{{xb0, -hh, hd - spec.BoardMm}, {hw, hh, hd}};
    const Box backBoard{{xb0, -hh, -hd}, {hw, hh, -hd + spec.BoardMm}};

    MeshBuilder front(spec.Names.Front);
    front.SetSurface(kWhite).SetTextured(true);
    AddGroovedBoard(front, xb0, hw, hh, hd, spec);
    book.Objects.push_back(front.Build());

    MeshBuilder back(spec.Names.Back);
    back.SetSurface(kWhite).SetTextured(true);
    AddSide(back, backBoard, Side::NegZ);
    book.Objects.push_back(back.Build());

    MeshBuilder side(spec.Names.Side);
    side.SetSurface(kWhite).SetTextured(true);
    if (spec.RoundedSpine) {
        // The arc from the back board to the front board, the image across it.
        constexpr int kSteps = 16;
        const float theta = std::asin(hd / radius);
        std::vector<MeshCorner> bottom, top;
        for (int k = 0; k <= kSteps; ++k) {
            const float phi = -theta + 2 * theta * static_cast<float>(k) / kSteps;
            const float z = radius * std::sin(phi);
            const Vec3 n{-std::cos(phi), 0, std::sin(phi)};
            const float u = static_cast<float>(k) / kSteps;
            bottom.push_back({{arcX(z), -hh, z}, {u, 0}, n});
            top.push_back({{arcX(z), hh, z}, {u, 1}, n});
        }
        side.AddStrip(bottom, top);
    } else {
        AddSide(side, Box{{-hw, -hh, -hd}, {-hw + spec.BoardMm, hh, hd}}, Side::NegX);
    }
    book.Objects.push_back(side.Build());

    MeshBuilder binding(spec.Names.Binding);
    binding.SetSurface(spec.BindingColour);
    AddSides(binding, frontBoard, {Side::PosX, Side::PosY, Side::NegY, Side::NegZ});
    AddSides(binding, backBoard, {Side::PosX, Side::PosY, Side::NegY, Side::PosZ});
    if (spec.RoundedSpine) {
        // End caps of the spine between the arc and the boards' spine edge.
        constexpr int kSteps = 8;
        for (float y : {-hh, hh}) {
            const Vec3 n{0, y > 0 ? 1.0f : -1.0f, 0};
            for (int k = 0; k < kSteps; ++k) {
                const float z0 = -hd + 2 * hd * static_cast<float>(k) / kSteps;
                const float z1 = -hd + 2 * hd * static_cast<float>(k + 1) / kSteps;
                binding.AddFacingQuad({arcX(z0), y, z0}, {xb0 + 0.01f, y, z0}, {xb0 + 0.01f, y, z1},
                                      {arcX(z1), y, z1}, n);
            }
        }
    } else {
        AddSides(binding,
                 Box{{-hw, -hh, -hd + spec.BoardMm}, {-hw + spec.BoardMm, hh, hd - spec.BoardMm}},
                 {Side::PosY, Side::NegY});
    }
    book.Objects.push_back(binding.Build());

    // The page block: its spine side follows the spine, its fore-edge is
    // straight or a concave arc; head, tail and fore-edge carry the page
    // texture with the lines running from spine to fore-edge.
    MeshBuilder pages(spec.Names.Pages);
    pages.SetSurface(kWhite).SetTextured(true, kPageTexture);
    const float hy = hh - spec.SquareMm;
    const bool curved = spec.RoundedSpine || spec.ForeEdgeSagMm > 0;
    const int steps = curved ? 12 : 1;
    auto spineX = [&](float z) { return arcX(z) + spec.BoardMm; };
    auto foreX = [&](float z) {
        return hw - spec.SquareMm - spec.ForeEdgeSagMm * (1 - (z / hb) * (z / hb));
    };
    auto foreSlope = [&](float z) { return 2 * spec.ForeEdgeSagMm * z / (hb * hb); };
    const float xMin = spineX(0), xMax = foreX(hb);
    auto v = [&](float z) { return (z + hb) / (2 * hb); };
    auto u = [&](float x) { return (x - xMin) / (xMax - xMin); };
    for (int k = 0; k < steps; ++k) {
        const float z0 = -hb + 2 * hb * static_cast<float>(k) / steps;
        const float z1 = -hb + 2 * hb * static_cast<float>(k + 1) / steps;
        const Vec3 n0 = Normalized({1, 0, -foreSlope(z0)});
        const Vec3 n1 = Normalized({1, 0, -foreSlope(z1)});
        AddSmoothQuad(pages, {{foreX(z0), -hy, z0}, {0, v(z0)}, n0},
                      {{foreX(z1), -hy, z1}, {0, v(z1)}, n1}, {{foreX(z1), hy, z1}, {1, v(z1)}, n1},
                      {{foreX(z0), hy, z0}, {1, v(z0)}, n0});
        for (float y : {-hy, hy}) {
            const Vec3 n{0, y > 0 ? 1.0f : -1.0f, 0};
            pages.AddFacingQuad({spineX(z0), y, z0}, {foreX(z0), y, z0}, {foreX(z1), y, z1},
                                {spineX(z1), y, z1}, n,
                                {Vec2{u(spineX(z0)), v(z0)}, Vec2{u(foreX(z0)), v(z0)},
                                 Vec2{u(foreX(z1)), v(z1)}, Vec2{u(spineX(z1)), v(z1)}});
        }
    }
    book.Objects.push_back(pages.Build());
    return book;
}

namespace {

TmodelEMO InUnits(TmodelEMO book, float heightMm) {
    ScaleToUnits(book, 2.0f / heightMm);
    return book;
}

}  // namespace

TmodelEMO BuildFlatBook() {
    const BookSpec spec;
    return InUnits(BuildBookMm(spec), spec.HeightMm);
}

TmodelEMO BuildRoundedBook(bool concaveForeEdge) {
    BookSpec spec;
    spec.RoundedSpine = true;
    spec.BindingColour = {0.45f, 0.12f, 0.1f, 1};
    if (concaveForeEdge) spec.ForeEdgeSagMm = 4.0f;
    return InUnits(BuildBookMm(spec), spec.HeightMm);
}

}  // namespace tessaly
