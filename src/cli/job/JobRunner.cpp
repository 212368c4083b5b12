#include "cli/job/JobRunner.h"

#include <algorithm>
#include <iostream>

#include "app/cover/CoverAssembly.h"
#include "app/cover/CoverOptions.h"
#include "app/project/CoverProject.h"
#include "cli/CliLanguage.h"
#include "cli/job/JobOptions.h"
#include "core/images/PictureReader.h"
#include "core/images/RowPipe.h"
#include "core/io/FileIO.h"
#include "core/paths/FileLocations.h"
#include "render/Capture.h"
#include "render/EglContext.h"
#include "render/Look.h"
#include "render/Textures.h"

namespace tessaly::cli {

MessageAnswer JobPort::ShowMessage(MessageKind kind, const std::string& text,
                                   const std::string& caption, MessageButtons buttons,
                                   const std::string& key) {
    if (kind == MessageKind::Error || kind == MessageKind::Warning) ++Problems;
    if (kind == MessageKind::Error) {
        LastError = text;
    } else if (printWarnings_) {
        std::cerr << (caption.empty() ? std::string("Tessaly") : caption) << ": " << text << '\n';
    }
    return QuietPort::ShowMessage(kind, text, caption, buttons, key);
}

namespace {

int PositionForFactor(double factor) {
    return static_cast<int>((factor - 0.1) / 1.9 * 200.0 + 0.5);
}

void ApplyCoverOptions(const JobRecord& job, MainState& state) {
    MainControls& c = state.Controls;
    if (job.width) c.BWidthSB.SetPosition(PositionForFactor(*job.width));
    if (job.height) c.BHeightSB.SetPosition(PositionForFactor(*job.height));
    if (job.depth) c.BDepthSB.SetPosition(PositionForFactor(*job.depth));
    if (job.caseAngle) c.caseAngleSB.SetPosition(*job.caseAngle);
    if (job.spineColor) ApplySpineColor(state, *job.spineColor);
    if (job.spiralColor) ApplySpiralColor(state, *job.spiralColor);
}

void ApplySceneOptions(const JobRecord& job, RenderSession& session) {
    SceneSettings& s = session.TheScene.Settings;
    auto set = [](const std::optional<double>& v, float& target) {
        if (v) target = static_cast<float>(*v);
    };
    set(job.distance, s.Distance);
    set(job.cameraRotate, s.CameraRotate);
    set(job.cameraLift, s.CameraLift);
    set(job.elevation, s.Elevation);
    set(job.strafe, s.Strafe);
    set(job.frontBack, s.FrontBack);
    if (job.fov) s.FieldOfView = *job.fov;
    set(job.coverRotate, s.CoverRotate);
    set(job.rollX, s.CoverRollX);
    set(job.rollZ, s.CoverRollZ);
    set(job.coverLift, s.CoverLift);
    set(job.ambient, s.AmbientLevel);
    if (job.reflection) s.FloorOpacity = 1.0f - static_cast<float>(*job.reflection);
    set(job.shadowDarkness, s.ShadowDarkness);
    if (job.shadow) session.Frames.ShadowCheck = *job.shadow;
    if (job.light) {
        TGLLight& light = session.TheScene.MainLight;
        light.SetX(static_cast<float>((*job.light)[0]));
        light.SetY(static_cast<float>((*job.light)[1]));
        light.SetZ(static_cast<float>((*job.light)[2]));
    }
    if (job.lightColor) s.LightColor = ColorToFloats(*job.lightColor);
    if (job.background) s.BackgroundColor = ColorToFloats(*job.background);
    if (job.floorColor) session.TheScene.Floor.Color = ColorToFloats(*job.floorColor);
    if (job.floorTexture) session.TheScene.Floor.Textured = *job.floorTexture;
    session.TheScene.ShowAxes = job.axes;
    session.Frames.CheckBox2 = job.lightMarker;
    session.TheScene.TheLook = LookFromName(job.look).value_or(Look::Classic);
    session.TheScene.ReflectionFade =
        static_cast<float>(job.reflectionFade.value_or(kDefaultReflectionFade));
}

// Every texture slot a job can fill: the three faces, the twelve book images
// and the floor.
std::vector<GLuint*> TextureSlots(RenderSession& s) {
    std::vector<GLuint*> slots;
    for (GLuint& t : s.ImageTextures) slots.push_back(&t);
    for (auto& book : s.BookTextures)
        for (GLuint& t : book) slots.push_back(&t);
    slots.push_back(&s.TheScene.Floor.Texture);
    return slots;
}

}  // namespace

JobRunner::JobRunner(bool printWarnings) : port_(printWarnings) {}

JobRunner::~JobRunner() = default;

void JobRunner::Fail(const std::string& fallback) {
    throw JobFailure(port_.LastError.empty() ? fallback : port_.LastError);
}

void JobRunner::Start(const JobRecord& job) {
    textures_.clear();  // their names go with the old context
    cachedBytes_ = 0;
    state_.reset();
    if (!images_) images_ = std::make_unique<TempFolder>();
    state_ =
        std::make_unique<MainState>(FindFileLocations(), port_, std::make_unique<EglContext>());
    RenderSession& session = state_->Session;
    session.ImagesFolder = images_->Path();
    session.LanguageFile = CliLanguageFile(session.Files);
    SetupOptions setup;
    // Pictures are drawn into targets of their own (RenderPicture), so the
    // context's own framebuffer need not be as large.
    setup.width = 16;
    setup.height = 16;
    setup.modelPath = job.model;
    model_ = job.model;
    if (!session.SetupRendering(setup)) {
        state_.reset();
        throw RunnerFailure("no OpenGL context could be made");
    }
    if (session.Catalogue.Count < 1) {
        state_.reset();
        throw RunnerFailure("no cover models could be loaded");
    }
    state_->SetRenderingEnabled(true);
    snapshot_ = TakeSnapshot(*state_);
}

void JobRunner::WriteDriverLog(const std::string& path) {
    state_->Session.Context->SetLogName(path);
    if (!state_->Session.Context->WriteCapabilitiesLog())
        throw RunnerFailure("the driver log could not be written to " + path);
}

GLuint JobRunner::PictureTexture(const std::string& path) {
    if (auto it = textures_.find(path); it != textures_.end()) {
        it->second.lastUse = jobNumber_;
        return it->second.texture;
    }
    RgbaImage picture;
    try {
        // Decoded straight to the texture's size where the format allows.
        picture = ReadPicture(path, kMaxTextureSide);
    } catch (const std::exception& e) {
        throw JobFailure(e.what());
    }
    ++picturesRead_;
    const std::size_t bytes = picture.pixels.size();
    // Make room, keeping what the current job already uses.
    while (!textures_.empty() &&
           (textures_.size() >= kMaxCachedTextures || cachedBytes_ + bytes > kMaxCachedBytes)) {
        auto oldest = textures_.end();
        for (auto it = textures_.begin(); it != textures_.end(); ++it)
            if (it->second.lastUse < jobNumber_ &&
                (oldest == textures_.end() || it->second.lastUse < oldest->second.lastUse))
                oldest = it;
        if (oldest == textures_.end()) break;
        cachedBytes_ -= oldest->second.bytes;
        ReleaseTexture(oldest->second.texture);
        textures_.erase(oldest);
    }
    GLuint texture = 0;
    TextureFromPicture(picture, texture);
    textures_[path] = {texture, jobNumber_, bytes};
    cachedBytes_ += bytes;
    return texture;
}

void JobRunner::ReleaseOwned() {
    for (GLuint& t : owned_) ReleaseTexture(t);
    owned_.clear();
}

void JobRunner::Apply(const JobRecord& job) {
    MainState& state = *state_;
    RenderSession& session = state.Session;
    RestoreSnapshot(state, snapshot_);

    // A project replaces (and releases) the textures of the slots it fills:
    // it starts from empty slots, so that what it makes is this job's own and
    // the shared placeholders stay.
    const std::vector<GLuint*> slots = TextureSlots(session);
    if (!job.project.empty())
        for (GLuint* slot : slots) *slot = 0;

    const int entry = job.model.empty() ? session.Catalogue.FindEntry(job.type) : 1;
    if (job.model.empty() && session.Catalogue.Item(entry).Id != job.type)
        throw JobFailure("the catalogue has no \"" + job.type + "\" cover");
    SelectCover(state, entry);
    if (!job.project.empty()) {
        const bool read = ReadCoverProject(state, job.project);
        const StateSnapshot& snap = snapshot_;
        std::vector<GLuint> defaults(snap.imageTextures.begin(), snap.imageTextures.end());
        for (const auto& book : snap.bookTextures)
            defaults.insert(defaults.end(), book.begin(), book.end());
        defaults.push_back(snap.floor.Texture);
        for (std::size_t i = 0; i < slots.size(); ++i) {
            if (*slots[i] != 0)
                owned_.push_back(*slots[i]);
            else
                *slots[i] = defaults[i];
        }
        if (!read) Fail("cannot read the project " + job.project);
    }
    if (!job.templateFile.empty()) {
        if (!ReadTemplate(state, job.templateFile))
            Fail("cannot read the template " + job.templateFile);
        SelectCover(state, state.Cover.Entry);
    }
    ApplyCoverOptions(job, state);
    ApplySceneOptions(job, session);

    auto setImage = [&](GLuint& slot, std::string& slotPath, const std::string& path) {
        const GLuint texture = PictureTexture(path);
        if (auto it = std::find(owned_.begin(), owned_.end(), slot); it != owned_.end()) {
            ReleaseTexture(*it);
            owned_.erase(it);
        }
        slot = texture;
        slotPath = path;
    };
    for (int i = 0; i < 3; ++i)
        if (!job.images[i].empty())
            setImage(session.ImageTextures[i], session.ImagePaths[i], job.images[i]);
    for (int b = 0; b < 4; ++b)
        for (int n = 0; n < 3; ++n)
            if (!job.bookImages[b][n].empty())
                setImage(session.BookTextures[b][n], session.BookPaths[b][n], job.bookImages[b][n]);
    SelectCover(state, state.Cover.Entry);  // binds the new textures
    // Whatever went wrong while the cover was prepared stops the job, unless
    // the picture is asked for anyway.
    if (port_.Problems > 0 && !job.salvage)
        throw JobFailure(std::to_string(port_.Problems) + " problem(s) while preparing the cover" +
                         (port_.LastError.empty() ? "" : " (" + port_.LastError + ")") +
                         "; no picture written (--salvage writes it anyway)");
}

void JobRunner::Run(const JobRecord& job) {
    Run(job, nullptr);
}

std::future<WrittenAt> JobRunner::Run(const JobRecord& job, OutputQueue* queue) {
    port_.Problems = 0;
    if (!state_ || job.model != model_) Start(job);
    if (!job.log.empty()) WriteDriverLog(job.log);
    ++jobNumber_;
    port_.LastError.clear();
    RenderSession& session = state_->Session;
    // The picture is drawn in tiles and its rows are encoded on another
    // thread while later tiles are drawn; a file is written under a
    // temporary name and renamed when complete, standard output gets the
    // bytes alone.
    PictureRequest request;
    request.width = job.size[0];
    request.height = job.size[1];
    request.passes = job.passes;
    request.tileSize = job.tileSize;
    request.tilePixels = TilePixels;
    request.transparent = job.transparent;
    const RowFormat format = PictureFormatOf(job);
    auto draw = [&](RowWriter& rows) {
        RenderPicture(session.Frames, *session.Context, session.TheScene, request, rows, TileDone);
    };
    auto drawInto = [&](std::ostream& out) {
        draw(*EncodeInBackground(MakeRowWriter(format, request.width, request.height, out),
                                 request.width));
    };
    std::future<WrittenAt> written;
    try {
        Apply(job);
        if (job.output == "-") {
            drawInto(std::cout);
            std::cout.flush();
            if (!std::cout) throw JobFailure("cannot write to standard output");
        } else if (queue) {
            OutputQueue::Picture picture =
                queue->Open(job.output, format, request.width, request.height);
            draw(*picture.rows);
            written = std::move(picture.written);
        } else {
            WriteFileAtomically(job.output, drawInto);
        }
    } catch (const CaptureError& e) {
        ReleaseOwned();
        throw JobFailure(e.what());
    } catch (...) {
        ReleaseOwned();
        throw;
    }
    ReleaseOwned();
    if (!written.valid()) {
        std::promise<WrittenAt> done;
        done.set_value(std::chrono::steady_clock::now());
        written = done.get_future();
    }
    return written;
}

}  // namespace tessaly::cli
