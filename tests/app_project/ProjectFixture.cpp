#include "ProjectFixture.h"

#include <dlfcn.h>

#include <filesystem>
#include <sstream>

#include "app/cover/CoverAssembly.h"
#include "core/images/JpegCodec.h"
#include "core/io/FileIO.h"
#include "render/EglContext.h"

namespace tessaly::test {

namespace fs = std::filesystem;

namespace {

// These tests start and end many contexts; keeping the EGL vendor library and
// the software driver loaded for the whole run stops them being unloaded and
// reloaded, so what they keep stays attributed to them (and suppressed).
void KeepDriverLoaded() {
    static const bool kept = [] {
        for (const char* lib : {"libEGL_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
            dlopen(lib, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
        return true;
    }();
    (void)kept;
}

}  // namespace

ProjectTest::ProjectTest() {
    KeepDriverLoaded();
    fs::create_directory_symlink(ProgramDir() / "Tsym", program_ / "Tsym");
    fs::create_directory_symlink(ProgramDir() / "Data", program_ / "Data");
    for (const char* name : {"_incov", "_resettem"})
        if (fs::exists(ProgramDir() / name)) fs::copy_file(ProgramDir() / name, program_ / name);
}

ProjectTest::~ProjectTest() = default;

std::unique_ptr<MainState> ProjectTest::Start(ProjectPort& p, int w, int h) {
    auto state = std::make_unique<MainState>(Folder(), p, std::make_unique<EglContext>());
    SetupOptions options;
    options.width = w;
    options.height = h;
    EXPECT_TRUE(state->Session.SetupRendering(options));
    state->SetRenderingEnabled(true);
    SelectCover(*state, 1);
    return state;
}

void ProjectTest::Select(MainState& state, const std::string& id) {
    const int entry = state.Session.Catalogue.FindEntry(id);
    ASSERT_EQ(state.Session.Catalogue.Item(entry).Id, id);
    state.Cover.Entry = entry;
    state.Controls.ModelsComboBox.Select(entry - 1);
    SelectCover(state, entry);
}

namespace {

std::string Num(double v) {
    std::ostringstream s;
    s.precision(9);
    s << v;
    return s.str();
}

}  // namespace

std::map<std::string, std::string> Snapshot(MainState& state) {
    std::map<std::string, std::string> m;
    m["Entry"] = std::to_string(state.Cover.Entry);
    TModelItem* item = state.CurrentEntry();
    m["Id"] = item ? item->Id : "";
    const CoverParameters& c = state.Cover;
    m["WidthFactor"] = Num(c.WidthFactor);
    m["HeightFactor"] = Num(c.HeightFactor);
    m["DepthFactor"] = Num(c.DepthFactor);
    m["CaseAngle"] = Num(c.CaseAngle);
    m["SpineColor"] = std::to_string(c.SpineColor);
    m["SpiralColor"] = std::to_string(c.SpiralColor);
    m["Modified"] = c.Modified ? "1" : "0";
    for (const auto& control : state.Controls.All.All()) {
        if (auto* bar = dynamic_cast<ScrollBar*>(control.get()))
            m["control." + bar->Name] = std::to_string(bar->Position);
        else if (auto* box = dynamic_cast<CheckBox*>(control.get()))
            m["control." + box->Name] = box->Checked ? "1" : "0";
        else if (auto* swatch = dynamic_cast<ColorSwatch*>(control.get()))
            m["control." + swatch->Name] = std::to_string(swatch->Color);
        else if (!control->Caption.empty())
            m["caption." + control->Name] = control->Caption;
    }
    const SceneSettings& s = state.Session.TheScene.Settings;
    m["Distance"] = Num(s.Distance);
    m["CameraRotate"] = Num(s.CameraRotate);
    m["CameraLift"] = Num(s.CameraLift);
    m["Elevation"] = Num(s.Elevation);
    m["Strafe"] = Num(s.Strafe);
    m["FrontBack"] = Num(s.FrontBack);
    m["FieldOfView"] = std::to_string(s.FieldOfView);
    m["CoverRotate"] = Num(s.CoverRotate);
    m["CoverRollZ"] = Num(s.CoverRollZ);
    m["CoverRollX"] = Num(s.CoverRollX);
    m["CoverLift"] = Num(s.CoverLift);
    m["AmbientLevel"] = Num(s.AmbientLevel);
    m["ShadowDarkness"] = Num(s.ShadowDarkness);
    m["FloorOpacity"] = Num(s.FloorOpacity);
    m["DrawShadow"] = s.DrawShadow ? "1" : "0";
    m["DrawLightSource"] = s.DrawLightSource ? "1" : "0";
    for (int i = 0; i < 3; ++i) {
        m["Background" + std::to_string(i)] = Num(s.BackgroundColor[i]);
        m["LightColor" + std::to_string(i)] = Num(s.LightColor[i]);
        m["FloorColor" + std::to_string(i)] = Num(state.Session.TheScene.Floor.Color[i]);
    }
    m["FloorTextured"] = state.Session.TheScene.Floor.Textured ? "1" : "0";
    const TGLLight& light = state.Session.TheScene.MainLight;
    m["Light"] = Num(light.GetX()) + "," + Num(light.GetY()) + "," + Num(light.GetZ());
    const std::string& folder = state.Session.ProgramFolder;
    auto rel = [&](const std::string& p) {
        return p.rfind(folder, 0) == 0 ? p.substr(folder.size()) : p;
    };
    for (int i = 0; i < 3; ++i)
        m["ImagePath" + std::to_string(i + 1)] = rel(state.Session.ImagePaths[i]);
    m["FloorPath"] = rel(state.Session.FloorPath);
    for (int b = 0; b < 4; ++b)
        for (int i = 0; i < 3; ++i)
            m["BookPath" + std::to_string(b + 1) + std::to_string(i + 1)] =
                rel(state.Session.BookPaths[b][i]);
    return m;
}

std::string SnapshotDiff(const std::map<std::string, std::string>& a,
                         const std::map<std::string, std::string>& b) {
    std::string out;
    for (const auto& [k, v] : a) {
        auto it = b.find(k);
        const std::string other = it == b.end() ? "<none>" : it->second;
        if (other != v) out += k + ": " + v + " vs " + other + "\n";
    }
    for (const auto& [k, v] : b)
        if (!a.count(k)) out += k + ": <none> vs " + v + "\n";
    return out;
}

std::vector<std::uint8_t> FileBytes(const fs::path& path) {
    return ReadWholeFile(path);
}

void WriteJpegPicture(const fs::path& path, std::uint8_t r, std::uint8_t g, std::uint8_t b, int w,
                      int h) {
    RgbaImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = image.Pixel(x, y);
            p[0] = r;
            p[1] = static_cast<std::uint8_t>(g ^ (x * 4));
            p[2] = b;
            p[3] = 255;
        }
    WriteFileAtomically(path, [&](std::ostream& out) { WriteJpeg(image, 90, out); });
}

}  // namespace tessaly::test
