#include "app/cover/CoverAssembly.h"

#include <array>
#include <string>
#include <string_view>

#include "app/MainState.h"
#include "core/model/CoverTypes.h"
#include "render/SceneSettings.h"

namespace tessaly {

std::array<std::string_view, 3> FaceObjects(std::string_view id) {
    if (id == "stdbox" || id == "thinbox" || id == "widebox" || id == "cbox")
        return {"Front", "Side", "Top"};
    if (id == "flatbook" || id == "roundedbook" || id == "roundedbbook")
        return {"Front", "Back", "Side"};
    if (id == "magazine" || id == "spiral1" || id == "spiral2") return {"Front", "Back", ""};
    if (id == "cdcase") return {"Front", "Back", "CD"};
    if (id == "dvdcase") return {"DVDFata", "DVDSpate", "DVD"};
    if (id == "2bookbox" || id == "3bookbox" || id == "4bookbox") return {"Top", "Side", "Back"};
    return {"", "", ""};
}

namespace {

void ApplyColor(TmodelEMO& model, std::string_view object, Color24 color) {
    const Rgb c = ColorToFloats(color);
    model.SetColorByName(object, c[0], c[1], c[2], 1.0f);
}

// Thumbnail w x h centred in a group of height H, its frame one pixel around.
void PlaceThumbnail(MainState& state, int g, int w, int h) {
    MainControls& c = state.Controls;
    const int H = c.Group(g).Height;
    const int left = (H - w) / 2;
    const int top = (H - 7 - h) / 2 + 7;
    c.Image(g).SetBounds(left, top, w, h);
    c.Shape(g).SetBounds(left - 1, top - 1, w + 2, h + 2);
}

int Truncate(double x) { return static_cast<int>(x); }

}  // namespace

void SelectCover(MainState& state, int entry) {
    if (!state.RenderingEnabled()) return;
    ModelCatalogue& catalogue = state.Session.Catalogue;
    if (entry < 1 || entry > catalogue.Count) return;  // only filled entries can be shown

    state.Cover.Entry = entry;
    TModelItem& item = catalogue.Item(entry);
    TmodelEMO& model = item.Model;
    RenderSession& session = state.Session;
    session.TheScene.Model = &model;
    const std::string_view id = item.Id;

    const auto faces = FaceObjects(id);
    for (int i = 0; i < 3; ++i)
        if (!faces[i].empty()) model.SetTextureByName(faces[i], session.ImageTextures[i]);

    const CoverType* type = FindCoverType(id);
    const int books = type ? type->Books : 0;
    for (int b = 0; b < books; ++b) {
        const std::string suffix = "0" + std::to_string(b + 1);
        model.SetTextureByName("Front" + suffix, session.BookTextures[b][0]);
        model.SetTextureByName("Back" + suffix, session.BookTextures[b][1]);
        model.SetTextureByName("Side" + suffix, session.BookTextures[b][2]);
    }

    if (id == "flatbook") ApplyColor(model, "Spine", state.Cover.SpineColor);
    if (id == "spiral1" || id == "spiral2") ApplyColor(model, "Spira", state.Cover.SpiralColor);

    MainControls& c = state.Controls;
    const std::array<const std::string*, 3> captions{&item.Caption1, &item.Caption2,
                                                     &item.Caption3};
    const std::array<bool, 3> visible{item.Visible1, item.Visible2, item.Visible3};
    const std::array<int, 3> widths{item.ThumbWidth1, item.ThumbWidth2, item.ThumbWidth3};
    const std::array<int, 3> heights{item.ThumbHeight1, item.ThumbHeight2, item.ThumbHeight3};
    for (int g = 1; g <= 3; ++g) {
        c.Group(g).Caption = *captions[g - 1];
        c.Group(g).SetVisible(visible[g - 1]);
        PlaceThumbnail(state, g, widths[g - 1], heights[g - 1]);
    }

    c.ecoDimensionsG.SetVisible(id == "cbox");
    c.ecoCDOpt.SetVisible(id == "cdcase" || id == "dvdcase");
    c.SpineGroup.SetVisible(id == "flatbook");
    c.SpiralGroup.SetVisible(id == "spiral1" || id == "spiral2");
    c.BitBtn26.SetVisible(books >= 2);
    c.SB3.SetVisible(books >= 3);
    c.SB4.SetVisible(books >= 4);
    if (books < 2) c.BImagesPanel.SetVisible(false);

    ShowOptimalSizes(state);
}

void ShowOptimalSizes(MainState& state) {
    TModelItem* item = state.CurrentEntry();
    if (!item) return;
    const std::array<int, 3> widths{item->ThumbWidth1, item->ThumbWidth2, item->ThumbWidth3};
    const std::array<int, 3> heights{item->ThumbHeight1, item->ThumbHeight2, item->ThumbHeight3};
    for (int g = 1; g <= 3; ++g)
        state.Controls.LSize(g).SetCaption(std::to_string(4 * widths[g - 1]) + "x" +
                                           std::to_string(4 * heights[g - 1]));
    UpdateCustomBoxSizes(state);
}

void UpdateCustomBoxSizes(MainState& state) {
    TModelItem* item = state.CurrentEntry();
    if (!item || item->Id != "cbox") return;
    const double W = state.Cover.WidthFactor;
    const double H = state.Cover.HeightFactor;
    const double D = state.Cover.DepthFactor;
    const double w1 = item->ThumbWidth1;
    const double h1 = item->ThumbHeight1;
    MainControls& c = state.Controls;
    auto label = [](double a, double b) {
        return std::to_string(Truncate(a)) + "x" + std::to_string(Truncate(b));
    };
    c.LSize1.SetCaption(label(2 * W * w1, 2 * H * h1));
    c.LSize2.SetCaption(label(2 * D * w1, 2 * H * h1));
    c.LSize3.SetCaption(label(2 * W * w1, 2 * D * h1));
    PlaceThumbnail(state, 1, Truncate(100 * W / 2), Truncate(100 * H / 2));
    PlaceThumbnail(state, 2, Truncate(100 * D / 2), Truncate(100 * H / 2));
    PlaceThumbnail(state, 3, Truncate(100 * W / 2), Truncate(100 * D / 2));
}

}  // namespace tessaly
