// The "render" verb: draws a cover headless and writes the picture.
#pragma once

#include <string>

#include "cli/Arguments.h"

namespace tessaly::cli {

// `project` is a cover project to open first (empty for none).
int RenderCommand(Arguments& args, const std::string& project = {});
extern const char* const kRenderHelp;

}  // namespace tessaly::cli
