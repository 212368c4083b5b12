#include "cli/NewCommand.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "app/cover/CoverAssembly.h"
#include "app/cover/CoverOptions.h"
#include "app/project/CoverProject.h"
#include "app/project/ResetCommands.h"
#include "app/scene/SceneControls.h"
#include "cli/ProjectSession.h"
#include "core/model/CoverTypes.h"
#include "core/project/CoverFile.h"
#include "render/Textures.h"

namespace tessaly::cli {

const char* const kNewHelp = R"(Usage: tessaly-cli new --type ID [OPTIONS] -o FILE.eco|FILE.tem

Makes a new cover as File, "New ..." does (from the start project "_incov"),
puts the given images into its slots and sets the scene, then writes a
project (FILE.eco, images embedded) or a template (FILE.tem: type, options,
cover position, camera and light only). Values are stored as the positions of
the controls that set them, so they are taken to the nearest step.

      --type ID            stdbox, thinbox, widebox, cbox, flatbook, magazine,
                           spiral1, spiral2, cdcase, dvdcase, 2bookbox, 3bookbox,
                           4bookbox (roundedbook and roundedbbook have no code in
                           project files and are stored as the first entry)
  -o, --output FILE        the project or template to write

Images (copied into the working folder as the image slots do)
      --image1/--front, --image2/--side, --image3/--top FILE
      --floor FILE         the floor texture
      --bookN-front FILE, --bookN-back FILE, --bookN-side FILE  (N = 1..4)

Cover options
      --width F, --height F, --depth F   customizable box, 0.1 to 2
      --case-angle DEG     0 to 180
      --spine-color C, --spiral-color C

Scene (as for render)
      --distance D, --camera-rotate A, --camera-lift A, --elevation E,
      --strafe S, --front-back S, --fov DEG, --cover-rotate A, --roll-x A,
      --roll-z A, --cover-lift H, --light X,Y,Z, --light-color C, --ambient A,
      --reflection R, --shadow on|off, --shadow-darkness S, --background C,
      --floor-color C, --floor-texture on|off

Exit status: 0 written, 1 failure, 2 bad usage.
)";

namespace {

int Round(double v) {
    return static_cast<int>(std::lround(v));
}

void ApplyOptions(Arguments& a, MainState& state) {
    MainControls& c = state.Controls;
    auto bar = [&](const char* name, double min, double max, ScrollBar& sb, auto toPosition) {
        if (auto v = a.Take(name))
            sb.SetPosition(Round(toPosition(ParseNumber(name, *v, min, max))));
    };
    auto factor = [](double f) { return (f - 0.1) / 1.9 * 200.0; };
    bar("--width", 0.1, 2, c.BWidthSB, factor);
    bar("--height", 0.1, 2, c.BHeightSB, factor);
    bar("--depth", 0.1, 2, c.BDepthSB, factor);
    bar("--case-angle", 0, 180, c.caseAngleSB, [](double v) { return v; });
    if (auto v = a.Take("--spine-color")) ApplySpineColor(state, ParseColor("--spine-color", *v));
    if (auto v = a.Take("--spiral-color"))
        ApplySpiralColor(state, ParseColor("--spiral-color", *v));

    auto same = [](double v) { return v; };
    bar("--distance", 3.5, 25, c.distanceSB, [](double v) { return v * 20.0; });
    bar("--camera-rotate", 0, 360, c.rotateSB, same);
    bar("--camera-lift", 0, 90, c.liftSB, same);
    bar("--elevation", -0.75, 0.75, c.ScrollBar9, [](double v) { return v * 100.0 / 1.5 + 50.0; });
    bar("--strafe", -1, 1, c.StrafeSB, [](double v) { return 100.0 - v * 100.0; });
    bar("--front-back", -1, 1, c.FrontBackSB, [](double v) { return 100.0 - v * 100.0; });
    bar("--fov", 20, 110, c.ScrollBar11, same);
    bar("--cover-rotate", 0, 360, c.ScrollBar4, same);
    bar("--roll-x", 0, 360, c.ScrollBar10, same);
    bar("--roll-z", 0, 360, c.ScrollBar5, same);
    bar("--cover-lift", 0, 2, c.ScrollBar6, [](double v) { return v * 50.0; });
    bar("--ambient", 0, 1, c.AmbientSB, [](double v) { return v * 100.0; });
    bar("--reflection", 0, 1, c.ReflexionSB, [](double v) { return v * 100.0; });
    bar("--shadow-darkness", 0, 0.5, c.ShadowSB, [](double v) { return v * 200.0; });
    if (auto v = a.Take("--shadow")) c.ShadowCheck.SetChecked(ParseOnOff("--shadow", *v));
    if (auto v = a.Take("--light")) {
        const std::string& t = *v;
        const auto c1 = t.find(',');
        const auto c2 = c1 == std::string::npos ? c1 : t.find(',', c1 + 1);
        if (c2 == std::string::npos) throw UsageError("--light: expected X,Y,Z, not \"" + t + "\"");
        c.LightXSB.SetPosition(
            Round(ParseNumber("--light", t.substr(0, c1), -10, 10) * 10.0 + 100.0));
        c.LightYSB.SetPosition(
            Round(ParseNumber("--light", t.substr(c1 + 1, c2 - c1 - 1), 0, 20) * 10.0));
        c.LightZSB.SetPosition(Round(ParseNumber("--light", t.substr(c2 + 1), 0, 20) * 10.0));
    }
    if (auto v = a.Take("--light-color")) ApplyLightColor(state, ParseColor("--light-color", *v));
    if (auto v = a.Take("--background"))
        ApplyBackgroundColor(state, ParseColor("--background", *v));
    if (auto v = a.Take("--floor-color")) ApplyFloorColor(state, ParseColor("--floor-color", *v));
    if (auto v = a.Take("--floor-texture"))
        c.FloorCheckBox.SetChecked(ParseOnOff("--floor-texture", *v));
}

void CheckPicture(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw std::runtime_error("new: no such picture file: " + path);
}

// Copies a chosen picture into its working copy, as selecting it does.
std::string WorkingCopy(MainState& state, const std::string& source, const std::string& name) {
    const std::string target = state.Session.ImagesFolder + name + FileExtension(source);
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
    return target;
}

}  // namespace

int NewCommand(Arguments& args) {
    auto out = args.Take("--output", "-o");
    if (!out) throw UsageError("new: the output file is missing (-o FILE)");
    const CoverFileType outType = CoverFileTypeOf(*out);
    if (outType == CoverFileType::Other)
        throw UsageError("new: name the output FILE.eco or FILE.tem");
    auto typeId = args.Take("--type");
    if (!typeId) throw UsageError("new: the cover type is missing (--type ID)");
    if (!IsKnownCoverType(*typeId))
        throw UsageError("--type: unknown cover type \"" + *typeId + "\"");
    std::array<std::string, 3> faces;
    const char* names[3][2] = {
        {"--front", "--image1"}, {"--side", "--image2"}, {"--top", "--image3"}};
    for (int i = 0; i < 3; ++i) {
        if (auto v = args.Take(names[i][0])) faces[i] = *v;
        if (auto v = args.Take(names[i][1])) faces[i] = *v;
        if (!faces[i].empty()) CheckPicture(faces[i]);
    }
    std::string floor;
    if (auto v = args.Take("--floor")) CheckPicture(floor = *v);
    std::array<std::array<std::string, 3>, 4> books;
    const char* parts[3] = {"front", "back", "side"};
    for (int b = 0; b < 4; ++b)
        for (int n = 0; n < 3; ++n)
            if (auto v = args.Take("--book" + std::to_string(b + 1) + "-" + parts[n]))
                CheckPicture(books[b][n] = *v);

    ProjectSession session(160, 120);
    MainState& state = *session.State;
    RenderSession& rs = state.Session;
    NewCover(state, *typeId);
    if (state.CurrentEntry() == nullptr || state.CurrentEntry()->Id != *typeId) {
        std::cerr << "new: the catalogue has no \"" << *typeId << "\" cover\n";
        return 1;
    }
    ApplyOptions(args, state);
    args.ExpectNothingLeft();
    if (session.Port.ErrorShown) return 1;

    static const char* const kSlots[3] = {"Image1", "Image2", "Image3"};
    for (int i = 0; i < 3; ++i)
        if (!faces[i].empty() && !rs.SetFaceImage(i, WorkingCopy(state, faces[i], kSlots[i])))
            return 1;
    if (!floor.empty()) {
        rs.FloorPath = WorkingCopy(state, floor, "Floor");
        GLuint& texture = rs.TheScene.Floor.Texture;
        ReleaseTexture(texture);
        TextureFromFile(rs.FloorPath, texture, session.Port);
    }
    // The books of a box of books get working copies, given or placeholder,
    // as the project will hold them.
    const int bookCount = FindCoverType(*typeId)->Books;
    for (int b = 0; b < bookCount; ++b)
        for (int n = 0; n < 3; ++n) {
            const std::string source = books[b][n].empty() ? rs.BookPaths[b][n] : books[b][n];
            const std::string name =
                "Book" + std::to_string(b + 1) + "Image" + std::to_string(n + 1);
            if (!rs.SetBookImage(b, n, WorkingCopy(state, source, name))) return 1;
        }
    SelectCover(state, state.Cover.Entry);

    const bool ok = outType == CoverFileType::Project ? WriteCoverProject(state, *out)
                                                      : WriteTemplate(state, *out);
    if (!ok) return 1;
    std::cout << *out << '\n';
    return 0;
}

}  // namespace tessaly::cli
