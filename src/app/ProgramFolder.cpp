#include "app/ProgramFolder.h"

#include "core/paths/FileLocations.h"

namespace tessaly {

std::string ProgramFolder() {
    return FindFileLocations().Data;
}

}  // namespace tessaly
