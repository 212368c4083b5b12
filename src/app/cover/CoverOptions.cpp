#include "app/cover/CoverOptions.h"

#include <string>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "core/model/DiscCases.h"
#include "render/SceneSettings.h"

namespace tessaly {

namespace {

// The lid objects, in the order they are turned; a model holds some of them.
constexpr const char* kLidObjects[] = {"fataCarcas", "Front",    "CFata2",
                                       "DVDFata",    "DVDCFata", kLidSleeveObject};

enum class Axis { X, Y, Z };

void DimensionChange(MainState& state, ScrollBar& bar, float& factor, Control& label, Axis axis) {
    factor = FactorFromPosition(bar.Position);
    label.SetCaption(FormatHundredths(factor));
    TModelItem* item = state.CurrentEntry();
    if (item && item->Id == "cbox") {
        TmodelEMO& m = item->Model;
        (axis == Axis::X ? m.ScaleX : axis == Axis::Y ? m.ScaleY : m.ScaleZ) = factor;
    }
    state.Cover.Modified = true;
    UpdateCustomBoxSizes(state);
}

bool CurrentIdIs(MainState& state, std::initializer_list<const char*> ids) {
    TModelItem* item = state.CurrentEntry();
    if (!item) return false;
    for (const char* id : ids)
        if (item->Id == id) return true;
    return false;
}

void SetModelColor(MainState& state, const char* object, unsigned color) {
    if (TmodelEMO* m = state.CurrentModel()) {
        const Rgb c = ColorToFloats(color);
        m->SetColorByName(object, c[0], c[1], c[2], 1.0f);
    }
}

}  // namespace

void BindCoverOptions(MainState& state) {
    MainControls& c = state.Controls;
    c.BWidthSB.OnChange = [&state] { BWidthSBChange(state); };
    c.BHeightSB.OnChange = [&state] { BHeightSBChange(state); };
    c.BDepthSB.OnChange = [&state] { BDepthSBChange(state); };
    c.caseAngleSB.OnChange = [&state] { caseAngleSBChange(state); };
}

void BWidthSBChange(MainState& state) {
    DimensionChange(state, state.Controls.BWidthSB, state.Cover.WidthFactor, state.Controls.Label49,
                    Axis::X);
}

void BHeightSBChange(MainState& state) {
    DimensionChange(state, state.Controls.BHeightSB, state.Cover.HeightFactor,
                    state.Controls.Label50, Axis::Y);
}

void BDepthSBChange(MainState& state) {
    DimensionChange(state, state.Controls.BDepthSB, state.Cover.DepthFactor, state.Controls.Label51,
                    Axis::Z);
}

void caseAngleSBChange(MainState& state) {
    const int position = state.Controls.caseAngleSB.Position;
    state.Cover.CaseAngle = static_cast<float>(position);
    if (TmodelEMO* m = state.CurrentModel())
        for (const char* lid : kLidObjects) m->SetAngleByName(lid, state.Cover.CaseAngle);
    state.Cover.Modified = true;
}

void ApplySpineColor(MainState& state, unsigned color) {
    state.Controls.SpineShape.SetColor(color);
    state.Cover.SpineColor = color;
    if (CurrentIdIs(state, {"flatbook"})) SetModelColor(state, "Spine", color);
}

void ApplySpiralColor(MainState& state, unsigned color) {
    state.Controls.SpiralShape.SetColor(color);
    state.Cover.SpiralColor = color;
    if (CurrentIdIs(state, {"spiral1", "spiral2"})) SetModelColor(state, "Spira", color);
}

void BitBtn27Click(MainState& state) {
    auto chosen = state.Port().ChooseColor("scDialog", state.Controls.SpineShape.Color);
    if (!chosen) return;
    ApplySpineColor(state, *chosen);
    if (CurrentIdIs(state, {"flatbook"})) state.Cover.Modified = true;
}

void BitBtn28Click(MainState& state) {
    auto chosen = state.Port().ChooseColor("spiralcDialog", state.Controls.SpiralShape.Color);
    if (!chosen) return;
    ApplySpiralColor(state, *chosen);
    if (CurrentIdIs(state, {"spiral1", "spiral2"})) state.Cover.Modified = true;
}

}  // namespace tessaly
