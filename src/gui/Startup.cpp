#include "gui/Startup.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/ui/UserPort.h"

namespace tessaly {

int RunGuardedSteps(const std::vector<StartupStep>& steps, UserPort& port) {
    int failed = 0;
    for (const StartupStep& step : steps) {
        try {
            step.Action();
        } catch (...) {
            ++failed;
            port.ShowMessage(MessageKind::Error, "Exception raised on " + step.Name, "",
                             MessageButtons::Ok);
        }
    }
    return failed;
}

CommandLineFileKind ClassifyCommandLineFile(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return CommandLineFileKind::None;
    std::string extension = std::filesystem::path(arguments.front()).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (extension == ".ECO") return CommandLineFileKind::Project;
    if (extension == ".TEM") return CommandLineFileKind::Template;
    return CommandLineFileKind::Unknown;
}

}  // namespace tessaly
