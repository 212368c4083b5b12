#include "cli/job/StateSnapshot.h"

namespace tessaly::cli {

namespace {

LightValues TakeLight(const TGLLight& light) {
    return {light.Ambient, light.Diffuse, light.Specular, light.Position,
            light.ConstantAttenuation};
}

void RestoreLight(TGLLight& light, const LightValues& v) {
    light.SetAmbient(v.ambient[0], v.ambient[1], v.ambient[2], v.ambient[3]);
    light.SetDiffuse(v.diffuse[0], v.diffuse[1], v.diffuse[2], v.diffuse[3]);
    light.SetSpecular(v.specular[0], v.specular[1], v.specular[2], v.specular[3]);
    light.Position = v.position;
    light.SetConstantAttenuation(v.constantAttenuation);
}

}  // namespace

StateSnapshot TakeSnapshot(MainState& state) {
    RenderSession& s = state.Session;
    StateSnapshot snap;
    snap.settings = s.TheScene.Settings;
    snap.floor = s.TheScene.Floor;
    snap.mainLight = TakeLight(s.TheScene.MainLight);
    snap.ambientLight = TakeLight(s.TheScene.AmbientLight);
    snap.showAxes = s.TheScene.ShowAxes;
    snap.trackBar1 = s.Frames.TrackBar1;
    snap.checkBox2 = s.Frames.CheckBox2;
    snap.shadowCheck = s.Frames.ShadowCheck;
    snap.cover = state.Cover;
    for (const auto& owned : state.Controls.All.All()) {
        const Control& c = *owned;
        ControlValues v{c.Caption, c.Visible, c.Enabled, c.Picture, c.PictureVersion, c.Left, c.Top,
                        c.Width,   c.Height,  0,         0};
        if (auto* bar = dynamic_cast<const ScrollBar*>(&c)) v.position = bar->Position;
        if (auto* box = dynamic_cast<const CheckBox*>(&c)) v.position = box->Checked;
        if (auto* combo = dynamic_cast<const ComboBox*>(&c)) v.position = combo->ItemIndex;
        if (auto* swatch = dynamic_cast<const ColorSwatch*>(&c)) v.color = swatch->Color;
        snap.controls.push_back(std::move(v));
    }
    snap.bookImageFlags = state.Controls.BookImageFlags;
    snap.currentBook = state.Controls.CurrentBook;
    snap.imageTextures = s.ImageTextures;
    snap.imagePaths = s.ImagePaths;
    snap.bookTextures = s.BookTextures;
    snap.bookPaths = s.BookPaths;
    snap.floorPath = s.FloorPath;
    for (int i = 1; i <= s.Catalogue.Count; ++i) {
        const TmodelEMO& m = s.Catalogue.Item(i).Model;
        ModelValues values{m.ScaleX, m.ScaleY, m.ScaleZ, {}};
        for (const TobjectEMO& o : m.Objects)
            values.objects.push_back({o.Texture, o.Ambient, o.Diffuse, o.Textured, o.AngleY});
        snap.models.push_back(std::move(values));
    }
    return snap;
}

void RestoreSnapshot(MainState& state, const StateSnapshot& snap) {
    RenderSession& s = state.Session;
    s.TheScene.Settings = snap.settings;
    s.TheScene.Floor = snap.floor;
    RestoreLight(s.TheScene.MainLight, snap.mainLight);
    RestoreLight(s.TheScene.AmbientLight, snap.ambientLight);
    s.TheScene.ShowAxes = snap.showAxes;
    s.Frames.TrackBar1 = snap.trackBar1;
    s.Frames.CheckBox2 = snap.checkBox2;
    s.Frames.ShadowCheck = snap.shadowCheck;
    state.Cover = snap.cover;
    const auto& all = state.Controls.All.All();
    for (std::size_t i = 0; i < all.size() && i < snap.controls.size(); ++i) {
        Control& c = *all[i];
        const ControlValues& v = snap.controls[i];
        c.Caption = v.caption;
        c.Visible = v.visible;
        c.Enabled = v.enabled;
        c.Picture = v.picture;
        c.PictureVersion = v.pictureVersion;
        c.Left = v.left;
        c.Top = v.top;
        c.Width = v.width;
        c.Height = v.height;
        if (auto* bar = dynamic_cast<ScrollBar*>(&c)) bar->Position = v.position;
        if (auto* box = dynamic_cast<CheckBox*>(&c)) box->Checked = v.position != 0;
        if (auto* combo = dynamic_cast<ComboBox*>(&c)) combo->ItemIndex = v.position;
        if (auto* swatch = dynamic_cast<ColorSwatch*>(&c)) swatch->Color = v.color;
    }
    state.Controls.BookImageFlags = snap.bookImageFlags;
    state.Controls.CurrentBook = snap.currentBook;
    s.ImageTextures = snap.imageTextures;
    s.ImagePaths = snap.imagePaths;
    s.BookTextures = snap.bookTextures;
    s.BookPaths = snap.bookPaths;
    s.FloorPath = snap.floorPath;
    for (int i = 1; i <= s.Catalogue.Count && i <= static_cast<int>(snap.models.size()); ++i) {
        TmodelEMO& m = s.Catalogue.Item(i).Model;
        const ModelValues& values = snap.models[static_cast<std::size_t>(i - 1)];
        m.ScaleX = values.scaleX;
        m.ScaleY = values.scaleY;
        m.ScaleZ = values.scaleZ;
        for (std::size_t o = 0; o < m.Objects.size() && o < values.objects.size(); ++o) {
            TobjectEMO& object = m.Objects[o];
            object.Texture = values.objects[o].texture;
            object.Ambient = values.objects[o].ambient;
            object.Diffuse = values.objects[o].diffuse;
            object.Textured = values.objects[o].textured;
            object.AngleY = values.objects[o].angleY;
        }
    }
}

}  // namespace tessaly::cli
