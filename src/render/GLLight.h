// TGLLight: one fixed-function OpenGL light mirrored in memory, so its values
// can be read back and re-sent each frame, and a yellow marker sphere drawn at
// its position.
#pragma once

#include <array>

#include "render/GL.h"

namespace tessaly {

class TGLLight {
public:
    TGLLight() = default;
    ~TGLLight();
    TGLLight(const TGLLight&) = delete;
    TGLLight& operator=(const TGLLight&) = delete;

    void Init(GLenum id);
    void Enable();
    void Disable();
    void SetAmbient(float r, float g, float b, float a);
    void SetDiffuse(float r, float g, float b, float a);
    void SetSpecular(float r, float g, float b, float a);
    void SetPosition(float x, float y, float z, float w);
    // Sends the stored position with W forced to 0: always a directional light.
    void ApplyPosition();
    void SetConstantAttenuation(float value);
    void SetX(float v) { Position[0] = v; }
    void SetY(float v) { Position[1] = v; }
    void SetZ(float v) { Position[2] = v; }
    float GetX() const { return Position[0]; }
    float GetY() const { return Position[1]; }
    float GetZ() const { return Position[2]; }
    float GetW() const { return Position[3]; }
    void DrawMarker(float radius);

    GLenum Id = GL_LIGHT0;
    std::array<float, 4> Ambient{0, 0, 0, 1};
    std::array<float, 4> Diffuse{0, 0, 0, 1};
    std::array<float, 4> Specular{0, 0, 0, 1};
    std::array<float, 4> Position{0, 0, 1, 0};
    float ConstantAttenuation = 1.0f;
    GLUquadric* Quadric = nullptr;
};

}  // namespace tessaly
