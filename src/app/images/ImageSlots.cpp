#include "app/images/ImageSlots.h"

#include <filesystem>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "app/project/CoverProject.h"
#include "core/images/PictureReader.h"
#include "core/io/FileIO.h"
#include "render/Textures.h"

namespace tessaly {

namespace {

// Reads `path` for a slot; shows "cli" when it cannot be read.
bool ReadSlotPicture(MainState& state, const std::string& path, RgbaImage& picture) {
    try {
        picture = ReadPicture(path, kMaxTextureSide);
        return true;
    } catch (const std::exception&) {
        ShowMessageKey(state, "cli");
        return false;
    }
}

// Replaces `texture` by one made from the picture at `path`; "cli" when the
// picture cannot be read.
bool ReplaceFromPicture(MainState& state, const std::string& path, GLuint& texture) {
    if (!state.Session.ReplaceSlotTexture(path, texture)) return true;
    ShowMessageKey(state, "cli");
    return false;
}

GLuint& SlotTexture(MainState& state, int slot) {
    RenderSession& session = state.Session;
    return slot == kFloorSlot ? session.TheScene.Floor.Texture : session.ImageTextures.at(slot - 1);
}

Control& SlotThumbnail(MainState& state, int slot) {
    return slot == kFloorSlot ? state.Controls.Background : state.Controls.Image(slot);
}

std::string SlotName(int slot) {
    return slot == kFloorSlot ? "Floor" : "Image" + std::to_string(slot);
}

std::string BookName(int b, int i) {
    return "Book" + std::to_string(b) + "Image" + std::to_string(i);
}

}  // namespace

std::string MakeWorkingCopy(const std::string& imagesFolder, const std::string& name,
                            const std::string& chosen) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(imagesFolder, ec);
    const std::string target = imagesFolder + name + fs::path(chosen).extension().string();
    if (!fs::equivalent(chosen, target, ec))
        fs::copy_file(chosen, target, fs::copy_options::overwrite_existing, ec);
    return target;
}

std::string SlotPath(const MainState& state, int slot) {
    const RenderSession& session = state.Session;
    return slot == kFloorSlot ? session.FloorPath : session.ImagePaths.at(slot - 1);
}

void SelectSlotImage(MainState& state, int slot, const std::string& chosen) {
    RenderSession& session = state.Session;
    MainControls& c = state.Controls;
    c.EditButton(slot).SetEnabled(true);
    c.RefreshButton(slot).SetEnabled(true);
    const std::string path = MakeWorkingCopy(session.ImagesFolder, SlotName(slot), chosen);
    // The floor's picture comes from the chosen file itself, the faces' from
    // their working copies.
    const std::string source = slot == kFloorSlot ? chosen : path;
    if (slot == kFloorSlot)
        session.FloorPath = path;
    else
        session.ImagePaths.at(slot - 1) = path;
    SlotThumbnail(state, slot).SetPicture(source);
    ReplaceFromPicture(state, source, SlotTexture(state, slot));
    state.Cover.Modified = true;
    if (slot != kFloorSlot) SelectCover(state, state.Cover.Entry);
}

void RefreshSlotImage(MainState& state, int slot) {
    const std::string path = SlotPath(state, slot);
    SlotThumbnail(state, slot).SetPicture(path);
    if (slot == kFloorSlot) {
        RgbaImage picture;
        if (ReadSlotPicture(state, path, picture) && FileExists(path)) {
            GLuint fresh = 0;
            if (TextureFromFile(path, fresh, state.Port()) && fresh != 0) {
                ReleaseTexture(SlotTexture(state, slot));
                SlotTexture(state, slot) = fresh;
            }
        }
    } else {
        ReplaceFromPicture(state, path, SlotTexture(state, slot));
        SelectCover(state, state.Cover.Entry);
    }
    state.Cover.Modified = true;
}

void SelectBookImage(MainState& state, int b, int i, const std::string& chosen) {
    RenderSession& session = state.Session;
    ShowStatusKey(state, "liat");
    const std::string path = MakeWorkingCopy(session.ImagesFolder, BookName(b, i), chosen);
    session.BookPaths.at(b - 1).at(i - 1) = path;
    state.Controls.BookImageFlags.at(b - 1).at(i - 1) = true;
    state.Controls.BookImage(b, i).SetPicture(path);
    ReplaceFromPicture(state, path, session.BookTextures.at(b - 1).at(i - 1));
    SelectCover(state, state.Cover.Entry);
    state.Cover.Modified = true;
    ShowStatusKey(state, "done");
    UpdateBookButtons(state, b);
}

void RefreshBookImage(MainState& state, int b, int i) {
    RenderSession& session = state.Session;
    ShowStatusKey(state, "riat");
    const std::string path = session.BookPaths.at(b - 1).at(i - 1);
    state.Controls.BookImage(b, i).SetPicture(path);
    ReplaceFromPicture(state, path, session.BookTextures.at(b - 1).at(i - 1));
    state.Cover.Modified = true;
    ShowStatusKey(state, "done");
    SelectCover(state, state.Cover.Entry);
}

void UpdateBookButtons(MainState& state, int b) {
    MainControls& c = state.Controls;
    for (int i = 1; i <= 3; ++i) {
        const bool own = c.BookImageFlags.at(b - 1).at(i - 1);
        c.BookEditButton(i).SetEnabled(own);
        c.BookRefreshButton(i).SetEnabled(own);
    }
}

void SelectBook(MainState& state, int b) {
    state.Controls.CurrentBook = b;
    UpdateBookButtons(state, b);
}

void EnableSlotsAfterOpening(MainState& state, const std::string& coverId) {
    MainControls& c = state.Controls;
    int books = -1;
    if (coverId == "2bookbox") books = 2;
    if (coverId == "3bookbox" || coverId == "4bookbox") books = 4;
    if (books >= 0)
        for (int b = 0; b < 4; ++b) c.BookImageFlags[b].fill(b < books);
    for (int slot = 1; slot <= kFloorSlot; ++slot) {
        c.EditButton(slot).SetEnabled(true);
        c.RefreshButton(slot).SetEnabled(true);
    }
    UpdateBookButtons(state, c.CurrentBook);
}

}  // namespace tessaly
