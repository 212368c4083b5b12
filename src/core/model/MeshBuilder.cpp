#include "core/model/MeshBuilder.h"

#include <cmath>
#include <stdexcept>
#include <utility>

namespace tessaly {

namespace geom {

Vec3 Add(const Vec3& a, const Vec3& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
Vec3 Sub(const Vec3& a, const Vec3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
Vec3 Scaled(const Vec3& a, float s) {
    return {a[0] * s, a[1] * s, a[2] * s};
}
Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
float Dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
Vec3 Normalized(const Vec3& a) {
    const float length = std::sqrt(Dot(a, a));
    return length > 0.0f ? Scaled(a, 1.0f / length) : a;
}

}  // namespace geom

using namespace geom;

MeshBuilder::MeshBuilder(std::string name) {
    object_.Name = std::move(name);
}

MeshBuilder& MeshBuilder::SetColor(const Rgba& colour) {
    object_.Ambient = object_.Diffuse = colour;
    return *this;
}

MeshBuilder& MeshBuilder::SetSurface(const Rgba& colour) {
    constexpr float kAmbient = 0.45f;
    constexpr float kDiffuse = 0.6f;
    object_.Ambient = {colour[0] * kAmbient, colour[1] * kAmbient, colour[2] * kAmbient, colour[3]};
    object_.Diffuse = {colour[0] * kDiffuse, colour[1] * kDiffuse, colour[2] * kDiffuse, colour[3]};
    return *this;
}

MeshBuilder& MeshBuilder::SetTextured(bool textured, std::string textureFile) {
    object_.Textured = textured;
    object_.TextureFile = std::move(textureFile);
    return *this;
}

MeshBuilder& MeshBuilder::SetAngleY(float degrees) {
    object_.AngleY = degrees;
    return *this;
}

std::int32_t MeshBuilder::VertexFor(const MeshCorner& corner) {
    const std::array<float, 5> key{corner.Position[0], corner.Position[1], corner.Position[2],
                                   corner.Uv[0], corner.Uv[1]};
    auto [it, added] = index_.try_emplace(key, static_cast<std::int32_t>(object_.Vertices.size()));
    if (added) {
        object_.Vertices.push_back(corner.Position);
        object_.TexCoords.push_back(corner.Uv);
        normalSums_.push_back({0, 0, 0});
    }
    normalSums_[static_cast<std::size_t>(it->second)] =
        Add(normalSums_[static_cast<std::size_t>(it->second)], corner.Normal);
    return it->second;
}

void MeshBuilder::AddTriangle(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c) {
    const Vec3 area = Cross(Sub(b.Position, a.Position), Sub(c.Position, a.Position));
    if (Dot(area, area) < 1e-18f) return;
    FaceEMO face;
    face.Corners = {VertexFor(a), VertexFor(b), VertexFor(c)};
    face.Normals = {a.Normal, b.Normal, c.Normal};
    object_.Faces.push_back(face);
}

void MeshBuilder::AddQuad(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c,
                          const MeshCorner& d) {
    AddTriangle(a, b, c);
    AddTriangle(a, c, d);
}

void MeshBuilder::AddFlatQuad(const Vec3& bottomLeft, const Vec3& bottomRight, const Vec3& topRight,
                              const Vec3& topLeft, const Vec3& normal, Vec2 uvMin, Vec2 uvMax) {
    AddQuad({bottomLeft, {uvMin[0], uvMin[1]}, normal}, {bottomRight, {uvMax[0], uvMin[1]}, normal},
            {topRight, {uvMax[0], uvMax[1]}, normal}, {topLeft, {uvMin[0], uvMax[1]}, normal});
}

void MeshBuilder::AddFacingQuad(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, const Vec3& normal,
                                const std::array<Vec2, 4>& uv) {
    MeshCorner c[4] = {
        {p0, uv[0], normal}, {p1, uv[1], normal}, {p2, uv[2], normal}, {p3, uv[3], normal}};
    const Vec3 winding = Cross(Sub(p1, p0), Sub(p2, p0));
    if (Dot(winding, normal) < 0.0f) std::swap(c[1], c[3]);
    AddQuad(c[0], c[1], c[2], c[3]);
}

void MeshBuilder::AddFacingTriangle(Vec3 p0, Vec3 p1, Vec3 p2, const Vec3& normal,
                                    const std::array<Vec2, 3>& uv) {
    MeshCorner c[3] = {{p0, uv[0], normal}, {p1, uv[1], normal}, {p2, uv[2], normal}};
    const Vec3 winding = Cross(Sub(p1, p0), Sub(p2, p0));
    if (Dot(winding, normal) < 0.0f) std::swap(c[1], c[2]);
    AddTriangle(c[0], c[1], c[2]);
}

void MeshBuilder::AddStrip(std::span<const MeshCorner> railA, std::span<const MeshCorner> railB) {
    if (railA.size() != railB.size())
        throw std::invalid_argument("MeshBuilder::AddStrip: rails of different lengths");
    for (std::size_t i = 0; i + 1 < railA.size(); ++i)
        AddQuad(railA[i], railA[i + 1], railB[i + 1], railB[i]);
}

void MeshBuilder::AddFan(const MeshCorner& centre, std::span<const MeshCorner> rim) {
    for (std::size_t i = 0; i + 1 < rim.size(); ++i) AddTriangle(centre, rim[i], rim[i + 1]);
}

TobjectEMO MeshBuilder::Build() const {
    TobjectEMO result = object_;
    result.Normals.clear();
    result.Normals.reserve(normalSums_.size());
    for (const Vec3& sum : normalSums_) result.Normals.push_back(Normalized(sum));
    return result;
}

}  // namespace tessaly
