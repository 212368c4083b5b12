// The "inspect" verb: describes a file as JSON.
#pragma once

#include "cli/Arguments.h"

namespace tessaly::cli {

int InspectCommand(Arguments& args);
extern const char* const kInspectHelp;

}  // namespace tessaly::cli
