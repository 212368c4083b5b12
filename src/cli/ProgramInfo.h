// What tessaly-cli answers about itself: its version.
#pragma once

namespace tessaly::cli {

// True when argv[1] asks for the version; the line is printed.
bool AnswerVersion(int argc, char** argv);

}  // namespace tessaly::cli
