// Startup: the start-up sequence as a table of named steps, each run in its
// own guard. A step that throws shows its fixed text in an error box and the
// sequence goes on with the next step.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tessaly {

class UserPort;

struct StartupStep {
    std::string Name;  // the text after "Exception raised on "
    std::function<void()> Action;
};

// Returns the number of steps that failed.
int RunGuardedSteps(const std::vector<StartupStep>& steps, UserPort& port);

// What a file named on the command line is, by its extension in any case.
enum class CommandLineFileKind { None, Project, Template, Unknown };
CommandLineFileKind ClassifyCommandLineFile(const std::vector<std::string>& arguments);

}  // namespace tessaly
