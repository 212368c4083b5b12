#include "core/util/Version.h"

namespace tessaly {

std::string_view ProgramVersion() {
    return TESSALY_VERSION;
}

std::string VersionLine(const char* program) {
    return std::string(program) + " " + std::string(ProgramVersion());
}

}  // namespace tessaly
