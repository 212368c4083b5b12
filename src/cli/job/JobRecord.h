// JobRecord: one picture to make, described completely: the cover type and
// its options, the images, camera, cover position, light, floor, the output
// file and its size. `render` fills one from its command line and `batch`
// one from each manifest line (JobOptions.h); CheckJob completes and checks
// it before anything is drawn, and one routine applies it (JobRunner.h).
//
// An option that was not given stays empty (std::nullopt, an empty string),
// so applying a job changes only what it names and a project's or template's
// values stay otherwise.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/images/PictureDepth.h"

namespace tessaly::cli {

struct JobRecord {
    // Output.
    std::string output;
    std::string format;  // "bmp", "jpg", "jpeg", "png"; empty: from the output's extension
    PictureFileType fileType = PictureFileType::Png;  // set by CheckJob
    std::array<int, 2> size{800, 600};
    std::string printSize;  // a --size in in, mm or cm; CheckJob turns it into `size` at `dpi`
    int dpi = 0;            // 0: no resolution written
    int quality = kCaptureJpegQuality;
    bool transparent = false;
    int tileSize = 0;  // 0: the program's choice
    int passes = 8;
    int colorDepth = 24;
    std::string log;
    std::string model;

    // What is drawn.
    std::string project;
    std::string templateFile;
    std::string type = "stdbox";
    std::array<std::string, 3> images;
    std::array<std::array<std::string, 3>, 4> bookImages;

    // Cover options.
    std::optional<double> width, height, depth;
    std::optional<int> caseAngle;
    std::optional<unsigned> spineColor, spiralColor;

    // Camera.
    std::optional<double> distance, cameraRotate, cameraLift, elevation, strafe, frontBack;
    std::optional<int> fov;

    // Cover position.
    std::optional<double> coverRotate, rollX, rollZ, coverLift;

    // Light, floor and background.
    std::optional<std::array<double, 3>> light;
    std::optional<unsigned> lightColor;
    std::optional<double> ambient, reflection, shadowDarkness;
    std::optional<bool> shadow;
    std::optional<unsigned> background, floorColor;
    std::optional<bool> floorTexture;
    bool axes = false;
    bool lightMarker = false;
};

}  // namespace tessaly::cli
