#include "cli/StateCommand.h"

#include <iostream>

#include "app/project/CoverProject.h"
#include "cli/Json.h"

namespace tessaly::cli {

const char* const kStateHelp = R"(Usage: tessaly-cli state FILE.eco|FILE.tem

Starts the program headless, opens the project or template and prints the
whole state as JSON: the catalogue entry and cover type, the cover
parameters, every stored control (scroll bar positions, check boxes and
colour swatches, colours as 0xBBGGRR integers), the scene settings, the floor,
the light position, the image paths (working copies as "Images/...",
shipped files relative to the program folder) and every message and status
text shown, each with its language key. "damaged" is true when the project
is cut short inside an embedded image; a warning with the key
"damagedproject" then names the file and each incomplete image.

Exit status: 0 printed (also when the file was refused: see "messages"),
2 bad usage, 1 no state could be made.
)";

namespace {

void Rgb3(JsonWriter& json, std::string_view key, const Rgb& c) {
    json.Key(key).BeginArray().Number(c[0]).Number(c[1]).Number(c[2]).EndArray();
}

void Texts(JsonWriter& json, std::string_view key, const std::vector<ShownText>& texts,
           bool kinds) {
    json.Key(key).BeginArray();
    for (const ShownText& t : texts) {
        json.BeginObject();
        if (kinds) json.Field("kind", t.kind);
        json.Field("key", t.key).Field("text", t.text).EndObject();
    }
    json.EndArray();
}

}  // namespace

void WriteStateJson(ProjectSession& session, std::ostream& out) {
    MainState& state = *session.State;
    RenderSession& rs = state.Session;
    const std::string& images = rs.ImagesFolder;
    const std::string& program = rs.ProgramFolder;
    auto rel = [&](const std::string& p) {
        if (p.rfind(images, 0) == 0) return "Images/" + p.substr(images.size());
        if (p.rfind(program, 0) == 0) return p.substr(program.size());
        return p;
    };
    JsonWriter json(out);
    json.BeginObject();
    json.Field("entry", state.Cover.Entry);
    TModelItem* item = state.CurrentEntry();
    json.Field("id", item ? item->Id : std::string());
    const CoverParameters& c = state.Cover;
    json.Key("cover")
        .BeginObject()
        .Field("WidthFactor", c.WidthFactor)
        .Field("HeightFactor", c.HeightFactor)
        .Field("DepthFactor", c.DepthFactor)
        .Field("CaseAngle", c.CaseAngle)
        .Field("SpineColor", c.SpineColor)
        .Field("SpiralColor", c.SpiralColor)
        .Field("Modified", c.Modified)
        .EndObject();
    json.Key("controls").BeginObject();
    for (const auto& control : state.Controls.All.All()) {
        if (auto* bar = dynamic_cast<ScrollBar*>(control.get()))
            json.Field(bar->Name, bar->Position);
        else if (auto* box = dynamic_cast<CheckBox*>(control.get()))
            json.Field(box->Name, box->Checked);
        else if (auto* swatch = dynamic_cast<ColorSwatch*>(control.get()))
            json.Field(swatch->Name, swatch->Color);
    }
    json.Field("ModelsComboBox", state.Controls.ModelsComboBox.ItemIndex);
    json.EndObject();
    const SceneSettings& s = rs.TheScene.Settings;
    json.Key("scene")
        .BeginObject()
        .Field("Distance", s.Distance)
        .Field("MinDistance", s.MinDistance)
        .Field("MaxDistance", s.MaxDistance)
        .Field("CameraRotate", s.CameraRotate)
        .Field("CameraLift", s.CameraLift)
        .Field("Elevation", s.Elevation)
        .Field("Strafe", s.Strafe)
        .Field("FrontBack", s.FrontBack)
        .Field("FieldOfView", s.FieldOfView)
        .Field("CoverRotate", s.CoverRotate)
        .Field("CoverRollZ", s.CoverRollZ)
        .Field("CoverRollX", s.CoverRollX)
        .Field("CoverLift", s.CoverLift)
        .Field("AmbientLevel", s.AmbientLevel)
        .Field("ShadowDarkness", s.ShadowDarkness)
        .Field("FloorOpacity", s.FloorOpacity)
        .Field("DrawShadow", s.DrawShadow)
        .Field("DrawLightSource", s.DrawLightSource);
    Rgb3(json, "BackgroundColor", s.BackgroundColor);
    Rgb3(json, "LightColor", s.LightColor);
    json.Field("AAPasses", s.AAPasses).EndObject();
    const TFloor& f = rs.TheScene.Floor;
    json.Key("floor").BeginObject().Field("Visible", f.Visible).Field("Textured", f.Textured);
    Rgb3(json, "Color", f.Color);
    json.Field("TextureRepeat", f.TextureRepeat).Field("HalfSize", f.HalfSize).EndObject();
    const TGLLight& light = rs.TheScene.MainLight;
    json.Key("light")
        .BeginArray()
        .Number(light.GetX())
        .Number(light.GetY())
        .Number(light.GetZ())
        .EndArray();
    json.Key("images")
        .BeginObject()
        .Field("Image1", rel(rs.ImagePaths[0]))
        .Field("Image2", rel(rs.ImagePaths[1]))
        .Field("Image3", rel(rs.ImagePaths[2]))
        .Field("Floor", rel(rs.FloorPath));
    json.Key("books").BeginArray();
    for (const auto& book : rs.BookPaths) {
        json.BeginArray();
        for (const auto& p : book) json.String(rel(p));
        json.EndArray();
    }
    json.EndArray().EndObject();
    // A damaged project is said once here; each incomplete image has its
    // own message under the same key.
    bool damaged = false;
    for (const ShownText& m : session.Port.Messages) damaged |= m.key == kDamagedProjectKey;
    json.Field("damaged", damaged);
    Texts(json, "messages", session.Port.Messages, true);
    Texts(json, "status", session.Port.Status, false);
    json.EndObject();
    out << '\n';
}

int StateCommand(Arguments& args) {
    auto files = args.TakePositionals();
    args.ExpectNothingLeft();
    if (files.size() != 1) throw UsageError("state: name exactly one .eco or .tem file");
    if (CoverFileTypeOf(files[0]) == CoverFileType::Other)
        throw UsageError("state: \"" + files[0] +
                         "\" is neither a project (.eco) nor a template (.tem)");
    ProjectSession session(160, 120);
    session.Open(files[0]);
    WriteStateJson(session, std::cout);
    return 0;
}

}  // namespace tessaly::cli
