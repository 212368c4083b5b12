// CliRunner: runs the built tessaly-cli as a child process with the test's
// environment (sanitizer and GL settings included), collecting its standard
// output, standard error and exit status; and a small JSON syntax check for
// what the verbs print.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tessaly::test {

struct CliResult {
    int exitCode = -1;  // -1: did not exit normally (signal)
    std::string out;
    std::string err;
};

// Runs ProgramDir()/"tessaly-cli" with `args`; output goes through files in
// `scratch`, so a chatty child can never block on a full pipe.
CliResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& scratch);

// True when `text` is one JSON value (surrounding white space allowed).
bool IsJson(const std::string& text);

std::string ReadFileText(const std::filesystem::path& path);

}  // namespace tessaly::test
