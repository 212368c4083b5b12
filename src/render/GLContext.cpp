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
    OpenLog();
    if (!LogFile.is_open()) return false;
    const std::string hyphens(30, '-');
    LogLine("[VENDOR]");
    LogLine(GLString(GL_VENDOR));
    LogLine(hyphens);
    LogLine("[RENDERER]");
    LogLine(GLString(GL_RENDERER));
    LogLine(hyphens);
    LogLine("[VERSION]");
    LogLine(GLString(GL_VERSION));
    LogLine(hyphens);
    LogLine("[EXTENSIONS]");
    // Each blank becomes a line end, so every extension stands on its own line.
    for (char c : GLString(GL_EXTENSIONS)) {
        if (c == ' ')
            LogLine("");
        else
            LogChar(c);
    }
    CloseLog();
    return true;
}

}  // namespace tessaly
