#include "render/studio/StudioResources.h"

#include <array>
#include <memory>
#include <vector>

#include "render/Scene.h"

namespace tessaly {

namespace {

// The floor: its colour (times its picture), darkened by the shade, fading
// into the background with the distance from the cover's place, the two
// mixed in linear light (the square standing for the sRGB curve: close to
// it, and far cheaper per pixel of this large quad than a power). The fade is
// computed per pixel from the world position, so it does not depend on the
// camera and no edge of the floor quad ever shows.
constexpr const char* kFloorVertex = R"(#version 120
varying vec2 vWorld;
varying vec2 vTex;
void main() {
    vWorld = gl_Vertex.xz;
    vTex = gl_MultiTexCoord0.xy;
    gl_Position = ftransform();
}
)";

constexpr const char* kFloorFragment = R"(#version 120
uniform sampler2D uTexture;
uniform float uTextured;
uniform vec3 uFloor;
uniform vec3 uBackground;
uniform float uShade;
uniform float uAlpha;
uniform vec2 uFade;
varying vec2 vWorld;
varying vec2 vTex;
void main() {
    vec3 c = uFloor * uShade;
    if (uTextured > 0.5) c *= texture2D(uTexture, vTex).rgb;
    float f = smoothstep(uFade.x, uFade.y, length(vWorld));
    vec3 faded = mix(c * c, uBackground * uBackground, f);
    gl_FragColor = vec4(sqrt(faded), mix(uAlpha, 1.0, f));
}
)";

// The cover, lit per pixel and in linear light. Its colour is what the
// classic look shows on a face turned to the light (the fixed-function
// lights' ambient and diffuse terms with the object's material, clamped,
// times the artwork); the studio look lights that colour with a soft
// ambient share (raised by the ambient slider) and the main light's diffuse
// share, in linear light, so faces turned away are shaded as a lit room
// shades them. Gloss is added after, so it stays white whatever the artwork
// (or takes the object's colour, for metal): a highlight of the main light
// taken as a lamp at its place (so a flat face shows a spot where the lamp
// mirrors in it, not one even tint), and the reflections of two large soft
// white panels: one over the set, mirrored in faces turned up, and a card in
// front of it, mirrored in faces turned to the viewer. Faces seen from
// behind are lit as their front. Linear light is taken as the square of the
// stored value, as for the floor and the passes' average: close to the sRGB
// curve, where a power per channel cost the studio frame a tenth of its time
// on a software rasteriser.
constexpr const char* kCoverVertex = R"(#version 120
varying vec3 vNormal;
varying vec3 vEye;
varying vec2 vTex;
void main() {
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    vEye = eye.xyz;
    vNormal = gl_NormalMatrix * gl_Normal;
    vTex = gl_MultiTexCoord0.xy;
    gl_Position = ftransform();
}
)";

constexpr const char* kCoverFragment = R"(#version 120
uniform sampler2D uTexture;
uniform float uTextured;
uniform float uGloss;
uniform float uShininess;
uniform float uMetal;
uniform float uOpacity;
uniform float uAmbient;
uniform vec3 uUp;
uniform vec3 uLamp;
varying vec3 vNormal;
varying vec3 vEye;
varying vec2 vTex;
vec3 ToLinear(vec3 c) { return c * c; }
vec3 ToSrgb(vec3 c) { return sqrt(c); }
const float kPanel = 0.6;  // the panels' brightness, in linear light
void main() {
    vec3 n = normalize(vNormal);
    vec3 v = normalize(-vEye);
    if (dot(n, v) < 0.0) n = -n;
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    vec3 light = gl_LightSource[0].diffuse.rgb;
    vec3 faceOn = gl_FrontMaterial.ambient.rgb *
        (gl_LightModel.ambient.rgb + gl_LightSource[0].ambient.rgb) +
        gl_FrontMaterial.diffuse.rgb * light;
    vec4 tex = uTextured > 0.5 ? texture2D(uTexture, vTex) : vec4(1.0);
    vec3 albedo = ToLinear(min(faceOn, vec3(1.0)) * tex.rgb);
    float ndl = max(dot(n, l), 0.0);
    vec3 lightLinear = ToLinear(light);
    vec3 colour = albedo * lightLinear * (uAmbient + (1.0 - uAmbient) * ndl);

    vec3 lamp = normalize(uLamp - vEye);
    vec3 h = normalize(lamp + v);
    float highlight = pow(max(dot(n, h), 0.0), uShininess) * step(0.0, dot(n, lamp));
    vec3 r = reflect(-v, n);
    float fresnel = 0.04 + 0.96 * pow(1.0 - max(dot(n, v), 0.0), 5.0);
    float up = dot(r, normalize(uUp));
    float overhead = smoothstep(-0.2, 0.9, up);
    // The card: in front of the set, from below the camera to a little
    // above it, brightest to the left, so a face turned to the viewer
    // carries a soft diagonal band of sheen.
    float card = smoothstep(0.3, 0.9, r.z) * smoothstep(-0.8, -0.4, up) *
        (1.0 - smoothstep(0.0, 0.35, up)) * smoothstep(0.35, -0.45, r.x + 0.5 * up);
    float studio = max(overhead, card) * (0.35 + 0.65 * fresnel);
    vec3 tint = mix(vec3(1.0), albedo, uMetal);
    vec3 sheen = tint * uGloss * (lightLinear * 0.6 * highlight + kPanel * studio);
    gl_FragColor = vec4(ToSrgb(min(colour + sheen, vec3(1.0))),
                        gl_FrontMaterial.diffuse.a * tex.a *
                            mix(uOpacity, 1.0, min(1.0, highlight + studio)));
}
)";

// A shadow sample drawn in one colour over the pixels it covers on the
// floor, times the floor's picture there (found from the world position;
// the picture is on texture unit 2, as the model binds its own on unit 0).
// Only the covered pixels are filled, not the whole floor.
constexpr const char* kShadowVertex = R"(#version 120
uniform mat4 uViewInverse;
varying vec2 vWorld;
void main() {
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    gl_ClipVertex = eye;
    vWorld = (uViewInverse * eye).xz;
    gl_Position = ftransform();
}
)";

constexpr const char* kShadowFragment = R"(#version 120
uniform sampler2D uTexture;
uniform float uTextured;
uniform float uTexScale;
uniform vec3 uColour;
varying vec2 vWorld;
void main() {
    vec3 c = uColour;
    if (uTextured > 0.5) c *= texture2D(uTexture, vWorld * uTexScale).rgb;
    gl_FragColor = vec4(c, 1.0);
}
)";

GLuint CompileShader(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    if (shader == 0) return 0;
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint LinkProgram(const char* vertex, const char* fragment) {
    const GLuint vs = CompileShader(GL_VERTEX_SHADER, vertex);
    const GLuint fs = CompileShader(GL_FRAGMENT_SHADER, fragment);
    GLuint program = 0;
    if (vs != 0 && fs != 0) {
        program = glCreateProgram();
        glAttachShader(program, vs);
        glAttachShader(program, fs);
        glLinkProgram(program);
        GLint ok = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (ok != GL_TRUE) {
            glDeleteProgram(program);
            program = 0;
        }
    }
    if (vs != 0) glDeleteShader(vs);
    if (fs != 0) glDeleteShader(fs);
    return program;
}

GLuint MakeFadeRamp() {
    constexpr int kWidth = 256;
    std::vector<std::uint8_t> texels(4 * kWidth);
    for (int i = 0; i < kWidth; ++i) {
        const float t = static_cast<float>(i) / (kWidth - 1);
        const float smooth = t * t * (3.0f - 2.0f * t);
        texels[4 * i + 0] = texels[4 * i + 1] = texels[4 * i + 2] = 255;
        texels[4 * i + 3] = static_cast<std::uint8_t>((1.0f - smooth) * 255.0f + 0.5f);
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kWidth, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

}  // namespace

StudioResources& EnsureStudioResources(Scene& scene) {
    if (!scene.Studio) {
        auto res = std::make_shared<StudioResources>();
        res->FloorProgram = LinkProgram(kFloorVertex, kFloorFragment);
        if (res->FloorProgram != 0) {
            const GLuint p = res->FloorProgram;
            res->UTexture = glGetUniformLocation(p, "uTexture");
            res->UTextured = glGetUniformLocation(p, "uTextured");
            res->UFloor = glGetUniformLocation(p, "uFloor");
            res->UBackground = glGetUniformLocation(p, "uBackground");
            res->UShade = glGetUniformLocation(p, "uShade");
            res->UAlpha = glGetUniformLocation(p, "uAlpha");
            res->UFade = glGetUniformLocation(p, "uFade");
        }
        res->CoverProgram = LinkProgram(kCoverVertex, kCoverFragment);
        if (res->CoverProgram != 0) {
            const GLuint p = res->CoverProgram;
            res->UCoverTexture = glGetUniformLocation(p, "uTexture");
            res->UCoverTextured = glGetUniformLocation(p, "uTextured");
            res->UGloss = glGetUniformLocation(p, "uGloss");
            res->UShininess = glGetUniformLocation(p, "uShininess");
            res->UMetal = glGetUniformLocation(p, "uMetal");
            res->UOpacity = glGetUniformLocation(p, "uOpacity");
            res->UUp = glGetUniformLocation(p, "uUp");
            res->UAmbient = glGetUniformLocation(p, "uAmbient");
            res->ULamp = glGetUniformLocation(p, "uLamp");
        }
        res->ShadowProgram = LinkProgram(kShadowVertex, kShadowFragment);
        if (res->ShadowProgram != 0) {
            const GLuint p = res->ShadowProgram;
            res->UShadowViewInverse = glGetUniformLocation(p, "uViewInverse");
            res->UShadowTexture = glGetUniformLocation(p, "uTexture");
            res->UShadowTextured = glGetUniformLocation(p, "uTextured");
            res->UShadowTexScale = glGetUniformLocation(p, "uTexScale");
            res->UShadowColour = glGetUniformLocation(p, "uColour");
        }
        res->FadeRamp = MakeFadeRamp();
        scene.Studio = std::move(res);
    }
    return *scene.Studio;
}

}  // namespace tessaly
