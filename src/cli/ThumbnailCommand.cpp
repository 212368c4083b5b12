#include "cli/ThumbnailCommand.h"

#include <fstream>
#include <iostream>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "app/project/CoverProject.h"
#include "cli/ProjectSession.h"
#include "core/images/PictureDepth.h"
#include "core/project/CoverFile.h"
#include "render/Capture.h"
#include "render/GL.h"

namespace tessaly::cli {

const char* const kThumbnailHelp = R"(Usage: tessaly-cli thumbnail [--size N] INPUT OUTPUT

Draws the cover of a project or template as a square PNG picture, N pixels a
side (default 128, 16 to 1024), with two antialiasing passes; the output is
PNG whatever its name (file managers pass temporary names). The input is
recognised by its content, whatever its name. A file that is not a project or
template, or whose opening shows an error, makes no picture (exit 1).
This is the command the desktop's thumbnailer entry runs.
)";

namespace {

enum class InputKind { Project, Template, Other };

InputKind KindByContent(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    if (!in.read(magic, sizeof magic)) return InputKind::Other;
    const std::string_view m(magic, sizeof magic);
    if (m == kProjectMagic) return InputKind::Project;
    if (m == kTemplateMagic) return InputKind::Template;
    return InputKind::Other;
}

}  // namespace

int ThumbnailCommand(Arguments& args) {
    int size = 128;
    if (auto v = args.Take("--size", "-s")) size = ParseInteger("--size", *v, 16, 1024);
    const std::vector<std::string> files = args.TakePositionals();
    args.ExpectNothingLeft();
    if (files.size() != 2) throw UsageError("thumbnail: give INPUT and OUTPUT.png");
    const std::string& input = files[0];
    const std::string& output = files[1];

    const InputKind kind = KindByContent(input);
    if (kind == InputKind::Other) {
        std::cerr << "thumbnail: " << input << " is not a Tessaly project or template\n";
        return 1;
    }
    ProjectSession session(size, size);
    MainState& state = *session.State;
    const bool opened =
        kind == InputKind::Project ? ReadCoverProject(state, input) : ReadTemplate(state, input);
    if (!opened || session.Port.ErrorShown) return 1;
    SelectCover(state, state.Cover.Entry);

    RenderSession& rs = state.Session;
    rs.TheScene.Settings.AAPasses = 2;
    rs.Frames.TrackBar1 = 2;
    rs.Context->Reshape(size, size);
    rs.Frames.RenderFrame(false);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, rs.Context->TargetFramebuffer());
    const RgbaImage picture = ReadFramePixels(size, size);
    SavePicture(picture, PictureFileType::Png, 32, output);
    return 0;
}

}  // namespace tessaly::cli
