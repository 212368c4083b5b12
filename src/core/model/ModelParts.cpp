#include "core/model/ModelParts.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tessaly::parts {

using namespace geom;

namespace {

constexpr float kPi = 3.14159265f;

Vec3 PointOn(const Frame& f, float plane, float r, float u) {
    return Add(Add(Scaled(f.Normal, plane), Scaled(f.Right, r)), Scaled(f.Up, u));
}

}  // namespace

Frame FrameOf(Side side) {
    switch (side) {
        case Side::PosX:
            return {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}};
        case Side::NegX:
            return {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}};
        case Side::PosY:
            return {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}};
        case Side::NegY:
            return {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}};
        case Side::PosZ:
            return {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
        case Side::NegZ:
            break;
    }
    return {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}};
}

Rect SideRect(const Box& box, Side side) {
    const Frame f = FrameOf(side);
    const float r0 = Dot(f.Right, box.Lo), r1 = Dot(f.Right, box.Hi);
    const float u0 = Dot(f.Up, box.Lo), u1 = Dot(f.Up, box.Hi);
    return {std::min(r0, r1), std::max(r0, r1), std::min(u0, u1), std::max(u0, u1)};
}

float SidePlane(const Box& box, Side side) {
    const Frame f = FrameOf(side);
    return std::max(Dot(f.Normal, box.Lo), Dot(f.Normal, box.Hi));
}

void AddRect(MeshBuilder& mesh, Side side, float plane, const Rect& part, const Rect& image,
             Vec2 uvMin, Vec2 uvMax) {
    if (part.R1 <= part.R0 || part.U1 <= part.U0) return;
    const Frame f = FrameOf(side);
    auto uv = [&](float r, float u) {
        const float s = image.R1 > image.R0 ? (r - image.R0) / (image.R1 - image.R0) : 0.0f;
        const float t = image.U1 > image.U0 ? (u - image.U0) / (image.U1 - image.U0) : 0.0f;
        return Vec2{uvMin[0] + s * (uvMax[0] - uvMin[0]), uvMin[1] + t * (uvMax[1] - uvMin[1])};
    };
    const Vec2 lo = uv(part.R0, part.U0), hi = uv(part.R1, part.U1);
    mesh.AddFlatQuad(PointOn(f, plane, part.R0, part.U0), PointOn(f, plane, part.R1, part.U0),
                     PointOn(f, plane, part.R1, part.U1), PointOn(f, plane, part.R0, part.U1),
                     f.Normal, lo, hi);
}

void AddSide(MeshBuilder& mesh, const Box& box, Side side, Vec2 uvMin, Vec2 uvMax) {
    const Rect r = SideRect(box, side);
    AddRect(mesh, side, SidePlane(box, side), r, r, uvMin, uvMax);
}

void AddSides(MeshBuilder& mesh, const Box& box, std::initializer_list<Side> sides) {
    for (Side s : sides) AddSide(mesh, box, s);
}

void AddBox(MeshBuilder& mesh, const Box& box) {
    AddSides(mesh, box, {Side::PosX, Side::NegX, Side::PosY, Side::NegY, Side::PosZ, Side::NegZ});
}

void AddSideAround(MeshBuilder& mesh, const Box& box, Side side, const Rect& window) {
    const Rect s = SideRect(box, side);
    const float plane = SidePlane(box, side);
    const Rect w{std::clamp(window.R0, s.R0, s.R1), std::clamp(window.R1, s.R0, s.R1),
                 std::clamp(window.U0, s.U0, s.U1), std::clamp(window.U1, s.U0, s.U1)};
    AddRect(mesh, side, plane, {s.R0, s.R1, s.U0, w.U0}, s);
    AddRect(mesh, side, plane, {s.R0, s.R1, w.U1, s.U1}, s);
    AddRect(mesh, side, plane, {s.R0, w.R0, w.U0, w.U1}, s);
    AddRect(mesh, side, plane, {w.R1, s.R1, w.U0, w.U1}, s);
}

void AddPageSide(MeshBuilder& mesh, const Box& box, Side side, int thicknessAxis) {
    const Frame f = FrameOf(side);
    const Rect r = SideRect(box, side);
    const float plane = SidePlane(box, side);
    // The in-plane axis that is not the thickness runs along the texture's u.
    int lengthAxis = 0;
    for (int i = 0; i < 3; ++i)
        if (i != thicknessAxis && std::fabs(f.Normal[i]) < 0.5f) lengthAxis = i;
    const Vec3 corners[4] = {PointOn(f, plane, r.R0, r.U0), PointOn(f, plane, r.R1, r.U0),
                             PointOn(f, plane, r.R1, r.U1), PointOn(f, plane, r.R0, r.U1)};
    std::array<Vec2, 4> uv{};
    for (int i = 0; i < 4; ++i) {
        const Vec3& p = corners[i];
        const float t = box.Hi[thicknessAxis] - box.Lo[thicknessAxis];
        const float l = box.Hi[lengthAxis] - box.Lo[lengthAxis];
        uv[i] = {l > 0 ? (p[lengthAxis] - box.Lo[lengthAxis]) / l : 0.0f,
                 t > 0 ? (p[thicknessAxis] - box.Lo[thicknessAxis]) / t : 0.0f};
    }
    mesh.AddFacingQuad(corners[0], corners[1], corners[2], corners[3], f.Normal, uv);
}

void AddSmoothQuad(MeshBuilder& mesh, MeshCorner a, MeshCorner b, MeshCorner c, MeshCorner d) {
    const Vec3 sum = Add(Add(a.Normal, b.Normal), Add(c.Normal, d.Normal));
    const Vec3 winding = Cross(Sub(c.Position, a.Position), Sub(d.Position, b.Position));
    if (Dot(winding, sum) < 0.0f) std::swap(b, d);
    mesh.AddQuad(a, b, c, d);
}

void AddSmoothTriangle(MeshBuilder& mesh, MeshCorner a, MeshCorner b, MeshCorner c) {
    const Vec3 sum = Add(Add(a.Normal, b.Normal), c.Normal);
    const Vec3 winding = Cross(Sub(b.Position, a.Position), Sub(c.Position, a.Position));
    if (Dot(winding, sum) < 0.0f) std::swap(b, c);
    mesh.AddTriangle(a, b, c);
}

void AddTube(MeshBuilder& mesh, std::span<const Vec3> path, float radius, int sides) {
    if (path.size() < 2 || sides < 3) return;
    std::vector<std::vector<MeshCorner>> rings;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const Vec3& prev = path[i == 0 ? 0 : i - 1];
        const Vec3& next = path[std::min(i + 1, path.size() - 1)];
        const Vec3 t = Normalized(Sub(next, prev));
        Vec3 ref{0, 1, 0};
        if (std::fabs(Dot(ref, t)) > 0.9f) ref = {1, 0, 0};
        const Vec3 n = Normalized(Cross(ref, t));
        const Vec3 b = Cross(t, n);
        std::vector<MeshCorner> ring;
        for (int k = 0; k <= sides; ++k) {
            const float a = 2 * kPi * static_cast<float>(k % sides) / static_cast<float>(sides);
            const Vec3 e = Add(Scaled(n, std::cos(a)), Scaled(b, std::sin(a)));
            ring.push_back({Add(path[i], Scaled(e, radius)), {}, e});
        }
        rings.push_back(std::move(ring));
    }
    for (std::size_t i = 0; i + 1 < rings.size(); ++i)
        for (int k = 0; k < sides; ++k)
            AddSmoothQuad(mesh, rings[i][k], rings[i + 1][k], rings[i + 1][k + 1], rings[i][k + 1]);
}

void AddRing(MeshBuilder& mesh, const Vec3& centre, float r0, float r1, int segments, bool up,
             const std::function<Vec2(float x, float y)>& uv) {
    const Vec3 normal{0, 0, up ? 1.0f : -1.0f};
    auto corner = [&](float r, int k) {
        const float a = 2 * kPi * static_cast<float>(k % segments) / static_cast<float>(segments);
        const float x = centre[0] + r * std::cos(a), y = centre[1] + r * std::sin(a);
        return MeshCorner{{x, y, centre[2]}, uv ? uv(x, y) : Vec2{0, 0}, normal};
    };
    for (int k = 0; k < segments; ++k)
        AddSmoothQuad(mesh, corner(r0, k), corner(r1, k), corner(r1, k + 1), corner(r0, k + 1));
}

void AddCylinderWall(MeshBuilder& mesh, const Vec3& centre, float radius, float z0, float z1,
                     int segments, bool outward) {
    auto corner = [&](float z, int k) {
        const float a = 2 * kPi * static_cast<float>(k % segments) / static_cast<float>(segments);
        const Vec3 e{std::cos(a), std::sin(a), 0};
        return MeshCorner{{centre[0] + radius * e[0], centre[1] + radius * e[1], z},
                          {},
                          outward ? e : Scaled(e, -1)};
    };
    for (int k = 0; k < segments; ++k)
        AddSmoothQuad(mesh, corner(z0, k), corner(z0, k + 1), corner(z1, k + 1), corner(z1, k));
}

void AddPrismY(MeshBuilder& mesh, std::span<const std::array<float, 2>> profile, float y0,
               float y1) {
    const std::size_t n = profile.size();
    if (n < 3) return;
    float cx = 0, cz = 0;
    for (const auto& p : profile) cx += p[0], cz += p[1];
    cx /= static_cast<float>(n);
    cz /= static_cast<float>(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto& p = profile[i];
        const auto& q = profile[(i + 1) % n];
        Vec3 normal = Normalized({q[1] - p[1], 0, p[0] - q[0]});
        const Vec3 toEdge{(p[0] + q[0]) / 2 - cx, 0, (p[1] + q[1]) / 2 - cz};
        if (Dot(normal, toEdge) < 0) normal = Scaled(normal, -1);
        mesh.AddFacingQuad({p[0], y0, p[1]}, {q[0], y0, q[1]}, {q[0], y1, q[1]}, {p[0], y1, p[1]},
                           normal);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const auto& p = profile[i];
        const auto& q = profile[(i + 1) % n];
        mesh.AddFacingTriangle({cx, y1, cz}, {p[0], y1, p[1]}, {q[0], y1, q[1]}, {0, 1, 0});
        mesh.AddFacingTriangle({cx, y0, cz}, {p[0], y0, p[1]}, {q[0], y0, q[1]}, {0, -1, 0});
    }
}

void Place(TmodelEMO& model, const TmodelEMO& part, float angleY, const Vec3& offset) {
    const float a = angleY * kPi / 180.0f;
    const float c = std::cos(a), s = std::sin(a);
    auto turn = [&](const Vec3& v) {
        return Vec3{c * v[0] + s * v[2], v[1], -s * v[0] + c * v[2]};
    };
    for (TobjectEMO object : part.Objects) {
        for (Vec3& v : object.Vertices) v = Add(turn(v), offset);
        for (Vec3& n : object.Normals) n = turn(n);
        for (FaceEMO& f : object.Faces)
            for (Vec3& n : f.Normals) n = turn(n);
        model.Objects.push_back(std::move(object));
    }
}

void ScaleToUnits(TmodelEMO& model, float unitsPerMm) {
    for (TobjectEMO& object : model.Objects)
        for (Vec3& v : object.Vertices) v = Scaled(v, unitsPerMm);
}

RgbaImage PageEdgeTexture() {
    constexpr int kWidth = 64, kHeight = 256, kRowsPerLeaf = 4;
    RgbaImage image(kWidth, kHeight);
    std::uint32_t seed = 12345u;
    auto noise = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<float>((seed >> 8) & 0xFFFF) / 65535.0f;
    };
    for (int y = 0; y < kHeight; ++y) {
        // Distance from the middle row, 0 at the middle and 1 at the covers.
        const float edge = std::fabs((y + 0.5f) / kHeight * 2.0f - 1.0f);
        const float shade = 1.0f - 0.18f * std::pow(edge, 4.0f);
        const bool gap = y % kRowsPerLeaf == kRowsPerLeaf - 1;
        const float leaf = (gap ? 0.82f : 1.0f) * (0.97f + 0.03f * noise());
        for (int x = 0; x < kWidth; ++x) {
            const float grain = 0.985f + 0.015f * noise();
            const float k = shade * leaf * grain;
            std::uint8_t* p = image.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(std::clamp(248.0f * k, 0.0f, 255.0f));
            p[1] = static_cast<std::uint8_t>(std::clamp(244.0f * k, 0.0f, 255.0f));
            p[2] = static_cast<std::uint8_t>(std::clamp(232.0f * k, 0.0f, 255.0f));
            p[3] = 255;
        }
    }
    return image;
}

}  // namespace tessaly::parts
