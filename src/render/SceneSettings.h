// SceneSettings and TFloor: every camera, cover-position, light, shadow,
// reflection, colour and antialiasing value of the scene, and the floor plane.
// Plain data: the controls write it, the renderer reads it.
#pragma once

#include <array>
#include <cstdint>

#include "render/GL.h"

namespace tessaly {

using Rgb = std::array<float, 3>;

// A 24-bit colour with red in the low byte, green next and blue in the third.
using Color24 = std::uint32_t;

inline Rgb ColorToFloats(Color24 color) {
    return {static_cast<float>(color & 0xFF) / 255.0f,
            static_cast<float>((color >> 8) & 0xFF) / 255.0f,
            static_cast<float>((color >> 16) & 0xFF) / 255.0f};
}

inline constexpr float DistanceScale = 20.0f;

struct SceneSettings {
    float Distance = 5.0f;
    float MinDistance = 3.5f;
    float MaxDistance = 25.0f;
    float CameraRotate = 0.0f;
    float CameraLift = 0.0f;
    float Elevation = 0.0f;
    float Strafe = 0.0f;
    float FrontBack = 0.0f;
    int FieldOfView = 45;
    float CoverRotate = 0.0f;
    float CoverRollZ = 0.0f;
    float CoverRollX = 0.0f;
    float CoverLift = 0.0f;
    float AmbientLevel = 0.0f;
    float ShadowDarkness = 0.1f;
    float FloorOpacity = 1.0f;
    bool DrawShadow = true;
    bool DrawLightSource = true;
    Rgb BackgroundColor{1.0f, 1.0f, 1.0f};
    Rgb LightColor{1.0f, 1.0f, 1.0f};
    float FloorHeight = 0.0f;
    int AAPasses = 1;
};

struct TFloor {
    bool Visible = true;
    GLuint Texture = 0;
    float TextureRepeat = 2.5f;
    float HalfSize = 25.0f;
    bool Textured = true;
    Rgb Color{1.0f, 1.0f, 1.0f};

    void InitFloor() {
        Textured = false;
        Color = {1.0f, 1.0f, 1.0f};
        Visible = true;
        SetRepeat(5.0f);
        SetSize(50.0f);
    }
    void SetRepeat(float value) { TextureRepeat = value / 2.0f; }
    void SetSize(float value) { HalfSize = value / 2.0f; }
};

}  // namespace tessaly
