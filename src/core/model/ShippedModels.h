// ShippedModels: the cover models the program ships in "Tsym", in catalogue
// order, each with its model builder and the three image groups the
// catalogue file lists for it (caption, shown or hidden, thumbnail size).
// WriteShippedModels writes the model files, the page texture they name and
// the catalogue file "models.ini" into a folder; the build runs it.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/model/EmoModel.h"

namespace tessaly {

struct ShippedGroup {
    std::string Caption;
    bool Visible = true;
    int ThumbWidth = 0;  // the optimal image is 4 times this
    int ThumbHeight = 0;
    // The objects that show this group's image (empty: none).
    std::vector<std::string> Objects;
};

struct ShippedModel {
    std::string Id;    // cover type identifier
    std::string File;  // model file name in "Tsym"
    std::array<ShippedGroup, 3> Groups;
    TmodelEMO (*Build)();
};

// The thumbnail size, at most `fit` pixels a side, of a face of the given
// proportions (any unit).
std::array<int, 2> ThumbnailFor(float width, float height, int fit = 125);

// The fifteen shipped covers in catalogue order (the first is shown at start).
const std::vector<ShippedModel>& ShippedModels();

// The catalogue file's text: the entry count, then 12 lines an entry.
std::string ModelsIniText(const std::vector<ShippedModel>& models);

// Writes every model file, "pages.jpg" and "models.ini" into `folder`
// (created when missing), each file atomically.
void WriteShippedModels(const std::filesystem::path& folder);

}  // namespace tessaly
