#include "core/model/Magazine.h"

#include <cmath>
#include <vector>

#include "core/model/MeshBuilder.h"
#include "core/model/ModelParts.h"

namespace tessaly {

using namespace geom;
using namespace parts;

TmodelEMO BuildMagazine() {
    constexpr float kWidth = 210.0f, kHeight = 297.0f, kThickness = 3.5f;
    constexpr float kPi = 3.14159265f;
    constexpr int kFoldSteps = 8;
    const float hh = kHeight / 2, ht = kThickness / 2;
    const float x0 = -kWidth / 2 + ht;  // where the fold begins
    const float x1 = kWidth / 2;

    TmodelEMO model;
    // Each cover is a flat face plus half of the fold round the spine. The
    // printed sheet wraps round the fold: the image runs on from the face
    // over the fold to the middle of the spine, each part of it given room in
    // proportion to its length, so nothing is stretched round the fold.
    const float faceLength = x1 - x0;
    const float foldLength = ht * kPi / 2;
    const float faceShare = faceLength / (faceLength + foldLength);
    for (bool isFront : {true, false}) {
        MeshBuilder cover(isFront ? "Front" : "Back");
        cover.SetSurface(kWhite).SetTextured(true);
        const float z = isFront ? ht : -ht;
        const Box face{{x0, -hh, z}, {x1, hh, z}};
        // The image's left edge is at the spine on the front, its right edge
        // on the back (seen from behind).
        if (isFront)
            AddSide(cover, face, Side::PosZ, {1 - faceShare, 0}, {1, 1});
        else
            AddSide(cover, face, Side::NegZ, {0, 0}, {faceShare, 1});
        std::vector<MeshCorner> bottom, top;
        for (int k = 0; k <= kFoldSteps; ++k) {
            const float t = static_cast<float>(k) / kFoldSteps;
            // Front: from the front face (90 degrees) to the middle of the
            // spine (180); back: from there to the back face (270).
            const float a = isFront ? kPi / 2 + t * kPi / 2 : kPi + t * kPi / 2;
            const Vec3 n{std::cos(a), 0, std::sin(a)};
            const float u = isFront ? (1 - faceShare) * (1 - t) : 1 - (1 - faceShare) * t;
            bottom.push_back({{x0 + ht * n[0], -hh, ht * n[2]}, {u, 0}, n});
            top.push_back({{x0 + ht * n[0], hh, ht * n[2]}, {u, 1}, n});
        }
        for (int k = 0; k < kFoldSteps; ++k)
            AddSmoothQuad(cover, bottom[k], bottom[k + 1], top[k + 1], top[k]);
        model.Objects.push_back(cover.Build());
    }

    MeshBuilder pages("Pages");
    pages.SetSurface(kWhite).SetTextured(true, kPageTexture);
    const Box block{{x0, -hh, -ht}, {x1, hh, ht}};
    AddPageSide(pages, block, Side::PosX, 2);
    AddPageSide(pages, block, Side::PosY, 2);
    AddPageSide(pages, block, Side::NegY, 2);
    // Half discs closing the fold at head and tail.
    for (float y : {-hh, hh}) {
        const Vec3 n{0, y > 0 ? 1.0f : -1.0f, 0};
        for (int k = 0; k < 2 * kFoldSteps; ++k) {
            const float a0 = kPi / 2 + kPi * static_cast<float>(k) / (2 * kFoldSteps);
            const float a1 = kPi / 2 + kPi * static_cast<float>(k + 1) / (2 * kFoldSteps);
            const Vec3 p0{x0 + ht * std::cos(a0), y, ht * std::sin(a0)};
            const Vec3 p1{x0 + ht * std::cos(a1), y, ht * std::sin(a1)};
            auto uv = [&](const Vec3& p) { return Vec2{0.0f, (p[2] + ht) / kThickness}; };
            pages.AddFacingTriangle({x0, y, 0}, p0, p1, n, {Vec2{0, 0.5f}, uv(p0), uv(p1)});
        }
    }
    model.Objects.push_back(pages.Build());
    ScaleToUnits(model, 2.0f / kHeight);
    return model;
}

}  // namespace tessaly
