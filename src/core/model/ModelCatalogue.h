// ModelCatalogue: the covers the program offers, read once at start-up from
// "Tsym/models.ini" with one loaded model per entry, and the display names
// that fill the models combo box. Entries are indexed from 1.
//
// The catalogue file is plain text (LF or CR LF line ends). Its first line
// holds the number of entries; each entry then takes 12 lines: a separator
// beginning with "-", the cover type identifier, the model file name
// (relative to "Tsym"), and for each of the three image groups a caption, a
// visibility line (shown when it begins with "+") and a size line holding the
// thumbnail's width and height. Text after the count and after the two sizes
// is ignored.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/EmoModel.h"

namespace tessaly {

inline constexpr int kMaxCatalogueEntries = 20;
// Thumbnail sizes above this are refused (the thumbnails sit in groups about
// 140 pixels high; the optimal-size labels multiply them by up to 8).
inline constexpr std::int32_t kMaxThumbSize = 10000;

// A catalogue that cannot be read: the file is missing, a number or a model
// path is bad, a model cannot be loaded, an entry is cut short, or nothing
// usable is in it. The message names the file and, where there is one, the
// line.
class CatalogueError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One catalogue entry.
struct TModelItem {
    std::string Id;  // cover type identifier, such as "stdbox"
    TmodelEMO Model;
    std::string Caption1, Caption2, Caption3;
    bool Visible1 = false, Visible2 = false, Visible3 = false;
    std::int32_t ThumbWidth1 = 0, ThumbHeight1 = 0;
    std::int32_t ThumbWidth2 = 0, ThumbHeight2 = 0;
    std::int32_t ThumbWidth3 = 0, ThumbHeight3 = 0;
};

// Loads the model named by an entry into `model`. `fileName` is relative to
// the "Tsym" folder, uses "/" as separator and has been checked not to leave
// that folder. Errors are thrown (FileError, ModelFormatError, ...).
using CatalogueModelLoader = std::function<void(const std::string& fileName, TmodelEMO& model)>;

// The combo box text of a cover type identifier (the language engine's
// message for it). An empty function uses the identifier itself.
using DisplayNameSource = std::function<std::string(const std::string& id)>;

class ModelCatalogue {
  public:
    // Entries 1..Count are filled; the rest stay empty.
    std::array<TModelItem, kMaxCatalogueEntries> Items;
    std::int32_t Count = 0;
    // One combo box item per entry, in entry order.
    std::vector<std::string> DisplayNames;
    // Texts the caller shows the user once loading is done (a count above 20).
    std::vector<std::string> Warnings;
    // The reading stopped at a separator line not beginning with "-" before
    // the announced count was reached (the combo box is then left without a
    // selection).
    bool EndedEarly = false;

    // Entry `index` (1..20); throws std::out_of_range otherwise.
    TModelItem& Item(int index);
    const TModelItem& Item(int index) const;

    // The last of entries 1..Count whose identifier equals `id` exactly; 1
    // when there is none.
    int FindEntry(std::string_view id) const;
    // The entry for a cover type code of a project or template: FindEntry of
    // the code's identifier for 1 to 13, 1 for 0 and for 14 to 255.
    int EntryForCode(std::uint8_t code) const;

    // Rebuilds DisplayNames from the entries (after a language change).
    void RefreshDisplayNames(const DisplayNameSource& displayName);

    // Empties the catalogue.
    void Clear();
};

// Reads catalogue text into `catalogue` (emptied first). `sourceName` names
// the text in errors and warnings. On a CatalogueError the entries completed
// before the fault stay, with Count and DisplayNames matching them.
void ParseModelCatalogue(ModelCatalogue& catalogue, std::string_view text,
                         const std::string& sourceName, const CatalogueModelLoader& loadModel,
                         const DisplayNameSource& displayName);

// Reads programFolder + "Tsym/models.ini" and loads each model with
// TmodelEMO::LoadFromFile(programFolder + "Tsym/" + file, textureLoader).
// `programFolder` ends in "/". Throws CatalogueError as ParseModelCatalogue
// does, and when the file cannot be read.
void LoadModelCatalogue(ModelCatalogue& catalogue, const std::string& programFolder,
                        const TextureLoader& textureLoader, const DisplayNameSource& displayName);

}  // namespace tessaly
