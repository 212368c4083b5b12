#include "app/history/CoverSnapshot.h"

#include <filesystem>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "app/cover/CoverOptions.h"
#include "app/images/ImageSlots.h"
#include "app/scene/SceneControls.h"
#include "core/io/FileIO.h"

namespace tessaly {

namespace {

namespace fs = std::filesystem;

// The sliders and check boxes a project stores. The dimension bars go before
// the others so that the cover is shaped before it is placed.
std::vector<ScrollBar*> StoredBars(MainControls& c) {
    return {&c.BWidthSB,   &c.BHeightSB,   &c.BDepthSB,   &c.caseAngleSB, &c.ScrollBar4,
            &c.ScrollBar5, &c.ScrollBar10, &c.ScrollBar6, &c.distanceSB,  &c.rotateSB,
            &c.liftSB,     &c.ScrollBar9,  &c.StrafeSB,   &c.FrontBackSB, &c.ScrollBar11,
            &c.LightXSB,   &c.LightYSB,    &c.LightZSB,   &c.ReflexionSB, &c.ShadowSB,
            &c.AmbientSB};
}

std::vector<CheckBox*> StoredChecks(MainControls& c) {
    return {&c.FloorCheckBox, &c.ShadowCheck};
}

using ColorApply = void (*)(MainState&, unsigned);

struct StoredColor {
    ColorSwatch* swatch;
    ColorApply apply;
};

std::vector<StoredColor> StoredColors(MainControls& c) {
    return {{&c.BgColor, ApplyBackgroundColor},
            {&c.LColorShape, ApplyLightColor},
            {&c.FloorShape, ApplyFloorColor},
            {&c.SpineShape, ApplySpineColor},
            {&c.SpiralShape, ApplySpiralColor}};
}

std::string& SlotPathRef(MainState& state, int k) {
    RenderSession& s = state.Session;
    if (k < 3) return s.ImagePaths.at(static_cast<std::size_t>(k));
    if (k == 3) return s.FloorPath;
    const int b = (k - 4) / 3, i = (k - 4) % 3;
    return s.BookPaths.at(static_cast<std::size_t>(b)).at(static_cast<std::size_t>(i));
}

// Path, size and time of a file, without its bytes.
SlotFile Stamp(const std::string& path) {
    SlotFile file;
    file.Path = path;
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) return file;
    file.Size = fs::file_size(path, ec);
    if (ec) return file;
    const auto time = fs::last_write_time(path, ec);
    if (ec) return file;
    file.Time = time.time_since_epoch().count();
    file.Exists = true;
    return file;
}

// Loads slot k from its path again, as Refresh does.
void ReloadSlot(MainState& state, int k) {
    if (k < 3)
        RefreshSlotImage(state, k + 1);
    else if (k == 3)
        RefreshSlotImage(state, kFloorSlot);
    else
        RefreshBookImage(state, (k - 4) / 3 + 1, (k - 4) % 3 + 1);
}

}  // namespace

SlotFile StampFile(const std::string& path) {
    return Stamp(path);
}

std::string SnapshotSlotPath(MainState& state, int k) {
    return SlotPathRef(state, k);
}

void ReloadSnapshotSlot(MainState& state, int k) {
    ReloadSlot(state, k);
}

bool CoverSnapshot::SameAs(const CoverSnapshot& other) const {
    if (Entry != other.Entry || Positions != other.Positions || Checks != other.Checks ||
        Colors != other.Colors)
        return false;
    for (int k = 0; k < kSnapshotSlots; ++k)
        if (!Files[k].SameAs(other.Files[k])) return false;
    return true;
}

CoverSnapshot TakeSnapshot(MainState& state, const CoverSnapshot* previous) {
    CoverSnapshot snapshot;
    MainControls& c = state.Controls;
    snapshot.Entry = state.Cover.Entry;
    for (ScrollBar* bar : StoredBars(c)) snapshot.Positions[bar->Name] = bar->Position;
    for (CheckBox* box : StoredChecks(c)) snapshot.Checks[box->Name] = box->Checked;
    for (const StoredColor& color : StoredColors(c))
        snapshot.Colors[color.swatch->Name] = color.swatch->Color;
    for (int k = 0; k < kSnapshotSlots; ++k) {
        SlotFile file = Stamp(SlotPathRef(state, k));
        if (previous && previous->Files[k].SameAs(file)) {
            file.Bytes = previous->Files[k].Bytes;
        } else if (file.Exists) {
            try {
                file.Bytes =
                    std::make_shared<const std::vector<std::uint8_t>>(ReadWholeFile(file.Path));
            } catch (const std::exception&) {
                // Kept without bytes: restoring this step leaves the file as
                // it is then.
            }
        }
        snapshot.Files[k] = std::move(file);
    }
    return snapshot;
}

void RestoreSnapshot(MainState& state, const CoverSnapshot& snapshot) {
    MainControls& c = state.Controls;
    if (snapshot.Entry != state.Cover.Entry) {
        state.Cover.Entry = snapshot.Entry;
        c.ModelsComboBox.Select(snapshot.Entry - 1);
        SelectCover(state, snapshot.Entry);
    }
    for (ScrollBar* bar : StoredBars(c)) {
        const auto it = snapshot.Positions.find(bar->Name);
        if (it != snapshot.Positions.end()) bar->SetPosition(it->second);
    }
    for (CheckBox* box : StoredChecks(c)) {
        const auto it = snapshot.Checks.find(box->Name);
        if (it != snapshot.Checks.end()) box->SetChecked(it->second);
    }
    for (const StoredColor& color : StoredColors(c)) {
        const auto it = snapshot.Colors.find(color.swatch->Name);
        if (it != snapshot.Colors.end() && it->second != color.swatch->Color)
            color.apply(state, it->second);
    }
    for (int k = 0; k < kSnapshotSlots; ++k) {
        const SlotFile& want = snapshot.Files[k];
        std::string& path = SlotPathRef(state, k);
        const SlotFile onDisk = Stamp(want.Path);
        if (path == want.Path && onDisk.SameAs(want)) continue;
        if (!onDisk.SameAs(want) && want.Bytes) {
            try {
                WriteFileAtomically(want.Path, *want.Bytes);
            } catch (const std::exception& e) {
                state.Port().ShowMessage(MessageKind::Error, e.what(), "", MessageButtons::Ok);
                continue;
            }
        }
        path = want.Path;
        if (FileExists(path)) ReloadSlot(state, k);
    }
    SelectCover(state, state.Cover.Entry);
}

}  // namespace tessaly
