#include "cli/ProgramInfo.h"

#include <cstring>
#include <iostream>

#include "core/util/Version.h"

namespace tessaly::cli {

bool AnswerVersion(int argc, char** argv) {
    if (argc < 2 || (std::strcmp(argv[1], "--version") != 0 && std::strcmp(argv[1], "-V") != 0))
        return false;
    std::cout << VersionLine("tessaly-cli") << '\n';
    return true;
}

}  // namespace tessaly::cli
