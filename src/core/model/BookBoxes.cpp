#include "core/model/BookBoxes.h"

#include <algorithm>
#include <string>

#include "core/model/Books.h"
#include "core/model/MeshBuilder.h"
#include "core/model/ModelParts.h"

namespace tessaly {

using namespace geom;
using namespace parts;

namespace {

constexpr Rgba kBindings[4] = {{0.42f, 0.1f, 0.1f, 1},
                               {0.12f, 0.2f, 0.38f, 1},
                               {0.14f, 0.3f, 0.18f, 1},
                               {0.36f, 0.26f, 0.14f, 1}};
constexpr Rgba kSlipcaseBoard{0.3f, 0.28f, 0.26f, 1};

float BookThicknessMm(const BookBoxSpec& spec) {
    return spec.BookBlockMm + 2 * 2.5f;
}

}  // namespace

Vec3 BookBoxOuterMm(const BookBoxSpec& spec) {
    const int books = std::clamp(spec.Books, 1, 4);
    return {books * BookThicknessMm(spec) + spec.ClearanceMm + 2 * spec.BoardMm,
            spec.BookHeightMm + spec.ClearanceMm + 2 * spec.BoardMm,
            spec.BookWidthMm + spec.ClearanceMm + spec.BoardMm};
}

TmodelEMO BuildBookBox(const BookBoxSpec& spec) {
    const int books = std::clamp(spec.Books, 1, 4);
    const Vec3 outer = BookBoxOuterMm(spec);
    const float hx = outer[0] / 2, hy = outer[1] / 2, hz = outer[2] / 2;
    const float b = spec.BoardMm;
    TmodelEMO model;

    // The five boards: two large sides, top, bottom and back.
    const Box left{{-hx, -hy, -hz}, {-hx + b, hy, hz}};
    const Box right{{hx - b, -hy, -hz}, {hx, hy, hz}};
    const Box top{{-hx + b, hy - b, -hz}, {hx - b, hy, hz}};
    const Box bottom{{-hx + b, -hy, -hz}, {hx - b, -hy + b, hz}};
    const Box back{{-hx + b, -hy + b, -hz}, {hx - b, hy - b, -hz + b}};

    MeshBuilder topFace("Top");
    topFace.SetSurface(kWhite).SetTextured(true);
    AddSide(topFace, {{-hx, hy - b, -hz}, {hx, hy, hz}}, Side::PosY);
    model.Objects.push_back(topFace.Build());
    MeshBuilder sides("Side");
    sides.SetSurface(kWhite).SetTextured(true);
    AddSide(sides, right, Side::PosX);
    AddSide(sides, left, Side::NegX);
    model.Objects.push_back(sides.Build());
    MeshBuilder backFace("Back");
    backFace.SetSurface(kWhite).SetTextured(true);
    AddSide(backFace, {{-hx, -hy, -hz}, {hx, hy, -hz + b}}, Side::NegZ);
    model.Objects.push_back(backFace.Build());
    MeshBuilder bottomFace("Bottom");
    bottomFace.SetSurface(kSlipcaseBoard);
    AddSide(bottomFace, {{-hx, -hy, -hz}, {hx, -hy + b, hz}}, Side::NegY);
    model.Objects.push_back(bottomFace.Build());

    MeshBuilder inside("Slipcase");
    inside.SetSurface(kSlipcaseBoard);
    AddSide(inside, left, Side::PosZ);
    AddSide(inside, right, Side::PosZ);
    AddSide(inside, top, Side::PosZ);
    AddSide(inside, bottom, Side::PosZ);
    AddSide(inside, left, Side::PosX);
    AddSide(inside, right, Side::NegX);
    AddSide(inside, top, Side::NegY);
    AddSide(inside, bottom, Side::PosY);
    AddSide(inside, back, Side::PosZ);
    // Top and bottom boards' ends at the back are covered by the back board;
    // the large sides' back ends by the "Back" face.
    model.Objects.push_back(inside.Build());

    // The books: each turned so its spine (-X in the book) faces +Z, with
    // its front toward +X; standing on the bottom board, spines 0.5 mm
    // inside the opening.
    const float thickness = BookThicknessMm(spec);
    for (int i = 0; i < books; ++i) {
        BookSpec book;
        book.WidthMm = spec.BookWidthMm;
        book.HeightMm = spec.BookHeightMm;
        book.BlockMm = spec.BookBlockMm;
        book.BindingColour = kBindings[i];
        std::string n = "0";
        n += std::to_string(i + 1);
        book.Names = {"Front" + n, "Back" + n, "Side" + n, "Binding" + n, "Pages" + n};
        const float x = -hx + b + spec.ClearanceMm / 2 + thickness * (static_cast<float>(i) + 0.5f);
        const float y = -hy + b + book.HeightMm / 2;
        const float z = hz - 0.5f - book.WidthMm / 2;
        Place(model, BuildBookMm(book), 90.0f, {x, y, z});
    }
    ScaleToUnits(model, 2.0f / outer[1]);
    return model;
}

}  // namespace tessaly
