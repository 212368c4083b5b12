// RenderSession: the long-lived rendering objects the main window owns (the
// GL context, the scene with its lights and floor, the frame driver, the
// current cover model, the face and book textures with their image paths,
// the settings store) and SetupRendering, which brings them up in order.
// The window, the command-line tool and the tests all start rendering here.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/model/EmoModel.h"
#include "core/model/ModelCatalogue.h"
#include "core/paths/FileLocations.h"
#include "core/settings/SettingsFile.h"
#include "core/ui/UserPort.h"
#include "render/Frame.h"
#include "render/GLContext.h"
#include "render/Scene.h"

namespace tessaly {

struct SetupOptions {
    int width = 640;
    int height = 480;
    // Where the driver capabilities log goes; empty writes none.
    std::string logPath;
    // A single model file to show as a standard box instead of the
    // catalogue in "Tsym" (previews of model files).
    std::string modelPath;
};

class RenderSession {
  public:
    RenderSession(FileLocations files, UserPort& port, std::unique_ptr<TGLContext> context);
    // Everything in the portable layout under `programFolder`.
    RenderSession(const std::string& programFolder, UserPort& port,
                  std::unique_ptr<TGLContext> context);
    ~RenderSession();

    // Context, log, lights, placeholder textures, model, floor and the GL
    // working state, in that order. Returns false when no context could be
    // made (the message has been shown); the rest still runs, as it costs
    // nothing without a context.
    bool SetupRendering(const SetupOptions& options);

    // Replaces face image `slot` (0..2) with a picture file read by the
    // picture readers. On failure the message is shown and false returned.
    // The caller binds the new texture (SelectCover).
    bool SetFaceImage(int slot, const std::string& path);
    // The same for image `image` (0..2) of book `book` (0..3).
    bool SetBookImage(int book, int image, const std::string& path);

    // Replaces the texture of a face or book slot with one made from the
    // picture at `path`; the error when it cannot be read (the slot is then
    // unchanged). The slot's old texture is deleted unless it is a
    // placeholder other slots share.
    std::optional<std::string> ReplaceSlotTexture(const std::string& path, GLuint& slot);
    // Puts the placeholder back in every book slot; the slots' own textures
    // are deleted.
    void ShowBookPlaceholders();
    // Whether `texture` is one of the placeholder textures slots share.
    bool IsSharedPlaceholder(GLuint texture) const;

    // Loads a texture file named inside a model file (the file road).
    std::uint32_t LoadModelTexture(const std::string& path);

    // The language file messages are read from; empty means none.
    std::string LanguageFile;

    // Reads "Tsym/models.ini" and every model it names (or the one model
    // file given); errors and warnings are shown through the port.
    void LoadCatalogue(const std::string& modelPath = {});

    // Where the program's files lie; ProgramFolder is its shipped data folder.
    const FileLocations Files;
    const std::string ProgramFolder;
    UserPort& Port;
    std::unique_ptr<TGLContext> Context;
    Scene TheScene;
    FrameDriver Frames;
    ModelCatalogue Catalogue;
    TSettingsFile Settings;

    std::array<GLuint, 3> ImageTextures{0, 0, 0};
    std::array<std::string, 3> ImagePaths;
    std::array<std::array<GLuint, 3>, 4> BookTextures{};
    std::array<std::array<std::string, 3>, 4> BookPaths;
    std::string FloorPath;
    // Where the working copies of the images lie: the images folder of Files
    // unless set otherwise (the window uses a folder of its own inside it,
    // the command-line tool a temporary folder). Ends in "/".
    std::string ImagesFolder;

    bool GLReady = false;
    bool ContextOk = false;

  private:
    bool ReplaceTexture(const std::string& path, GLuint& slot);

    // The placeholder textures of the face and book slots (see SetupRendering).
    GLuint facePlaceholder_ = 0;
    GLuint bookPlaceholder_ = 0;
    // Model texture files already made into textures, by path.
    std::map<std::string, GLuint> modelTextures_;
};

}  // namespace tessaly
