#include "render/GLContext.h"

namespace tessaly {

void TGLContext::Reshape(int width, int height) {
    glViewport(0, 0, width, height);
    float aspect = 1.0f;
    if (width > 0 && height > 0) aspect = static_cast<float>(width) / static_cast<float>(height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, aspect, 0.1, 2000.0);
    ResetModelview();
}

void TGLContext::InitState() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void TGLContext::ResetModelview() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void TGLContext::ClearBuffers() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

void TGLContext::SetClearColor(float red, float green, float blue, float alpha) {
    glClearColor(red, green, blue, alpha);
}

void TGLContext::OpenLog() {
    if (LogFile.is_open()) LogFile.close();
    LogFile.clear();
    LogFile.open(LogName, std::ios::binary | std::ios::trunc);
}

void TGLContext::LogLine(const std::string& text) {
    if (LogFile.is_open()) LogFile << text << "\r\n";
}

void TGLContext::LogChar(char c) {
    if (LogFile.is_open()) LogFile.put(c);
}

void TGLContext::CloseLog() {
    if (LogFile.is_open()) LogFile.close();
}

std::string GLString(GLenum name) {
    const GLubyte* s = glGetString(name);
    return s ? reinterpret_cast<const char*>(s) : std::string();
}

bool TGLContext::WriteCapabilitiesLog() {
    return WriteCapabilitiesLog(GLString(GL_VENDOR), GLString(GL_RENDERER), GLString(GL_VERSION),
                                GLString(GL_EXTENSIONS));
}

bool TGLContext::WriteCapabilitiesLog(const std::string& vendor, const std::string& renderer,
                                      const std::string& version, const std::string& extensions) {
    OpenLog();
    if (!LogFile.is_open()) return false;
    const std::string hyphens(30, '-');
    LogLine("[VENDOR]");
    LogLine(vendor);
    LogLine(hyphens);
    LogLine("[RENDERER]");
    LogLine(renderer);
    LogLine(hyphens);
    LogLine("[VERSION]");
    LogLine(version);
    LogLine(hyphens);
    LogLine("[EXTENSIONS]");
    // Each blank becomes a line end, so every extension stands on its own line.
    for (char c : extensions) {
        if (c == ' ')
            LogLine("");
        else
            LogChar(c);
    }
    CloseLog();
    return true;
}

}  // namespace tessaly
