// MainState: everything the main window owns, without the widgets: the
// rendering session (context, scene, textures, catalogue, settings), the
// cover's own parameters and the controls that hold state. The Qt window, the
// command-line tool and the tests each make one and drive it through the
// handlers of the app layer.
#pragma once

#include <memory>
#include <string>

#include "app/MainControls.h"
#include "app/RenderSession.h"
#include "app/language/LanguageSwitch.h"
#include "app/options/OptionsState.h"
#include "core/model/CoverParameters.h"

namespace tessaly {

class MainState {
  public:
    // Everything in the portable layout under `programFolder`.
    MainState(std::string programFolder, UserPort& port, std::unique_ptr<TGLContext> context);
    MainState(FileLocations files, UserPort& port, std::unique_ptr<TGLContext> context);

    RenderSession Session;
    CoverParameters Cover;
    MainControls Controls;
    // The options dialog's preferences and the language component.
    OptionsState Options;
    LanguageHost Languages;

    // The project file the cover was last read from or written to (empty
    // until then; the window empties it for a new cover), and counts of the
    // projects read and written, by which the window tells whether a command
    // opened or saved one.
    std::string ProjectFile;
    int ProjectsRead = 0;
    int ProjectsWritten = 0;
    // The same for templates (read or written, the reset template too).
    std::string TemplateFile;
    int TemplatesUsed = 0;

    // The rendering-enabled flag: nothing is drawn and no cover is selected
    // while it is clear (during start-up).
    bool RenderingEnabled() const { return Session.Frames.RenderingEnabled; }
    void SetRenderingEnabled(bool enabled) { Session.Frames.RenderingEnabled = enabled; }

    // The current catalogue entry, or nullptr before the catalogue holds one.
    TModelItem* CurrentEntry();
    TmodelEMO* CurrentModel();
    UserPort& Port() { return Session.Port; }
};

}  // namespace tessaly
