#include "core/model/SoftwareBox.h"

#include <cmath>

#include "core/model/MeshBuilder.h"

namespace tessaly {

using namespace geom;

namespace {

constexpr Rgba kWhite{1, 1, 1, 1};
constexpr Rgba kPlainCard{0.86f, 0.86f, 0.86f, 1};
constexpr Rgba kEdgeCard{0.93f, 0.92f, 0.88f, 1};

struct BoxFace {
    const char* name;
    Vec3 normal;  // outward
    Vec3 right;   // the image's left-to-right direction seen from outside
    Vec3 up;      // the image's bottom-to-top direction
    bool artwork;
};

// right x up = normal for each face, so corners listed bottom-left,
// bottom-right, top-right, top-left run counter-clockwise seen from outside.
constexpr BoxFace kFaces[] = {
    {"Front", {0, 0, 1}, {1, 0, 0}, {0, 1, 0}, true},
    {"Side", {1, 0, 0}, {0, 0, -1}, {0, 1, 0}, true},
    {"Top", {0, 1, 0}, {1, 0, 0}, {0, 0, -1}, true},
    {"Back", {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}, false},
    {"Left", {-1, 0, 0}, {0, 0, 1}, {0, 1, 0}, false},
    {"Bottom", {0, -1, 0}, {1, 0, 0}, {0, 0, 1}, false},
};

Vec3 Abs(const Vec3& v) {
    return {std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2])};
}

}  // namespace

TmodelEMO BuildSoftwareBox(const SoftwareBoxSpec& spec) {
    const Vec3 half{spec.WidthMm * spec.UnitsPerMm / 2, spec.HeightMm * spec.UnitsPerMm / 2,
                    spec.DepthMm * spec.UnitsPerMm / 2};
    const float bevel = spec.BevelMm * spec.UnitsPerMm;
    // Half the box's size along a unit axis.
    auto extent = [&](const Vec3& axis) { return Dot(Abs(axis), half); };

    TmodelEMO model;
    for (const BoxFace& f : kFaces) {
        MeshBuilder mesh(f.name);
        mesh.SetSurface(f.artwork ? kWhite : kPlainCard).SetTextured(f.artwork);
        const Vec3 centre = Scaled(f.normal, extent(f.normal));
        const Vec3 r = Scaled(f.right, extent(f.right) - bevel);
        const Vec3 u = Scaled(f.up, extent(f.up) - bevel);
        mesh.AddFlatQuad(Sub(Sub(centre, r), u), Sub(Add(centre, r), u), Add(Add(centre, r), u),
                         Add(Sub(centre, r), u), f.normal);
        model.Objects.push_back(mesh.Build());
    }

    // The bevel: a 45-degree strip along each of the 12 edges and a small
    // triangle at each of the 8 corners, joining the inset faces.
    MeshBuilder edges("Bevel");
    edges.SetSurface(kEdgeCard);
    const Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int a = 0; a < 3; ++a) {
        const Vec3& along = axes[a];
        const Vec3& p = axes[(a + 1) % 3];
        const Vec3& q = axes[(a + 2) % 3];
        const float t = extent(along) - bevel;
        for (float sp : {-1.0f, 1.0f})
            for (float sq : {-1.0f, 1.0f}) {
                const Vec3 np = Scaled(p, sp), nq = Scaled(q, sq);
                // Border of the face with normal np, and of the face with nq.
                const Vec3 onP = Add(Scaled(np, extent(p)), Scaled(nq, extent(q) - bevel));
                const Vec3 onQ = Add(Scaled(nq, extent(q)), Scaled(np, extent(p) - bevel));
                edges.AddFacingQuad(Sub(onP, Scaled(along, t)), Add(onP, Scaled(along, t)),
                                    Add(onQ, Scaled(along, t)), Sub(onQ, Scaled(along, t)),
                                    Normalized(Add(np, nq)));
            }
    }
    for (float sx : {-1.0f, 1.0f})
        for (float sy : {-1.0f, 1.0f})
            for (float sz : {-1.0f, 1.0f}) {
                const Vec3 s{sx, sy, sz};
                auto point = [&](int onAxis) {
                    Vec3 v;
                    for (int i = 0; i < 3; ++i)
                        v[i] = s[i] * (i == onAxis ? half[i] : half[i] - bevel);
                    return v;
                };
                edges.AddFacingTriangle(point(0), point(1), point(2), Normalized(s));
            }
    model.Objects.push_back(edges.Build());
    return model;
}

SoftwareBoxSpec ThinBoxSpec() {
    SoftwareBoxSpec spec;
    spec.DepthMm = 20.0f;
    return spec;
}

SoftwareBoxSpec WideBoxSpec() {
    SoftwareBoxSpec spec;
    spec.WidthMm = 235.0f;
    spec.HeightMm = 190.0f;
    return spec;
}

SoftwareBoxSpec CustomBoxSpec() {
    SoftwareBoxSpec spec;
    spec.WidthMm = spec.DepthMm = spec.HeightMm;
    return spec;
}

}  // namespace tessaly
