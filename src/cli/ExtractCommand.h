// The "extract" verb: writes the images embedded in a project into a folder.
#pragma once

#include "cli/Arguments.h"

namespace tessaly::cli {

int ExtractCommand(Arguments& args);
extern const char* const kExtractHelp;

}  // namespace tessaly::cli
