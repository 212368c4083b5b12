// gen_projects: writes the start project "_incov" and the reset template
// "_resettem" into the program folder with the program's own writers. The
// start project is a standard box with the placeholder images, turned to show
// its front and side, seen from a little above, with some reflection and the
// light behind the camera (so its marker, which projects do not store, stays
// out of the picture). The reset template holds the same view with the
// options of the customizable box and the cases at their defaults, and no
// cover type, so resetting keeps the type.
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/MainState.h"
#include "app/project/CoverProject.h"
#include "core/io/FileIO.h"
#include "core/model/CoverParameters.h"
#include "core/project/CoverFile.h"
#include "render/GLContext.h"

namespace {

using namespace tessaly;

// Nothing here draws: the writers only read control positions and files.
class NoContext : public TGLContext {
  public:
    bool CreateContext(int, int, UserPort&) override { return true; }
    GLuint TargetFramebuffer() const override { return 0; }
};

void SetStartView(MainControls& c) {
    c.ScrollBar4.SetPosition(330);  // the cover turned to show its front and side
    c.liftSB.SetPosition(11);       // the camera a little above
    c.distanceSB.SetPosition(110);
    c.ScrollBar9.SetPosition(55);
    c.LightXSB.SetPosition(130);  // light from the front right, above and behind the camera
    c.LightYSB.SetPosition(100);
    c.LightZSB.SetPosition(160);
    c.ReflexionSB.SetPosition(35);
    c.ShadowSB.SetPosition(30);
    c.AmbientSB.SetPosition(10);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: gen_projects PROGRAM_FOLDER\n";
        return 2;
    }
    std::string folder = argv[1];
    if (folder.empty() || folder.back() != '/') folder += '/';
    QuietPort port(true);
    MainState state(folder, port, std::make_unique<NoContext>());
    ModelCatalogue& catalogue = state.Session.Catalogue;
    catalogue.Item(1).Id = "stdbox";
    catalogue.Count = 1;
    state.Cover.Entry = 1;
    for (auto& path : state.Session.ImagePaths) path = folder + "Data/blank.jpg";
    state.Session.FloorPath = folder + "Data/floor.jpg";
    SetStartView(state.Controls);

    if (!WriteCoverProject(state, folder + "_incov")) return 1;

    std::vector<CoverSection> sections = {
        ValuesSection(cover_tag::Dimensions,
                      {kDimensionInitial, kDimensionInitial, kDimensionInitial}),
        ValuesSection(cover_tag::CaseAngle, {kCaseAngleInitial})};
    for (CoverSection& s : ViewSections(state)) sections.push_back(std::move(s));
    try {
        WriteFileAtomically(folder + "_resettem",
                            CoverFileBytes(CoverFileKind::Template, sections));
    } catch (const std::exception& e) {
        std::cerr << "gen_projects: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
