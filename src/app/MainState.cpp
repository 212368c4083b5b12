#include "app/MainState.h"

#include "app/cover/CoverOptions.h"
#include "app/options/OptionsHandlers.h"
#include "app/scene/SceneControls.h"
#include "app/scene/ValueLabels.h"

namespace tessaly {

MainState::MainState(std::string programFolder, UserPort& port, std::unique_ptr<TGLContext> context)
    : MainState(PortableLocations(programFolder), port, std::move(context)) {}

MainState::MainState(FileLocations files, UserPort& port, std::unique_ptr<TGLContext> context)
    : Session(std::move(files), port, std::move(context)) {
    // Until start-up has finished, nothing is drawn and covers are not selected.
    Session.Frames.RenderingEnabled = false;
    BindCoverOptions(*this);
    BindSceneControls(*this);
    BindOptionsHandlers(*this);
    BindValueLabels(*this);
    RefreshSliderLabels(*this);
}

TModelItem* MainState::CurrentEntry() {
    if (Cover.Entry < 1 || Cover.Entry > Session.Catalogue.Count) return nullptr;
    return &Session.Catalogue.Item(Cover.Entry);
}

TmodelEMO* MainState::CurrentModel() {
    TModelItem* item = CurrentEntry();
    return item ? &item->Model : nullptr;
}

}  // namespace tessaly
