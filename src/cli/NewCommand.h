// The "new" verb: makes a new cover of a type, as "New ..." does, with the
// given images and scene, and writes it as a project or a template.
#pragma once

#include "cli/Arguments.h"

namespace tessaly::cli {

int NewCommand(Arguments& args);
extern const char* const kNewHelp;

}  // namespace tessaly::cli
