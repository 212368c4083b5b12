// The language tessaly-cli speaks: the language file the settings name, as
// the window uses it, so that messages (on stderr and in "state") carry their
// texts, not their keys. English when the settings name none or a file that
// is not there.
#pragma once

#include <string>

#include "core/paths/FileLocations.h"

namespace tessaly::cli {

// The full path of the language file to use; empty when not even English is
// there (messages then show their keys).
std::string CliLanguageFile(const FileLocations& files);

}  // namespace tessaly::cli
