#include "app/project/ResetCommands.h"

#include <filesystem>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "app/images/ImageSlots.h"
#include "app/project/CoverProject.h"
#include "app/view/CentreCover.h"
#include "core/i18n/Messages.h"
#include "core/io/FileIO.h"
#include "core/model/CoverParameters.h"
#include "render/SceneSettings.h"

namespace tessaly {

namespace {

bool Confirm(MainState& state, const std::string& key) {
    const std::string& file = state.Session.LanguageFile;
    const std::string text = file.empty() ? key : GetMessage(file, key);
    return state.Port().ShowMessage(MessageKind::Confirmation, text, "", MessageButtons::YesNo,
                                    key) == MessageAnswer::Yes;
}

// The built-in files are found in the program folder, whatever the current
// folder of the process.
std::string BuiltIn(MainState& state, const char* name) {
    return state.Session.Files.DataFile(name);
}

}  // namespace

void resetButClick(MainState& state) {
    const std::string path = BuiltIn(state, kResetTemplateName);
    if (!FileExists(path)) {
        ShowMessageKey(state, "cantreset");
        return;
    }
    if (!Confirm(state, "resetset")) return;
    ReadTemplate(state, path);
    SelectCover(state, state.Cover.Entry);
}

void ResetAll1Click(MainState& state) {
    const std::string path = BuiltIn(state, kStartProjectName);
    if (!FileExists(path)) {
        ShowMessageKey(state, "cantreset");
        return;
    }
    if (!Confirm(state, "resetall")) return;
    if (!ReadCoverProject(state, path)) return;
    state.Cover.Entry = state.Session.Catalogue.FindEntry("stdbox");
    state.Controls.ModelsComboBox.Select(0);
    SelectCover(state, state.Cover.Entry);
}

void NewCover(MainState& state, const std::string& typeId) {
    if (!OfferToSaveChanges(state)) return;
    const std::string path = BuiltIn(state, kStartProjectName);
    if (!FileExists(path)) {
        ShowMessageKey(state, "scenefilenotfound");
        return;
    }
    if (!ReadCoverProject(state, path)) return;
    RenderSession& session = state.Session;
    // The start project holds placeholders, as start-up does: nothing of the
    // user's to edit or refresh yet.
    for (int slot = 1; slot <= kFloorSlot; ++slot) {
        state.Controls.EditButton(slot).SetEnabled(false);
        state.Controls.RefreshButton(slot).SetEnabled(false);
    }
    state.Controls.BookImageFlags = {};
    UpdateBookButtons(state, state.Controls.CurrentBook);
    state.Cover.Entry = session.Catalogue.FindEntry(typeId);
    state.Controls.ModelsComboBox.Select(state.Cover.Entry - 1);

    const std::string littleBlank = session.Files.DataFile("Data/littleblank.jpg");
    if (!FileExists(littleBlank)) {
        state.Port().ShowMessage(MessageKind::Error, littleBlank + ": no such file", "",
                                 MessageButtons::Ok);
        return;
    }
    session.ShowBookPlaceholders();
    SelectCover(state, state.Cover.Entry);

    MainControls& c = state.Controls;
    c.caseAngleSB.SetPosition(0);
    c.BWidthSB.SetPosition(kDimensionInitial);
    c.BHeightSB.SetPosition(kDimensionInitial);
    c.BDepthSB.SetPosition(kDimensionInitial);

    c.SpiralShape.SetColor(kWhite);
    state.Cover.SpiralColor = kWhite;
    TmodelEMO* model = state.CurrentModel();
    if (model) model->SetColorByName("Spira", 1.0f, 1.0f, 1.0f, 1.0f);
    c.SpineShape.SetColor(kWhite);
    state.Cover.SpineColor = kWhite;
    TModelItem* item = state.CurrentEntry();
    if (model && item && item->Id == "flatbook")
        model->SetColorByName("Spine", 1.0f, 1.0f, 1.0f, 1.0f);
    // The cases turn about their hinge at the model's origin; the start
    // scene is made for covers centred there.
    if (item && (item->Id == "cdcase" || item->Id == "dvdcase")) CentreCoverInView(state);
}

}  // namespace tessaly
