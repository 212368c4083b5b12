#include "app/RenderSession.h"

#include <filesystem>

#include "core/i18n/Messages.h"
#include "core/io/FileIO.h"
#include "render/Textures.h"

namespace tessaly {

RenderSession::RenderSession(FileLocations files, UserPort& port,
                             std::unique_ptr<TGLContext> context)
    : Files(std::move(files)),
      ProgramFolder(Files.Data),
      Port(port),
      Context(std::move(context)),
      Frames(TheScene, *Context, port) {
    ImagesFolder = Files.Images;
    Frames.ReadSetting = [this](const std::string& key) { return Settings.ReadValue(key); };
    Frames.Message = [this](const std::string& key) {
        return LanguageFile.empty() ? key : GetMessage(LanguageFile, key);
    };
}

RenderSession::RenderSession(const std::string& programFolder, UserPort& port,
                             std::unique_ptr<TGLContext> context)
    : RenderSession(PortableLocations(programFolder), port, std::move(context)) {}

// Textures and buffers belong to the context and go with it.
RenderSession::~RenderSession() = default;

bool RenderSession::SetupRendering(const SetupOptions& options) {
    SceneSettings& s = TheScene.Settings;
    // The design-time control positions: distance bar 70..500 at 100, light
    // bars at 100, 40, 40, shadow bar at 20, antialiasing at 1.
    s = SceneSettings{};
    s.MinDistance = 70.0f / DistanceScale;
    s.MaxDistance = 500.0f / DistanceScale;
    s.Distance = 100.0f / DistanceScale;
    s.ShadowDarkness = 20.0f / 200.0f;
    s.AAPasses = 1;
    Frames.TrackBar1 = FrameDriver::kTrackBar1Min;
    TheScene.MainLight.SetX((100.0f - 200.0f / 2.0f) / 10.0f);
    TheScene.MainLight.SetY(40.0f / 10.0f);
    TheScene.MainLight.SetZ(40.0f / 10.0f);

    ContextOk = Context->CreateContext(options.width, options.height, Port);
    modelTextures_.clear();  // names of an earlier context

    if (!options.logPath.empty()) {
        Context->SetLogName(options.logPath);
        Context->WriteCapabilitiesLog();
    }

    TheScene.MainLight.Init(GL_LIGHT0);
    TheScene.MainLight.Enable();
    s.BackgroundColor = {1.0f, 1.0f, 1.0f};
    s.LightColor = {1.0f, 1.0f, 1.0f};
    TheScene.MainLight.SetAmbient(1.0f, 1.0f, 1.0f, 0.0f);
    TheScene.MainLight.SetDiffuse(1.0f, 1.0f, 1.0f, 0.0f);
    TheScene.MainLight.SetSpecular(1.0f, 1.0f, 1.0f, 0.0f);
    TheScene.MainLight.SetConstantAttenuation(0.0f);

    TheScene.AmbientLight.Init(GL_LIGHT1);
    TheScene.AmbientLight.SetAmbient(0.0f, 0.0f, 0.0f, 0.0f);
    TheScene.AmbientLight.SetDiffuse(0.0f, 0.0f, 0.0f, 0.0f);
    TheScene.AmbientLight.SetConstantAttenuation(0.0f);

    // One texture per placeholder picture, shared by every slot that shows
    // it: a box of books has twelve picture slots, and a texture each cost a
    // render several megabytes and the uploads. A slot given a picture of its
    // own gives up the shared texture without deleting it (ReplaceSlotTexture).
    facePlaceholder_ = 0;
    bookPlaceholder_ = 0;
    const std::string blank = Files.DataFile("Data/blank.jpg");
    if (FileExists(blank)) TextureFromFile(blank, facePlaceholder_, Port);
    ImagePaths.fill(blank);
    ImageTextures.fill(facePlaceholder_);
    const std::string littleBlank = Files.DataFile("Data/littleblank.jpg");
    if (FileExists(littleBlank)) TextureFromFile(littleBlank, bookPlaceholder_, Port);
    for (auto& book : BookPaths) book.fill(littleBlank);
    for (auto& book : BookTextures) book.fill(bookPlaceholder_);

    LoadCatalogue(options.modelPath);

    TheScene.Floor.InitFloor();
    TheScene.Floor.Textured = true;  // "Activated" is checked at design time
    FloorPath = Files.DataFile("Data/floor.jpg");
    if (FileExists(FloorPath)) TextureFromFile(FloorPath, TheScene.Floor.Texture, Port);

    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glClearDepth(1.0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    // The reflection's fade is blended with the scene's blend function, which
    // every frame leaves in force. Setting it here too keeps the very first
    // frame (a headless capture is often the only one) from drawing the
    // reflection unfaded under OpenGL's default function.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    GLReady = true;
    return ContextOk;
}

std::uint32_t RenderSession::LoadModelTexture(const std::string& path) {
    // Models are never given other textures, and theirs live as long as the
    // context, so models naming the same file share one texture.
    if (const auto known = modelTextures_.find(path); known != modelTextures_.end())
        return known->second;
    GLuint t = 0;
    TextureFromFile(path, t, Port);
    if (t) modelTextures_[path] = t;
    return t;
}

void RenderSession::LoadCatalogue(const std::string& modelPath) {
    auto displayName = [this](const std::string& id) {
        return LanguageFile.empty() ? id : GetMessage(LanguageFile, id);
    };
    auto textures = [this](const std::string& path) { return LoadModelTexture(path); };
    try {
        if (modelPath.empty()) {
            LoadModelCatalogue(Catalogue, ProgramFolder, textures, displayName);
        } else {
            Catalogue.Clear();
            TModelItem& item = Catalogue.Item(1);
            item.Id = "stdbox";
            item.Model.LoadFromFile(modelPath, textures);
            Catalogue.Count = 1;
            Catalogue.DisplayNames = {displayName(item.Id)};
        }
    } catch (const std::exception& e) {
        Port.ShowMessage(MessageKind::Error, e.what(), "", MessageButtons::Ok);
    }
    for (const std::string& warning : Catalogue.Warnings)
        Port.ShowMessage(MessageKind::Warning, warning, "", MessageButtons::Ok);
}

bool RenderSession::IsSharedPlaceholder(GLuint texture) const {
    return texture != 0 && (texture == facePlaceholder_ || texture == bookPlaceholder_);
}

std::optional<std::string> RenderSession::ReplaceSlotTexture(const std::string& path,
                                                             GLuint& slot) {
    // A shared placeholder is left to the other slots showing it.
    GLuint own = IsSharedPlaceholder(slot) ? 0 : slot;
    const auto error = ReplaceTextureFromPicture(path, own);
    if (!error) slot = own;
    return error;
}

void RenderSession::ShowBookPlaceholders() {
    const std::string littleBlank = Files.DataFile("Data/littleblank.jpg");
    if (bookPlaceholder_ == 0 && FileExists(littleBlank))
        TextureFromFile(littleBlank, bookPlaceholder_, Port);
    for (int b = 0; b < 4; ++b)
        for (int i = 0; i < 3; ++i) {
            GLuint& slot = BookTextures[b][i];
            if (!IsSharedPlaceholder(slot)) ReleaseTexture(slot);
            slot = bookPlaceholder_;
            BookPaths[b][i] = littleBlank;
        }
}

bool RenderSession::ReplaceTexture(const std::string& path, GLuint& slot) {
    const auto error = ReplaceSlotTexture(path, slot);
    if (error) Port.ShowMessage(MessageKind::Error, *error, "", MessageButtons::Ok);
    return !error;
}

bool RenderSession::SetFaceImage(int slot, const std::string& path) {
    if (!ReplaceTexture(path, ImageTextures.at(slot))) return false;
    ImagePaths[slot] = path;
    return true;
}

bool RenderSession::SetBookImage(int book, int image, const std::string& path) {
    if (!ReplaceTexture(path, BookTextures.at(book).at(image))) return false;
    BookPaths[book][image] = path;
    return true;
}

}  // namespace tessaly
