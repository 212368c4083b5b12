#include "core/model/SpiralNotebooks.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/model/MeshBuilder.h"
#include "core/model/ModelParts.h"

namespace tessaly {

using namespace geom;
using namespace parts;

TmodelEMO BuildSpiralNotebook(const SpiralNotebookSpec& spec) {
    constexpr float kPi = 3.14159265f;
    const float hw = spec.WidthMm / 2, hh = spec.HeightMm / 2;
    const float hb = spec.BlockMm / 2, ht = hb + spec.CoverMm;
    const float holeX = -hw + spec.HoleInsetMm;
    const float hole = spec.HoleMm / 2;
    const int loops =
        std::max(1, static_cast<int>((spec.HeightMm - 2 * spec.HoleInsetMm) / spec.PitchMm) + 1);
    std::vector<float> holeY;
    for (int i = 0; i < loops; ++i)
        holeY.push_back((static_cast<float>(i) - static_cast<float>(loops - 1) / 2) * spec.PitchMm);

    TmodelEMO model;
    MeshBuilder holes("Holes");
    holes.SetSurface({0.1f, 0.1f, 0.1f, 1});
    MeshBuilder edges("CoverEdge");
    edges.SetSurface(kCard);
    for (bool isFront : {true, false}) {
        const Side outside = isFront ? Side::PosZ : Side::NegZ;
        const Box cover =
            isFront ? Box{{-hw, -hh, hb}, {hw, hh, ht}} : Box{{-hw, -hh, -ht}, {hw, hh, -hb}};
        MeshBuilder face(isFront ? "Front" : "Back");
        face.SetSurface(kWhite).SetTextured(true);
        // The cover's outer face in its own coordinates (r along the image's
        // left-to-right): the column of holes is cut out of it.
        const Rect whole = SideRect(cover, outside);
        const float plane = SidePlane(cover, outside);
        const float holeR = isFront ? holeX : -holeX;
        AddRect(face, outside, plane, {whole.R0, holeR - hole, whole.U0, whole.U1}, whole);
        AddRect(face, outside, plane, {holeR + hole, whole.R1, whole.U0, whole.U1}, whole);
        float from = whole.U0;
        for (float y : holeY) {
            AddRect(face, outside, plane, {holeR - hole, holeR + hole, from, y - hole}, whole);
            AddRect(holes, outside, plane, {holeR - hole, holeR + hole, y - hole, y + hole}, whole);
            from = y + hole;
        }
        AddRect(face, outside, plane, {holeR - hole, holeR + hole, from, whole.U1}, whole);
        model.Objects.push_back(face.Build());
        AddSides(edges, cover, {Side::PosX, Side::NegX, Side::PosY, Side::NegY});
    }
    model.Objects.push_back(holes.Build());
    model.Objects.push_back(edges.Build());

    MeshBuilder pages("Pages");
    pages.SetSurface(kWhite).SetTextured(true, kPageTexture);
    const Box block{{-hw, -hh, -hb}, {hw, hh, hb}};
    for (Side s : {Side::PosX, Side::NegX, Side::PosY, Side::NegY}) AddPageSide(pages, block, s, 2);
    model.Objects.push_back(pages.Build());

    // Each loop is a circle in the XZ plane through the hole in the front
    // cover and the hole in the back cover, bulging out round the spine
    // edge. Only the part outside the pages is made (plus a little inside
    // the holes), since the rest is hidden.
    MeshBuilder wire("Spira");
    wire.SetSurface(kMetal);
    const float r = spec.LoopRadiusMm;
    const float centreX = holeX - std::sqrt(std::max(0.0f, r * r - ht * ht));
    const float enter = std::atan2(ht, holeX - centreX);  // angle of the front hole
    const float start = enter - 0.25f, end = 2 * kPi - enter + 0.25f;
    constexpr int kSteps = 16, kSides = 5;
    for (float y : holeY) {
        std::vector<Vec3> path;
        for (int k = 0; k <= kSteps; ++k) {
            const float a = start + (end - start) * static_cast<float>(k) / kSteps;
            path.push_back({centreX + r * std::cos(a), y, r * std::sin(a)});
        }
        AddTube(wire, path, spec.WireRadiusMm, kSides);
    }
    model.Objects.push_back(wire.Build());

    // The wire stands out beyond the bound edge: centre the whole notebook
    // and make its larger side 2 units.
    const float left = centreX - r - spec.WireRadiusMm;
    const float width = hw - left;
    for (TobjectEMO& o : model.Objects)
        for (Vec3& v : o.Vertices) v[0] -= (left + hw) / 2;
    ScaleToUnits(model, 2.0f / std::max(width, spec.HeightMm));
    return model;
}

TmodelEMO BuildSpiralNotebookA5() {
    return BuildSpiralNotebook({});
}

TmodelEMO BuildWideSpiralNotebook() {
    SpiralNotebookSpec spec;
    spec.WidthMm = 297.0f;
    spec.HeightMm = 210.0f;
    return BuildSpiralNotebook(spec);
}

}  // namespace tessaly
