// The "thumbnail" verb: a small picture of a project's (or template's) cover
// for file managers, made through the same opening path as "render" and
// "state". It trusts nothing about its input: the file is recognised by its
// magic bytes, not its name, and any error shown while opening it fails the
// command with no picture written.
#pragma once

#include "cli/Arguments.h"

namespace tessaly::cli {

int ThumbnailCommand(Arguments& args);
extern const char* const kThumbnailHelp;

}  // namespace tessaly::cli
