// One place that pulls in the OpenGL headers with the entry points of
// OpenGL 3.0 (framebuffer objects) declared, as GLVND's libOpenGL exports them.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
