// MeshBuilder: assembles one TobjectEMO from triangles, quads, strips and
// fans given by their corners (position, texture coordinate, normal). The
// model generators build every cover shape with it. Corners with the same
// position and texture coordinate share a vertex; each face keeps its own
// per-corner normals, and each vertex gets the average of the normals of the
// corners that use it.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <span>
#include <string>

#include "core/model/EmoModel.h"

namespace tessaly {

struct MeshCorner {
    Vec3 Position{};
    Vec2 Uv{};
    Vec3 Normal{};
};

// Small vector helpers for geometry code.
namespace geom {
Vec3 Add(const Vec3& a, const Vec3& b);
Vec3 Sub(const Vec3& a, const Vec3& b);
Vec3 Scaled(const Vec3& a, float s);
Vec3 Cross(const Vec3& a, const Vec3& b);
float Dot(const Vec3& a, const Vec3& b);
Vec3 Normalized(const Vec3& a);  // the zero vector stays zero
}  // namespace geom

class MeshBuilder {
  public:
    explicit MeshBuilder(std::string name);

    // Ambient and diffuse colour of the object.
    MeshBuilder& SetColor(const Rgba& colour);
    // A printed or plain surface of this colour under the scene's lights. The
    // main light's colour is also its ambient colour, so a material with full
    // ambient would burn out to white on every face; ambient and diffuse are
    // split so a face turned to the light shows its colour at about full
    // strength and a face turned away reads darker.
    MeshBuilder& SetSurface(const Rgba& colour);
    // The textured flag and the texture file written with the model (a name
    // of up to 4 characters means none).
    MeshBuilder& SetTextured(bool textured, std::string textureFile = {});
    MeshBuilder& SetAngleY(float degrees);

    // A triangle whose corners run counter-clockwise seen from the side it
    // is meant to be seen from. Triangles of (almost) no area are dropped.
    void AddTriangle(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c);
    // A quad a, b, c, d counter-clockwise, as triangles (a, b, c), (a, c, d).
    void AddQuad(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c,
                 const MeshCorner& d);
    // A flat quad with one normal whose corners run bottom-left, bottom-right,
    // top-right, top-left as seen from outside; the image spans uvMin at the
    // bottom-left to uvMax at the top-right (v grows upwards).
    void AddFlatQuad(const Vec3& bottomLeft, const Vec3& bottomRight, const Vec3& topRight,
                     const Vec3& topLeft, const Vec3& normal, Vec2 uvMin = {0, 0},
                     Vec2 uvMax = {1, 1});
    // Like AddFlatQuad, but the corner order is turned round when needed so
    // the quad faces `normal` (for strips and corners whose winding is
    // awkward to state by hand).
    void AddFacingQuad(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, const Vec3& normal,
                       const std::array<Vec2, 4>& uv = {});
    void AddFacingTriangle(Vec3 p0, Vec3 p1, Vec3 p2, const Vec3& normal,
                           const std::array<Vec2, 3>& uv = {});
    // A ribbon between two rails of equal length: quads (a[i], a[i+1],
    // b[i+1], b[i]), so rail a runs left to right along the bottom edge as
    // seen from outside and rail b along the top. Bevels, rounded spines.
    void AddStrip(std::span<const MeshCorner> railA, std::span<const MeshCorner> railB);
    // Triangles (centre, rim[i], rim[i+1]); the rim runs counter-clockwise.
    void AddFan(const MeshCorner& centre, std::span<const MeshCorner> rim);

    std::size_t TriangleCount() const { return object_.Faces.size(); }
    // The finished object (the builder can go on being used).
    TobjectEMO Build() const;

  private:
    std::int32_t VertexFor(const MeshCorner& corner);

    TobjectEMO object_;
    std::vector<Vec3> normalSums_;
    std::map<std::array<float, 5>, std::int32_t> index_;
};

}  // namespace tessaly
