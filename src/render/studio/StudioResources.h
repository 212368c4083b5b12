// StudioResources: the GL objects the studio look draws with, made once per
// context on its first frame: the floor's shader program and the ramp
// texture the reflection fades by. They are never deleted one by one; the
// context takes them with it.
#pragma once

#include "render/GL.h"

namespace tessaly {

struct Scene;

struct StudioResources {
    GLuint FloorProgram = 0;  // 0 when the driver has no usable GLSL
    GLint UTexture = -1, UTextured = -1, UFloor = -1, UBackground = -1, UShade = -1, UAlpha = -1,
          UFade = -1;
    GLuint CoverProgram = 0;  // 0 when the driver has no usable GLSL
    GLint UCoverTexture = -1, UCoverTextured = -1, UGloss = -1, UShininess = -1, UMetal = -1,
          UOpacity = -1, UUp = -1, UAmbient = -1, ULamp = -1;
    GLuint ShadowProgram = 0;  // 0 when the driver has no usable GLSL
    GLint UShadowViewInverse = -1, UShadowTexture = -1, UShadowTextured = -1, UShadowTexScale = -1,
          UShadowColour = -1;
    GLuint FadeRamp = 0;  // 256 x 1, alpha 1 at the left falling smoothly to 0
};

StudioResources& EnsureStudioResources(Scene& scene);

}  // namespace tessaly
