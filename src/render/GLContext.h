// TGLContext: the program's one OpenGL rendering context and the small
// operations around it (viewport and default projection, default state,
// clearing, presenting, and the driver capabilities log).
//
// The platform part (making a context, the framebuffer frames are drawn into,
// presenting) is virtual: EglContext renders headless into a framebuffer
// object; the window hosts the same drawing in its own GL widget. Every frame
// is drawn into a framebuffer object in both, so pictures are identical.
#pragma once

#include <fstream>
#include <string>

#include "render/GL.h"

namespace tessaly {

class UserPort;

class TGLContext {
public:
    virtual ~TGLContext() = default;

    // Makes a context of the given size current. On failure shows "Error -
    // Could not set pixel format" (caption "SetPixelFormat") and returns false.
    virtual bool CreateContext(int width, int height, UserPort& port) = 0;
    // The framebuffer a frame ends up in (the widget's, or our offscreen one).
    virtual GLuint TargetFramebuffer() const = 0;
    // Shows the finished frame; headless this does nothing.
    virtual void Present() {}
    // Makes the target framebuffer at least width x height (capture at a
    // chosen size); the window's widget framebuffer cannot grow, the offscreen
    // one can.
    virtual bool EnsureTargetSize(int width, int height) { return true; }

    void Reshape(int width, int height);
    void InitState();
    void ResetModelview();
    void ClearBuffers();
    void SetClearColor(float red, float green, float blue, float alpha);

    void SetLogName(const std::string& path) { LogName = path; }
    void OpenLog();
    void LogLine(const std::string& text);
    void LogChar(char c);
    void CloseLog();
    // Writes the "[VENDOR]" ... "[EXTENSIONS]" log to LogName. A log that
    // cannot be created is skipped: the set-up never depends on it.
    bool WriteCapabilitiesLog();
    // The same log from the given driver strings (what glGetString returns).
    bool WriteCapabilitiesLog(const std::string& vendor, const std::string& renderer,
                              const std::string& version, const std::string& extensions);

    std::string LogName;

protected:
    std::ofstream LogFile;
};

// Text of glGetString, "" when there is no context or no value.
std::string GLString(GLenum name);

}  // namespace tessaly
