// The "render" verb: draws a cover headless and writes the picture.
#pragma once

#include "cli/Arguments.h"

namespace tessaly::cli {

int RenderCommand(Arguments& args);
extern const char* const kRenderHelp;

}  // namespace tessaly::cli
