// The "state" verb: the whole state after start-up and opening a project or
// template, as JSON.
#pragma once

#include <ostream>

#include "cli/Arguments.h"
#include "cli/ProjectSession.h"

namespace tessaly::cli {

int StateCommand(Arguments& args);
extern const char* const kStateHelp;

// Writes the state JSON of a session (image paths relative to the images or
// program folder, so the output does not depend on where they lie).
void WriteStateJson(ProjectSession& session, std::ostream& out);

}  // namespace tessaly::cli
