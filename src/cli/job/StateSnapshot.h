// StateSnapshot: the per-picture part of a started state (scene settings,
// lights, floor, cover parameters, every control's value, image paths and
// texture names), taken once after start-up and put back before each job of
// a batch, so every job starts from what a fresh `render` would have, while
// the context, the models and the cached textures stay.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/MainState.h"

namespace tessaly::cli {

struct ControlValues {
    std::string caption;
    bool visible = true;
    bool enabled = true;
    std::string picture;
    int pictureVersion = 0;
    int left = 0, top = 0, width = 0, height = 0;
    int position = 0;  // scroll bar position, check box state, combo box item
    std::uint32_t color = 0;
};

struct LightValues {
    std::array<float, 4> ambient{}, diffuse{}, specular{}, position{};
    float constantAttenuation = 1.0f;
};

// What cover options change in a model: the customizable box's scale, the
// lids' turn, the colours and textures of objects.
struct ObjectValues {
    std::uint32_t texture = 0;
    Rgba ambient{}, diffuse{};
    bool textured = false;
    float angleY = 0.0f;
};

struct ModelValues {
    float scaleX = 1.0f, scaleY = 1.0f, scaleZ = 1.0f;
    std::vector<ObjectValues> objects;
};

struct StateSnapshot {
    SceneSettings settings;
    TFloor floor;
    LightValues mainLight, ambientLight;
    bool showAxes = false;
    int trackBar1 = 1;
    bool checkBox2 = true;
    bool shadowCheck = true;
    CoverParameters cover;
    std::vector<ControlValues> controls;
    std::array<std::array<bool, 3>, 4> bookImageFlags{};
    int currentBook = 1;
    std::array<GLuint, 3> imageTextures{};
    std::array<std::string, 3> imagePaths;
    std::array<std::array<GLuint, 3>, 4> bookTextures{};
    std::array<std::array<std::string, 3>, 4> bookPaths;
    std::string floorPath;
    std::vector<ModelValues> models;  // catalogue entries 1..Count
};

StateSnapshot TakeSnapshot(MainState& state);
// Puts the values back without running any change handler; the texture
// names are put back as they were (the caller owns any others).
void RestoreSnapshot(MainState& state, const StateSnapshot& snapshot);

}  // namespace tessaly::cli
