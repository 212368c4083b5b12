// ModelParts: the building blocks the cover model generators share. Every
// generator works in millimetres of the real product (boxes, prisms, rings,
// tubes and page edges added to a MeshBuilder), places sub-models with a
// turn about Y and an offset, and scales the finished model into scene units
// at the end.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <span>

#include "core/images/RgbaImage.h"
#include "core/model/EmoModel.h"
#include "core/model/MeshBuilder.h"

namespace tessaly::parts {

// The page-edge texture file the book, magazine and notebook models name.
inline constexpr const char* kPageTexture = "pages.jpg";

// Materials shared by several models (given to MeshBuilder::SetSurface).
inline constexpr Rgba kWhite{1, 1, 1, 1};
inline constexpr Rgba kPaper{0.97f, 0.95f, 0.9f, 1};
inline constexpr Rgba kCard{0.9f, 0.89f, 0.86f, 1};
inline constexpr Rgba kClearPlastic{0.9f, 0.93f, 0.95f, 1};
inline constexpr Rgba kBlackPlastic{0.13f, 0.13f, 0.14f, 1};
inline constexpr Rgba kSilver{0.8f, 0.81f, 0.84f, 1};
inline constexpr Rgba kMetal{0.66f, 0.67f, 0.7f, 1};

// The six sides of an axis-aligned box.
enum class Side { PosX, NegX, PosY, NegY, PosZ, NegZ };

// A side's outward normal and the directions of an image's left-to-right
// (Right) and bottom-to-top (Up) as seen from outside; Right x Up = Normal.
struct Frame {
    Vec3 Normal, Right, Up;
};
Frame FrameOf(Side side);

struct Box {
    Vec3 Lo, Hi;
};

// A rectangle in a side's own coordinates: r along Right, u along Up.
struct Rect {
    float R0, R1, U0, U1;
};
// The side's rectangle and the distance of its plane along the normal.
Rect SideRect(const Box& box, Side side);
float SidePlane(const Box& box, Side side);

// The part `part` of the plane of `side` at distance `plane`, facing out;
// the image's 0..1 range (scaled into uvMin..uvMax) spans `image`.
void AddRect(MeshBuilder& mesh, Side side, float plane, const Rect& part, const Rect& image,
             Vec2 uvMin = {0, 0}, Vec2 uvMax = {1, 1});
// One side of a box with the whole image (or uvMin..uvMax) on it.
void AddSide(MeshBuilder& mesh, const Box& box, Side side, Vec2 uvMin = {0, 0},
             Vec2 uvMax = {1, 1});
void AddSides(MeshBuilder& mesh, const Box& box, std::initializer_list<Side> sides);
void AddBox(MeshBuilder& mesh, const Box& box);
// A side with a rectangular window left out (the window in the side's own
// coordinates); the image spans the whole side.
void AddSideAround(MeshBuilder& mesh, const Box& box, Side side, const Rect& window);
// A side of a page block: the page texture's stripes run along the side and
// cross the leaves along `thicknessAxis` (0 x, 1 y, 2 z).
void AddPageSide(MeshBuilder& mesh, const Box& box, Side side, int thicknessAxis);

// A quad or triangle with its own normal at each corner; the corner order is
// turned round when needed so it faces the way the normals point.
void AddSmoothQuad(MeshBuilder& mesh, MeshCorner a, MeshCorner b, MeshCorner c, MeshCorner d);
void AddSmoothTriangle(MeshBuilder& mesh, MeshCorner a, MeshCorner b, MeshCorner c);

// A round tube of the given radius along an open path (no end caps).
void AddTube(MeshBuilder& mesh, std::span<const Vec3> path, float radius, int sides);

// A flat ring between radii r0 < r1 around `centre` in the plane z =
// centre.z, facing +Z (`up`) or -Z; `uv` gives each corner's texture
// coordinate from its x, y (none when empty).
void AddRing(MeshBuilder& mesh, const Vec3& centre, float r0, float r1, int segments, bool up,
             const std::function<Vec2(float x, float y)>& uv = {});
// The wall of a cylinder about the Z axis through `centre`, from z0 to z1,
// facing away from the axis (`outward`) or toward it.
void AddCylinderWall(MeshBuilder& mesh, const Vec3& centre, float radius, float z0, float z1,
                     int segments, bool outward);
// A prism along Y from y0 to y1 over a convex profile given as (x, z)
// points in order round the outline; flat sides and two end caps.
void AddPrismY(MeshBuilder& mesh, std::span<const std::array<float, 2>> profile, float y0,
               float y1);

// Appends `part`'s objects to `model`, turned by angleY degrees about the
// vertical axis (as an OpenGL turn about +Y) and then moved by `offset`.
void Place(TmodelEMO& model, const TmodelEMO& part, float angleY, const Vec3& offset);
// Scales every position by `unitsPerMm` (normals are unchanged).
void ScaleToUnits(TmodelEMO& model, float unitsPerMm);

// The page-edge texture: many thin parallel lines across the picture's
// height, cream with darker gaps between leaves, shaded darker toward the
// top and bottom rows (the covers). Rows run top to bottom.
RgbaImage PageEdgeTexture();

}  // namespace tessaly::parts
