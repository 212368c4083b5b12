#include "cli/RenderCommand.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "app/ProgramFolder.h"
#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "app/cover/CoverOptions.h"
#include "app/project/CoverProject.h"
#include "cli/ProjectSession.h"
#include "core/model/CoverTypes.h"
#include "core/images/PictureDepth.h"
#include "render/Capture.h"
#include "render/EglContext.h"

namespace tessaly::cli {

const char* const kRenderHelp = R"(Usage: tessaly-cli render [PROJECT.eco] [OPTIONS] -o FILE

Renders a cover headless and writes the picture. With a project (named right
after the verb) the project is opened first, as "Open eCover" does, its
images unpacked into a temporary folder; the options below then change it.

Project
      PROJECT.eco          the cover project to render
      --template T.tem     a template applied on top of the project (or of the
                           cover type): type, options, cover position, camera
                           and light

Output
  -o, --output FILE        picture to write (required)
      --format FMT         bmp, jpg or png (default: from FILE's extension)
      --size WxH           picture size in pixels (default 800x600)
      --passes N           antialiasing passes, 1 (off) to 8 (default 8)
      --color-depth BITS   colour depth 16, 24 or 32 (default 24); 16 reduces
                           colours to 5-6-5 in every format
      --log FILE           write the OpenGL driver's capabilities log to FILE
      --model FILE         draw this model file (bound like a standard box)
                           instead of a cover type of the catalogue

Cover type
      --type ID            stdbox (default), thinbox, widebox, cbox, flatbook,
                           roundedbook, roundedbbook, magazine, spiral1, spiral2,
                           cdcase, dvdcase, 2bookbox, 3bookbox, 4bookbox
      --width F, --height F, --depth F
                           size factors of the customizable box (cbox), 0.1 to 2,
                           taken to the nearest step of its dimension bars
      --case-angle DEG     opening of a CD or DVD case's lid, 0 to 180
      --spine-color C      colour of the flat book's spine (default #FFFFFF)
      --spiral-color C     colour of a notebook's wire spiral (default #FFFFFF)

Images (any picture format the program reads; placeholders when not given)
      --image1 FILE        face image 1: the front of boxes, books, notebooks,
                           the magazine and cases; the top of a box of books
      --image2 FILE        face image 2: a box's side, a book's or case's back,
                           the side of a box of books
      --image3 FILE        face image 3: a box's top, a book's spine, a disc's
                           label, the back of a box of books
      --front, --side, --top FILE
                           the same three slots by their standard box names
      --bookN-front FILE, --bookN-back FILE, --bookN-side FILE
                           the images of book N (1 to 4) in a box of books

Camera
      --distance D         camera distance, 3.5 to 25 (default 5)
      --camera-rotate A    camera turn about the vertical axis, 0 to 360
      --camera-lift A      camera tilt, 0 to 90 degrees (default 0)
      --elevation E        vertical shift, -0.75 to 0.75
      --strafe S           sideways shift, -1 to 1
      --front-back S       shift along the view axis, -1 to 1
      --fov DEG            vertical field of view, 20 to 110 (default 45)

Cover
      --cover-rotate A     turn of the cover about the vertical axis, 0 to 360
      --roll-x A           roll of the cover about the X axis, 0 to 360
      --roll-z A           roll of the cover about the Z axis, 0 to 360
      --cover-lift H       height of the cover above the floor, 0 to 2

Light, floor and background
      --light X,Y,Z        light direction (default 0,4,4); X -10..10, Y and Z 0..20
      --light-color C      light colour (default #FFFFFF)
      --ambient A          extra ambient light, 0 to 1 (default 0)
      --reflection R       reflection strength, 0 (none, default) to 1 (high)
      --shadow on|off      draw the shadow (default on)
      --shadow-darkness S  darkening of the shadowed floor, 0 to 0.5 (default 0.1)
      --background C       background colour (default #FFFFFF)
      --floor-color C      floor colour (default #FFFFFF)
      --floor-texture on|off  the floor picture (default on)
      --axes               draw the coordinate axes
      --light-marker       draw the yellow marker at the light position

Look
      --look classic|studio  classic (default) or studio: a soft shadow, a floor
                           that fades into the background, a satin reflection
      --reflection-fade H  studio look: reflected height at which the reflection
                           has faded out, in object heights, 0.1 to 2 (default 0.5)

Colours are #RRGGBB or r,g,b with components 0 to 255.
Exit status: 0 written, 1 the picture could not be made or written, 2 bad usage.
)";

namespace {

struct RenderJob {
    std::string output;
    PictureFileType type = PictureFileType::Png;
    int width = 800, height = 600, passes = 8, depth = 24;
    std::string logPath;
    std::string modelPath;
    std::array<std::string, 3> images;
    std::array<std::array<std::string, 3>, 4> bookImages;
    std::string coverType = "stdbox";
};

int PositionForFactor(double factor) {
    return static_cast<int>((factor - 0.1) / 1.9 * 200.0 + 0.5);
}

void ApplyCoverOptions(Arguments& a, MainState& state) {
    MainControls& c = state.Controls;
    if (auto v = a.Take("--width")) c.BWidthSB.SetPosition(PositionForFactor(ParseNumber("--width", *v, 0.1, 2)));
    if (auto v = a.Take("--height")) c.BHeightSB.SetPosition(PositionForFactor(ParseNumber("--height", *v, 0.1, 2)));
    if (auto v = a.Take("--depth")) c.BDepthSB.SetPosition(PositionForFactor(ParseNumber("--depth", *v, 0.1, 2)));
    if (auto v = a.Take("--case-angle")) c.caseAngleSB.SetPosition(ParseInteger("--case-angle", *v, 0, 180));
    if (auto v = a.Take("--spine-color")) ApplySpineColor(state, ParseColor("--spine-color", *v));
    if (auto v = a.Take("--spiral-color")) ApplySpiralColor(state, ParseColor("--spiral-color", *v));
}

void ApplySceneOptions(Arguments& a, RenderSession& session) {
    SceneSettings& s = session.TheScene.Settings;
    auto number = [&](const char* name, double min, double max, auto apply) {
        if (auto v = a.Take(name)) apply(static_cast<float>(ParseNumber(name, *v, min, max)));
    };
    number("--distance", 3.5, 25, [&](float v) { s.Distance = v; });
    number("--camera-rotate", 0, 360, [&](float v) { s.CameraRotate = v; });
    number("--camera-lift", 0, 90, [&](float v) { s.CameraLift = v; });
    number("--elevation", -0.75, 0.75, [&](float v) { s.Elevation = v; });
    number("--strafe", -1, 1, [&](float v) { s.Strafe = v; });
    number("--front-back", -1, 1, [&](float v) { s.FrontBack = v; });
    if (auto v = a.Take("--fov")) s.FieldOfView = ParseInteger("--fov", *v, 20, 110);
    number("--cover-rotate", 0, 360, [&](float v) { s.CoverRotate = v; });
    number("--roll-x", 0, 360, [&](float v) { s.CoverRollX = v; });
    number("--roll-z", 0, 360, [&](float v) { s.CoverRollZ = v; });
    number("--cover-lift", 0, 2, [&](float v) { s.CoverLift = v; });
    number("--ambient", 0, 1, [&](float v) { s.AmbientLevel = v; });
    number("--reflection", 0, 1, [&](float v) { s.FloorOpacity = 1.0f - v; });
    number("--shadow-darkness", 0, 0.5, [&](float v) { s.ShadowDarkness = v; });
    if (auto v = a.Take("--shadow")) session.Frames.ShadowCheck = ParseOnOff("--shadow", *v);
    if (auto v = a.Take("--light")) {
        const std::string& t = *v;
        const auto c1 = t.find(','), c2 = t.find(',', c1 == std::string::npos ? c1 : c1 + 1);
        if (c1 == std::string::npos || c2 == std::string::npos)
            throw UsageError("--light: expected X,Y,Z, not \"" + t + "\"");
        TGLLight& light = session.TheScene.MainLight;
        light.SetX(static_cast<float>(ParseNumber("--light", t.substr(0, c1), -10, 10)));
        light.SetY(static_cast<float>(ParseNumber("--light", t.substr(c1 + 1, c2 - c1 - 1), 0, 20)));
        light.SetZ(static_cast<float>(ParseNumber("--light", t.substr(c2 + 1), 0, 20)));
    }
    if (auto v = a.Take("--light-color")) s.LightColor = ColorToFloats(ParseColor("--light-color", *v));
    if (auto v = a.Take("--background")) s.BackgroundColor = ColorToFloats(ParseColor("--background", *v));
    if (auto v = a.Take("--floor-color"))
        session.TheScene.Floor.Color = ColorToFloats(ParseColor("--floor-color", *v));
    if (auto v = a.Take("--floor-texture"))
        session.TheScene.Floor.Textured = ParseOnOff("--floor-texture", *v);
    if (auto v = a.Take("--look")) {
        const auto look = LookFromName(*v);
        if (!look) throw UsageError("--look: expected classic or studio, not \"" + *v + "\"");
        session.TheScene.TheLook = *look;
    }
    if (auto v = a.Take("--reflection-fade"))
        session.TheScene.ReflectionFade = static_cast<float>(
            ParseNumber("--reflection-fade", *v, kMinReflectionFade, kMaxReflectionFade));
    session.TheScene.ShowAxes = a.TakeFlag("--axes");
    session.Frames.CheckBox2 = a.TakeFlag("--light-marker");
}

RenderJob ReadJob(Arguments& a) {
    RenderJob job;
    auto out = a.Take("--output", "-o");
    if (!out) throw UsageError("render: the output file is missing (-o FILE)");
    job.output = *out;
    if (auto f = a.Take("--format")) {
        if (*f == "bmp") job.type = PictureFileType::Bmp;
        else if (*f == "jpg" || *f == "jpeg") job.type = PictureFileType::Jpeg;
        else if (*f == "png") job.type = PictureFileType::Png;
        else throw UsageError("--format: expected bmp, jpg or png, not \"" + *f + "\"");
    } else {
        try {
            job.type = PictureTypeFromExtension(job.output);
        } catch (const std::exception&) {
            throw UsageError("render: cannot tell the format from \"" + job.output +
                             "\"; name it .bmp, .jpg or .png, or give --format");
        }
    }
    if (auto v = a.Take("--size")) ParseSize("--size", *v, 16384, job.width, job.height);
    if (auto v = a.Take("--passes")) job.passes = ParseInteger("--passes", *v, 1, 8);
    if (auto v = a.Take("--color-depth")) {
        job.depth = ParseInteger("--color-depth", *v, 16, 32);
        if (job.depth != 16 && job.depth != 24 && job.depth != 32)
            throw UsageError("--color-depth: expected 16, 24 or 32");
    }
    if (auto v = a.Take("--log")) job.logPath = *v;
    if (auto v = a.Take("--model")) job.modelPath = *v;
    const char* names[3][2] = {{"--front", "--image1"}, {"--side", "--image2"}, {"--top", "--image3"}};
    for (int i = 0; i < 3; ++i) {
        if (auto v = a.Take(names[i][0])) job.images[i] = *v;
        if (auto v = a.Take(names[i][1])) job.images[i] = *v;
    }
    const char* parts[3] = {"front", "back", "side"};
    for (int b = 0; b < 4; ++b)
        for (int n = 0; n < 3; ++n)
            if (auto v = a.Take("--book" + std::to_string(b + 1) + "-" + parts[n]))
                job.bookImages[b][n] = *v;
    if (auto v = a.Take("--type")) {
        if (!IsKnownCoverType(*v)) throw UsageError("--type: unknown cover type \"" + *v + "\"");
        job.coverType = *v;
    }
    return job;
}

}  // namespace

int RenderCommand(Arguments& args, const std::string& project) {
    const auto templatePath = args.Take("--template");
    if (templatePath && CoverFileTypeOf(*templatePath) != CoverFileType::Template)
        throw UsageError("--template: \"" + *templatePath + "\" is not a template (.tem)");
    RenderJob job = ReadJob(args);
    auto checkFile = [](const std::string& image) {
        std::error_code ec;
        if (!image.empty() && !std::filesystem::is_regular_file(image, ec))
            throw std::runtime_error("render: no such picture file: " + image);
    };
    for (const auto& image : job.images) checkFile(image);
    for (const auto& book : job.bookImages)
        for (const auto& image : book) checkFile(image);

    QuietPort port(true);
    TempFolder images;
    MainState state(ProgramFolder(), port, std::make_unique<EglContext>());
    RenderSession& session = state.Session;
    session.ImagesFolder = images.Path();
    SetupOptions setup;
    setup.width = job.width;
    setup.height = job.height;
    setup.logPath = job.logPath;
    setup.modelPath = job.modelPath;
    if (!session.SetupRendering(setup)) {
        std::cerr << "render: no OpenGL context could be made\n";
        return 1;
    }
    if (session.Catalogue.Count < 1) {
        std::cerr << "render: no cover models could be loaded\n";
        return 1;
    }
    state.SetRenderingEnabled(true);
    const int entry = job.modelPath.empty() ? session.Catalogue.FindEntry(job.coverType) : 1;
    if (job.modelPath.empty() && session.Catalogue.Item(entry).Id != job.coverType) {
        std::cerr << "render: the catalogue has no \"" << job.coverType << "\" cover\n";
        return 1;
    }
    SelectCover(state, entry);
    if (!project.empty()) {
        if (!job.modelPath.empty()) throw UsageError("render: --model cannot draw a project");
        if (!ReadCoverProject(state, project)) return 1;
    }
    if (templatePath) {
        if (!ReadTemplate(state, *templatePath)) return 1;
        SelectCover(state, state.Cover.Entry);
    }
    ApplyCoverOptions(args, state);
    ApplySceneOptions(args, session);
    args.ExpectNothingLeft();

    for (int i = 0; i < 3; ++i)
        if (!job.images[i].empty() && !session.SetFaceImage(i, job.images[i])) return 1;
    for (int b = 0; b < 4; ++b)
        for (int n = 0; n < 3; ++n)
            if (!job.bookImages[b][n].empty() &&
                !session.SetBookImage(b, n, job.bookImages[b][n]))
                return 1;
    SelectCover(state, state.Cover.Entry);  // binds the new textures

    // The capture always draws 8 passes; a smaller count draws the frame the
    // panel would show at that setting.
    RgbaImage picture;
    if (job.passes == 8) {
        picture = CaptureFrame(session.Frames, *session.Context, job.width, job.height);
    } else {
        session.TheScene.Settings.AAPasses = job.passes;
        session.Frames.TrackBar1 = job.passes;
        session.Context->Reshape(job.width, job.height);
        session.Frames.RenderFrame(false);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, session.Context->TargetFramebuffer());
        picture = ReadFramePixels(job.width, job.height);
    }
    ReduceToDepth(picture, job.depth);
    SavePicture(picture, job.type, job.depth, job.output);
    std::cout << job.output << '\n';
    return 0;
}

}  // namespace tessaly::cli
