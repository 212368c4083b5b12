#include "render/GLCheck.h"

#include <stdexcept>
#include <cstdio>
#include <string>

namespace tessaly {

void CheckGLError(const char* where) {
    GLenum first = glGetError();
    if (first == GL_NO_ERROR) return;
    while (glGetError() != GL_NO_ERROR) {
    }
    throw std::logic_error(std::string("OpenGL error 0x") + [&] {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%04X", first);
        return std::string(buf);
    }() + " at " + where);
}

}  // namespace tessaly
