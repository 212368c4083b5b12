// ProgramFolder: the folder of the program's shipped data, always ending in
// "/": the executable's own folder in the portable layout, share/tessaly/ in
// the installed one. Where every other file lies is FindFileLocations's to say
// (core/paths/FileLocations.h).
#pragma once

#include <string>

namespace tessaly {

// FindFileLocations().Data: TESSALY_PROGRAM_FOLDER in the environment
// forces a portable folder (tests and portable copies use that).
std::string ProgramFolder();

}  // namespace tessaly
