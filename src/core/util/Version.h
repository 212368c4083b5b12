// The program's version, as the build names it (the project's version).
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

std::string_view ProgramVersion();
// "<program> <version>", the answer of every program's --version.
std::string VersionLine(const char* program);

}  // namespace tessaly
