#include "core/model/ShippedModels.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "core/images/JpegCodec.h"
#include "core/io/FileIO.h"
#include "core/model/BookBoxes.h"
#include "core/model/Books.h"
#include "core/model/DiscCases.h"
#include "core/model/EmoWriter.h"
#include "core/model/Magazine.h"
#include "core/model/ModelParts.h"
#include "core/model/SoftwareBox.h"
#include "core/model/SpiralNotebooks.h"

namespace tessaly {

namespace {

ShippedGroup Group(std::string caption, float w, float h, std::vector<std::string> objects) {
    const auto size = ThumbnailFor(w, h);
    return {std::move(caption), true, size[0], size[1], std::move(objects)};
}

ShippedGroup Unused() {
    return {"Not used", false, 100, 100, {}};
}

std::array<ShippedGroup, 3> BoxGroups(const SoftwareBoxSpec& s) {
    // The images lie inside the bevel round each face.
    const float w = s.WidthMm - 2 * s.BevelMm, h = s.HeightMm - 2 * s.BevelMm;
    const float d = s.DepthMm - 2 * s.BevelMm;
    return {Group("Front", w, h, {"Front"}), Group("Side", d, h, {"Side"}),
            Group("Top", w, d, {"Top"})};
}

std::array<ShippedGroup, 3> BookGroups(float frontWidth, float spineWidth) {
    return {Group("Front", frontWidth, 229, {"Front"}), Group("Back", frontWidth, 229, {"Back"}),
            Group("Spine", spineWidth, 229, {"Side"})};
}

std::array<ShippedGroup, 3> BookBoxGroups(int books) {
    BookBoxSpec spec;
    spec.Books = books;
    const Vec3 o = BookBoxOuterMm(spec);
    return {Group("Slipcase top", o[0], o[2], {"Top"}),
            Group("Slipcase side", o[2], o[1], {"Side"}),
            Group("Slipcase back", o[0], o[1], {"Back"})};
}

TmodelEMO BookBox2() {
    return BuildBookBox({2});
}
TmodelEMO BookBox3() {
    return BuildBookBox({3});
}
TmodelEMO BookBox4() {
    return BuildBookBox({4});
}

std::vector<ShippedModel> MakeShippedModels() {
    // The rounded spine's front board starts where the spine's arc ends, a
    // sixth of the spine's 20 mm in; the arc itself is about 21.5 mm long.
    const float halfSpine = 10.0f, bulge = 20.0f / 6;
    const float roundedFront = 152.0f - bulge;
    const float radius = (halfSpine * halfSpine + bulge * bulge) / (2 * bulge);
    const float arc = 2 * radius * std::asin(halfSpine / radius);
    // The customizable box's sizes follow its dimension factors: the base
    // box is a cube and every group starts from the same 200 x 200.
    const std::array<ShippedGroup, 3> cube{ShippedGroup{"Front", true, 200, 200, {"Front"}},
                                           ShippedGroup{"Side", true, 200, 200, {"Side"}},
                                           ShippedGroup{"Top", true, 200, 200, {"Top"}}};
    return {
        {"stdbox", "stdbox.emo", BoxGroups({}), [] { return BuildSoftwareBox({}); }},
        {"thinbox", "thinbox.emo", BoxGroups(ThinBoxSpec()),
         [] { return BuildSoftwareBox(ThinBoxSpec()); }},
        {"widebox", "widebox.emo", BoxGroups(WideBoxSpec()),
         [] { return BuildSoftwareBox(WideBoxSpec()); }},
        {"cbox", "cbox.emo", cube, [] { return BuildSoftwareBox(CustomBoxSpec()); }},
        {"flatbook", "flatbook.emo", BookGroups(152, 20), BuildFlatBook},
        {"roundedbook", "roundedbook.emo", BookGroups(roundedFront, arc),
         [] { return BuildRoundedBook(false); }},
        {"roundedbbook", "roundedbbook.emo", BookGroups(roundedFront, arc),
         [] { return BuildRoundedBook(true); }},
        {"magazine",
         "magazine.emo",
         {Group("Front", 210 - 1.75f, 297, {"Front"}), Group("Back", 210 - 1.75f, 297, {"Back"}),
          Unused()},
         BuildMagazine},
        {"spiral1",
         "spiral1.emo",
         {Group("Front", 148, 210, {"Front"}), Group("Back", 148, 210, {"Back"}), Unused()},
         BuildSpiralNotebookA5},
        {"spiral2",
         "spiral2.emo",
         {Group("Front", 297, 210, {"Front"}), Group("Back", 297, 210, {"Back"}), Unused()},
         BuildWideSpiralNotebook},
        {"cdcase",
         "cdcase.emo",
         {Group("Front", 120, 120, {"Front"}), Group("Back", 151, 118, {"Back"}),
          Group("CD label", 118, 118, {"CD"})},
         BuildCdCase},
        {"dvdcase",
         "dvdcase.emo",
         {Group("Front", 133, 184, {"DVDFata"}), Group("Back", 133, 184, {"DVDSpate"}),
          Group("DVD label", 118, 118, {"DVD"})},
         BuildDvdCase},
        {"2bookbox", "2bookbox.emo", BookBoxGroups(2), BookBox2},
        {"3bookbox", "3bookbox.emo", BookBoxGroups(3), BookBox3},
        {"4bookbox", "4bookbox.emo", BookBoxGroups(4), BookBox4},
    };
}

}  // namespace

std::array<int, 2> ThumbnailFor(float width, float height, int fit) {
    const float scale = static_cast<float>(fit) / std::max(width, height);
    return {std::max(1, static_cast<int>(std::lround(width * scale))),
            std::max(1, static_cast<int>(std::lround(height * scale)))};
}

const std::vector<ShippedModel>& ShippedModels() {
    static const std::vector<ShippedModel> models = MakeShippedModels();
    return models;
}

std::string ModelsIniText(const std::vector<ShippedModel>& models) {
    std::ostringstream out;
    out << models.size() << "\n";
    for (const ShippedModel& m : models) {
        out << "----------\n" << m.Id << "\n" << m.File << "\n";
        for (const ShippedGroup& g : m.Groups)
            out << g.Caption << "\n"
                << (g.Visible ? "+" : "-") << "\n"
                << g.ThumbWidth << " " << g.ThumbHeight << "\n";
    }
    return out.str();
}

void WriteShippedModels(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (const ShippedModel& m : ShippedModels()) SaveModelToFile(m.Build(), folder / m.File);
    const RgbaImage pages = parts::PageEdgeTexture();
    WriteFileAtomically(folder / parts::kPageTexture,
                        [&](std::ostream& out) { WriteJpeg(pages, 92, out); });
    const std::string ini = ModelsIniText(ShippedModels());
    WriteFileAtomically(folder / "models.ini",
                        std::span(reinterpret_cast<const std::uint8_t*>(ini.data()), ini.size()));
}

}  // namespace tessaly
