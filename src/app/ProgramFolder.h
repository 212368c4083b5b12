// ProgramFolder: the folder of the running executable, always ending in "/".
// Every file the program ships (models, data, languages, settings) is reached
// through it.
#pragma once

#include <string>

namespace tessaly {

// The folder of the running executable; TESSALY_PROGRAM_FOLDER in the
// environment overrides it (tests and portable installs use that).
std::string ProgramFolder();

}  // namespace tessaly
