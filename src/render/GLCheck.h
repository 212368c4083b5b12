// GL_CHECK: in test and debug builds, reports any OpenGL error raised by the
// calls before it, naming the place. In release builds it costs nothing.
#pragma once

#include "render/GL.h"

namespace tessaly {

// Throws std::logic_error naming `where` when glGetError reports an error.
void CheckGLError(const char* where);

}  // namespace tessaly

#if defined(TESSALY_GL_CHECK) || !defined(NDEBUG)
#define GL_CHECK(where) ::tessaly::CheckGLError(where)
#else
#define GL_CHECK(where) ((void)0)
#endif
