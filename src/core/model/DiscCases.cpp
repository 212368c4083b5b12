#include "core/model/DiscCases.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/model/MeshBuilder.h"
#include "core/model/ModelParts.h"

namespace tessaly {

using namespace geom;
using namespace parts;

namespace {

constexpr int kDiscSegments = 72;

// A 120 mm disc lying in the case with its top at `top`: the printed ring
// (40 to 118 mm, named `labelName`, the square image mapped onto the disc's
// bounding square), a clear hub round the 15 mm hole, a silver rim and
// underside.
void AddDisc(TmodelEMO& model, const std::string& labelName, const Vec3& centre, float top) {
    constexpr float kHole = 7.5f, kLabelIn = 20.0f, kLabelOut = 59.0f, kOut = 60.0f;
    constexpr float kThick = 1.2f;
    const Vec3 c{centre[0], centre[1], top};
    MeshBuilder label(labelName);
    label.SetSurface(kWhite).SetTextured(true);
    AddRing(label, c, kLabelIn, kLabelOut, kDiscSegments, true, [&](float x, float y) {
        return Vec2{0.5f + (x - c[0]) / (2 * kLabelOut), 0.5f + (y - c[1]) / (2 * kLabelOut)};
    });
    model.Objects.push_back(label.Build());

    // The silver part and the clear hub inside the label, apart so that a
    // look can draw the hub clear; both have the same surface.
    const Vec3 under{c[0], c[1], top - kThick};
    MeshBuilder disc("Disc");
    disc.SetSurface(kSilver);
    AddRing(disc, c, kLabelOut, kOut, kDiscSegments, true);
    AddRing(disc, under, kLabelIn, kOut, kDiscSegments, false);
    AddCylinderWall(disc, c, kOut, top - kThick, top, kDiscSegments, true);
    model.Objects.push_back(disc.Build());

    MeshBuilder hub(kDiscHubObject);
    hub.SetSurface(kSilver);
    AddRing(hub, c, kHole, kLabelIn, kDiscSegments, true);
    AddRing(hub, under, kHole, kLabelIn, kDiscSegments, false);
    AddCylinderWall(hub, c, kHole, top - kThick, top, kDiscSegments, false);
    model.Objects.push_back(hub.Build());
}

}  // namespace

bool IsClearSleeve(std::string_view objectName) {
    return objectName == kLidSleeveObject || objectName == kBaseSleeveObject;
}

TmodelEMO BuildCdCase() {
    constexpr float kW = 142.0f, kHH = 62.5f;   // width, half height
    constexpr float kLid = 3.0f, kBase = 7.4f;  // 10.4 mm in all
    constexpr float kTray = 1.4f;               // depth of the tray below the lid
    // The booklet window in the lid, 120 x 120.
    constexpr float kBx0 = -132.0f, kBx1 = -12.0f, kBh = 60.0f;
    constexpr float kHinge = 6.0f;
    TmodelEMO model;

    MeshBuilder shell("fataCarcas");
    shell.SetSurface(kClearPlastic);
    AddBox(shell, {{-kW, -kHH, 0}, {kBx0, kHH, kLid}});
    AddBox(shell, {{kBx1, -kHH, 0}, {-kHinge, kHH, kLid}});
    AddBox(shell, {{kBx0, kBh, 0}, {kBx1, kHH, kLid}});
    AddBox(shell, {{kBx0, -kHH, 0}, {kBx1, -kBh, kLid}});
    // The inside of the lid over the booklet's back page.
    AddSide(shell, {{kBx0, -kBh, 0}, {kBx1, kBh, 0}}, Side::NegZ);
    model.Objects.push_back(shell.Build());

    MeshBuilder booklet("Front");
    booklet.SetSurface(kWhite).SetTextured(true);
    AddSide(booklet, {{kBx0, -kBh, kLid}, {kBx1, kBh, kLid}}, Side::PosZ);
    model.Objects.push_back(booklet.Build());

    // The hinge bar along the lid's hinge edge, its outer corner rounded.
    MeshBuilder hinge("CFata2");
    hinge.SetSurface({0.8f, 0.84f, 0.87f, 1});
    std::vector<std::array<float, 2>> profile{{-kHinge, 0}, {0, 0}};
    constexpr int kRound = 6;
    for (int k = 1; k <= kRound; ++k) {
        const float a = 1.5707963f * static_cast<float>(k) / kRound;
        profile.push_back({-kLid + kLid * std::cos(a), kLid * std::sin(a)});
    }
    profile.push_back({-kHinge, kLid});
    AddPrismY(hinge, profile, -kHH, kHH);
    model.Objects.push_back(hinge.Build());

    // The base: a clear body holding the tray card, a dark tray on top of it
    // and a clear rim round the tray up to the lid.
    const Box body{{-kW, -kHH, -kBase}, {0, kHH, -kTray}};
    constexpr float kCardH = 59.0f, kCardW = 151.0f, kBackInset = 2.0f;
    MeshBuilder back("Back");
    back.SetSurface(kWhite).SetTextured(true);
    MeshBuilder baseShell("BaseShell");
    baseShell.SetSurface(kClearPlastic);
    {
        // Seen from behind the image runs from the hinge end (x = 0) to the
        // far end; its outer 6.5 mm strips fold round both ends.
        const float strip = (kCardW - (kW - 2 * kBackInset)) / 2;
        const float plane = SidePlane(body, Side::NegZ);
        const Rect part{kBackInset, kW - kBackInset, -kCardH, kCardH};
        const Rect image{kBackInset - strip, kW - kBackInset + strip, -kCardH, kCardH};
        AddRect(back, Side::NegZ, plane, part, image);
        AddSideAround(baseShell, body, Side::NegZ, part);
        // Hinge end: r = -z, the strip starts at the front edge (u = 0).
        const Rect hingeEnd = SideRect(body, Side::PosX);
        AddRect(back, Side::PosX, SidePlane(body, Side::PosX),
                {hingeEnd.R0, hingeEnd.R1, -kCardH, kCardH},
                {hingeEnd.R0, hingeEnd.R0 + kCardW, -kCardH, kCardH});
        AddSideAround(baseShell, body, Side::PosX, {hingeEnd.R0, hingeEnd.R1, -kCardH, kCardH});
        // Far end: r = z, the strip ends at the front edge (u = 1).
        const Rect farEnd = SideRect(body, Side::NegX);
        AddRect(back, Side::NegX, SidePlane(body, Side::NegX),
                {farEnd.R0, farEnd.R1, -kCardH, kCardH},
                {farEnd.R1 - kCardW, farEnd.R1, -kCardH, kCardH});
        AddSideAround(baseShell, body, Side::NegX, {farEnd.R0, farEnd.R1, -kCardH, kCardH});
    }
    AddSides(baseShell, body, {Side::PosY, Side::NegY});
    constexpr float kRim = 2.0f;
    AddBox(baseShell, {{-kW, -kHH, -kTray}, {-kW + kRim, kHH, 0}});
    AddBox(baseShell, {{-kRim, -kHH, -kTray}, {0, kHH, 0}});
    AddBox(baseShell, {{-kW + kRim, kHH - kRim, -kTray}, {-kRim, kHH, 0}});
    AddBox(baseShell, {{-kW + kRim, -kHH, -kTray}, {-kRim, -kHH + kRim, 0}});
    model.Objects.push_back(back.Build());
    model.Objects.push_back(baseShell.Build());

    MeshBuilder tray("Tray");
    tray.SetSurface({0.16f, 0.16f, 0.17f, 1});
    AddSide(tray, body, Side::PosZ);
    model.Objects.push_back(tray.Build());

    AddDisc(model, "CD", {(kBx0 + kBx1) / 2, 0, 0}, -0.15f);
    ScaleToUnits(model, 1.8f / kW);
    return model;
}

TmodelEMO BuildDvdCase() {
    constexpr float kW = 135.0f, kHH = 95.0f, kHalfD = 7.0f;
    constexpr float kPlate = 1.5f, kWall = 1.5f;
    // The cover pictures under the clear sleeve, 133 x 184.
    constexpr float kIx0 = 1.0f, kIx1 = 134.0f, kIh = 92.0f;
    TmodelEMO model;

    // Lid (z >= 0) and base (z <= 0) are the same shell, mirrored in z.
    for (bool isLid : {true, false}) {
        const float s = isLid ? 1.0f : -1.0f;
        auto zBox = [&](float x0, float y0, float za, float x1, float y1, float zb) {
            return Box{{x0, y0, std::min(s * za, s * zb)}, {x1, y1, std::max(s * za, s * zb)}};
        };
        MeshBuilder shell(isLid ? "DVDCFata" : "DVDBase");
        shell.SetSurface(kBlackPlastic);
        const Box plate = zBox(-kW, -kHH, kHalfD - kPlate, 0, kHH, kHalfD);
        const Side outside = isLid ? Side::PosZ : Side::NegZ;
        const Rect picture = isLid ? Rect{-kIx1, -kIx0, -kIh, kIh} : Rect{kIx0, kIx1, -kIh, kIh};
        AddSideAround(shell, plate, outside, picture);
        AddSides(shell, plate,
                 {isLid ? Side::NegZ : Side::PosZ, Side::PosX, Side::NegX, Side::PosY, Side::NegY});
        const float wallTop = kHalfD - kPlate;
        AddBox(shell, zBox(-kW, -kHH, 0, -kW + kWall, kHH, wallTop));
        AddBox(shell, zBox(-kWall, -kHH, 0, 0, kHH, wallTop));
        AddBox(shell, zBox(-kW + kWall, kHH - kWall, 0, -kWall, kHH, wallTop));
        AddBox(shell, zBox(-kW + kWall, -kHH, 0, -kWall, -kHH + kWall, wallTop));
        model.Objects.push_back(shell.Build());

        MeshBuilder cover(isLid ? "DVDFata" : "DVDSpate");
        cover.SetSurface(kWhite).SetTextured(true);
        AddRect(cover, outside, SidePlane(plate, outside), picture, picture);
        model.Objects.push_back(cover.Build());

        // The clear sleeve the cover picture is slid under: a thin sheet
        // just outside the plate, over its whole face.
        constexpr float kSleeveGap = 0.3f;
        MeshBuilder sleeve(isLid ? kLidSleeveObject : kBaseSleeveObject);
        sleeve.SetSurface(kClearPlastic);
        const Rect whole = SideRect(plate, outside);
        AddRect(sleeve, outside, SidePlane(plate, outside) + kSleeveGap, whole, whole);
        model.Objects.push_back(sleeve.Build());
    }

    const Vec3 centre{-kW / 2, 0, 0};
    MeshBuilder hub("DVDHub");
    hub.SetSurface({0.2f, 0.2f, 0.21f, 1});
    AddCylinderWall(hub, centre, 7.0f, -kHalfD + kPlate, -2.5f, 24, true);
    AddRing(hub, {centre[0], centre[1], -2.5f}, 0.0f, 7.0f, 24, true);
    model.Objects.push_back(hub.Build());
    AddDisc(model, "DVD", centre, -3.0f);
    ScaleToUnits(model, 1.9f / (2 * kHH));
    return model;
}

}  // namespace tessaly
