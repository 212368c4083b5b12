// tessaly-cli: renders, inspects and builds covers with no display.
#include <cstring>
#include <exception>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/InspectCommand.h"
#include "cli/RenderCommand.h"

namespace {

const char* const kUsage = R"(Usage: tessaly-cli VERB [OPTIONS]

Verbs
  render     render a cover to a BMP, JPEG or PNG file
  inspect    describe a model file as JSON

Run "tessaly-cli VERB --help" for the options of a verb.
Exit status: 0 success, 1 failure (message on stderr), 2 bad usage.
)";

}  // namespace

int main(int argc, char** argv) {
    using namespace tessaly::cli;
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        std::cout << kUsage;
        return argc < 2 ? 2 : 0;
    }
    const std::string verb = argv[1];
    const bool help = argc > 2 && (!std::strcmp(argv[2], "--help") || !std::strcmp(argv[2], "-h"));
    try {
        Arguments args(argc, argv, 2);
        if (verb == "render") {
            if (help) {
                std::cout << kRenderHelp;
                return 0;
            }
            return RenderCommand(args);
        }
        if (verb == "inspect") {
            if (help) {
                std::cout << kInspectHelp;
                return 0;
            }
            return InspectCommand(args);
        }
        std::cerr << "tessaly-cli: unknown verb \"" << verb << "\"\n" << kUsage;
        return 2;
    } catch (const UsageError& e) {
        std::cerr << "tessaly-cli: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tessaly-cli: " << e.what() << "\n";
        return 1;
    }
}
