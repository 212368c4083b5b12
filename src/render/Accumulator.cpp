#include "render/Accumulator.h"

#include <string>

namespace tessaly {

namespace {

// A cap on the targets' sides below the implementation's, set by tests.
int sideLimit = 0;

// Fixed-function vertices in, the quad's texture coordinates passed on.
const char* const kVertexShader = R"(#version 110
void main() {
    gl_Position = gl_Vertex;
    gl_TexCoord[0] = gl_MultiTexCoord0;
}
)";

// The weighted sum of up to eight passes, added in pass order as the
// blending road adds them. Unused passes have weight 0. With `linear` set
// the passes are taken as sRGB-encoded: each is made linear before it is
// added and the sum is encoded again, so the average is one of light. The
// square and the square root stand for the sRGB curve: close to it, and far
// cheaper than a power on a software rasteriser.
const char* const kFragmentShader = R"(#version 110
uniform sampler2D pass0, pass1, pass2, pass3, pass4, pass5, pass6, pass7;
uniform float weight[8];
uniform float linear;
vec4 Pass(sampler2D pass, vec2 at) {
    vec4 c = texture2D(pass, at);
    return linear > 0.5 ? vec4(c.rgb * c.rgb, c.a) : c;
}
void main() {
    vec2 at = gl_TexCoord[0].st;
    vec4 sum = Pass(pass0, at) * weight[0];
    sum += Pass(pass1, at) * weight[1];
    sum += Pass(pass2, at) * weight[2];
    sum += Pass(pass3, at) * weight[3];
    sum += Pass(pass4, at) * weight[4];
    sum += Pass(pass5, at) * weight[5];
    sum += Pass(pass6, at) * weight[6];
    sum += Pass(pass7, at) * weight[7];
    gl_FragColor = linear > 0.5 ? vec4(sqrt(sum.rgb), sum.a) : sum;
}
)";

GLuint Compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    if (!shader) return 0;
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

GLuint BuildProgram() {
    // Fragment programs came with OpenGL 2.0.
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!version || version[0] < '2' || version[0] > '9') return 0;
    const GLuint vs = Compile(GL_VERTEX_SHADER, kVertexShader);
    const GLuint fs = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
    GLuint program = 0;
    if (vs && fs) {
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
    if (vs) glDeleteShader(vs);
    if (fs) glDeleteShader(fs);
    if (program) {
        GLint previous = 0;
        glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
        glUseProgram(program);
        for (int i = 0; i < Accumulator::kMaxPasses; ++i)
            glUniform1i(glGetUniformLocation(program, ("pass" + std::to_string(i)).c_str()), i);
        glUseProgram(static_cast<GLuint>(previous));
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    return program;
}

}  // namespace

void Accumulator::LimitSide(int side) {
    sideLimit = side;
}

Accumulator::~Accumulator() {
    ReleasePassTextures();
    if (program_) glDeleteProgram(program_);
}

bool Accumulator::Prepare(int width, int height) {
    if (sideLimit > 0 && (width > sideLimit || height > sideLimit)) return false;
    if (!programTried_) {
        programTried_ = true;
        program_ = BuildProgram();
    }
    if (program_ && PreparePassTextures(width, height)) {
        pass_.Release();
        sum_.Release();
        return true;
    }
    ReleasePassTextures();
    width_ = width;
    height_ = height;
    return pass_.Ensure(width, height, GL_RGBA8, true) &&
           sum_.Ensure(width, height, GL_RGBA32F, false);
}

bool Accumulator::PreparePassTextures(int width, int height) {
    if (fbo_ && width == width_ && height == height_) return true;
    ReleasePassTextures();
    if (width < 1 || height < 1 || width > MaxRenderTargetSide() || height > MaxRenderTargetSide())
        return false;
    width_ = width;
    height_ = height;
    GLint previousTexture = 0, previousFbo = 0, previousRenderbuffer = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previousTexture);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousFbo);
    glGetIntegerv(GL_RENDERBUFFER_BINDING, &previousRenderbuffer);
    glGenTextures(kMaxPasses, passTextures_.data());
    for (GLuint texture : passTextures_) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previousTexture));
    glGenRenderbuffers(1, &depthStencil_);
    glBindRenderbuffer(GL_RENDERBUFFER, depthStencil_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(previousRenderbuffer));
    glGenFramebuffers(1, &fbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              depthStencil_);
    bool complete = true;
    for (GLuint texture : passTextures_) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
        complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFbo));
    while (glGetError() != GL_NO_ERROR) {
    }
    if (!complete) ReleasePassTextures();
    return complete;
}

void Accumulator::ReleasePassTextures() {
    if (fbo_) glDeleteFramebuffers(1, &fbo_);
    if (depthStencil_) glDeleteRenderbuffers(1, &depthStencil_);
    if (passTextures_[0]) glDeleteTextures(kMaxPasses, passTextures_.data());
    fbo_ = 0;
    depthStencil_ = 0;
    passTextures_.fill(0);
}

void Accumulator::Clear() {
    passCount_ = 0;
    weights_.fill(0.0f);
    if (fbo_) return;
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    sum_.Bind();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPopAttrib();
}

void Accumulator::BeginPass() {
    if (!fbo_) {
        pass_.Bind();
        return;
    }
    // A pass beyond the eighth is drawn over the last one.
    const int slot = passCount_ < kMaxPasses ? passCount_ : kMaxPasses - 1;
    glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                           passTextures_[static_cast<std::size_t>(slot)], 0);
}

void Accumulator::Accumulate(float weight) {
    if (fbo_) {
        if (passCount_ < kMaxPasses) weights_[static_cast<std::size_t>(passCount_++)] = weight;
        return;
    }
    sum_.Bind();
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendColor(weight, weight, weight, weight);
    glBlendFunc(GL_CONSTANT_COLOR, GL_ONE);
    glBlendEquation(GL_FUNC_ADD);
    DrawTexturedQuad(pass_.ColorTexture());
    glPopAttrib();
}

void Accumulator::Return(GLuint framebuffer) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glDisable(GL_BLEND);
    if (!fbo_) {
        DrawTexturedQuad(sum_.ColorTexture());
        glPopAttrib();
        return;
    }
    GLint previousProgram = 0, previousUnit = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &previousProgram);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &previousUnit);
    glUseProgram(program_);
    glUniform1fv(glGetUniformLocation(program_, "weight"), kMaxPasses, weights_.data());
    glUniform1f(glGetUniformLocation(program_, "linear"), linearLight_ ? 1.0f : 0.0f);
    for (int i = 1; i < kMaxPasses; ++i) {
        glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + i));
        glBindTexture(GL_TEXTURE_2D, passTextures_[static_cast<std::size_t>(i)]);
    }
    glActiveTexture(GL_TEXTURE0);
    DrawTexturedQuad(passTextures_[0]);
    for (int i = 1; i < kMaxPasses; ++i) {
        glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + i));
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glActiveTexture(static_cast<GLenum>(previousUnit));
    glUseProgram(static_cast<GLuint>(previousProgram));
    glPopAttrib();
}

void Accumulator::DrawTexturedQuad(GLuint texture) {
    // Everything the scene may have left on is saved and switched off, so the
    // quad copies texels one to one.
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT | GL_DEPTH_BUFFER_BIT |
                 GL_STENCIL_BUFFER_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_FOG);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glViewport(0, 0, width_, height_);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

}  // namespace tessaly
