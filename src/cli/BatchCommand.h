// The "batch" verb: renders every job of a manifest in one process.
#pragma once

#include "cli/Arguments.h"

namespace tessaly::cli {

int BatchCommand(Arguments& args);
extern const char* const kBatchHelp;

}  // namespace tessaly::cli
