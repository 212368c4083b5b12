#include "app/images/DroppedFiles.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "app/images/ImageSlots.h"
#include "core/model/CoverTypes.h"
#include "render/ViewGeometry.h"

namespace tessaly {

namespace {

// The picture types the Select dialog lists.
constexpr std::array<std::string_view, 17> kPictureExtensions = {
    ".bmp", ".jpg", ".jpeg", ".png", ".tga", ".tif", ".tiff", ".ico", ".pcx",
    ".sgi", ".pnm", ".ppm",  ".pgm", ".pbm", ".pcd", ".wmf",  ".eps"};

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return ext;
}

}  // namespace

DroppedKind ClassifyDroppedFile(const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".eco") return DroppedKind::Project;
    if (ext == ".tem") return DroppedKind::Template;
    if (std::find(kPictureExtensions.begin(), kPictureExtensions.end(), ext) !=
        kPictureExtensions.end())
        return DroppedKind::Picture;
    return DroppedKind::Unknown;
}

std::optional<DropSlot> SlotForObject(MainState& state, const std::string& name) {
    const TModelItem* item = state.CurrentEntry();
    if (!item || name.empty()) return std::nullopt;
    const auto faces = FaceObjects(item->Id);
    for (int i = 0; i < 3; ++i)
        if (!faces[i].empty() && faces[i] == name) return DropSlot{i + 1, 0, 0};
    // The books of a box of books: Front01, Back01, Side01 ... for each book.
    const CoverType* type = FindCoverType(item->Id);
    const int books = type ? type->Books : 0;
    static const char* const kBookParts[3] = {"Front", "Back", "Side"};
    for (int b = 1; b <= books; ++b)
        for (int i = 1; i <= 3; ++i)
            if (name == std::string(kBookParts[i - 1]) + "0" + std::to_string(b))
                return DropSlot{0, b, i};
    return std::nullopt;
}

std::optional<DropSlot> SlotAtPanel(MainState& state, float x, float y, int width, int height) {
    const TmodelEMO* model = state.CurrentModel();
    if (!model) return std::nullopt;
    const CoverProjection projection(state.Session.TheScene.Settings, *model, width, height);
    const auto name = projection.ObjectAt(x, y);
    if (!name) return std::nullopt;
    return SlotForObject(state, *name);
}

void LoadDroppedPicture(MainState& state, const DropSlot& slot, const std::string& path) {
    if (slot.Book > 0)
        SelectBookImage(state, slot.Book, slot.Image, path);
    else
        SelectSlotImage(state, slot.Face, path);
}

}  // namespace tessaly
