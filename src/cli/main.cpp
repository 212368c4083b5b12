// tessaly-cli: renders, inspects and builds covers with no display.
#include <cstring>
#include <exception>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/BatchCommand.h"
#include "cli/ExtractCommand.h"
#include "cli/InspectCommand.h"
#include "cli/NewCommand.h"
#include "cli/ProjectSession.h"
#include "cli/RenderCommand.h"
#include "cli/StateCommand.h"

namespace {

const char* const kUsage = R"(Usage: tessaly-cli VERB [OPTIONS]

Verbs
  render     render a cover or a cover project to a BMP, JPEG or PNG file
  batch      render every job of a manifest (JSON Lines or CSV) in one process
  inspect    describe a model file, project or template as JSON
  state      print the whole state after opening a project or template as JSON
  new        make a new cover of a type and write it as a project or template
  extract    write the images embedded in a project into a folder

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
        if (verb == "render") {
            if (help) {
                std::cout << kRenderHelp;
                return 0;
            }
            // A project comes right after the verb.
            const bool project = argc > 2 && CoverFileTypeOf(argv[2]) == CoverFileType::Project;
            Arguments args(argc, argv, project ? 3 : 2);
            return RenderCommand(args, project ? argv[2] : "");
        }
        Arguments args(argc, argv, 2);
        struct Verb {
            const char* name;
            const char* help;
            int (*run)(Arguments&);
        };
        const Verb verbs[] = {{"batch", kBatchHelp, BatchCommand},
                              {"state", kStateHelp, StateCommand},
                              {"new", kNewHelp, NewCommand},
                              {"extract", kExtractHelp, ExtractCommand}};
        for (const Verb& v : verbs)
            if (verb == v.name) {
                if (help) {
                    std::cout << v.help;
                    return 0;
                }
                return v.run(args);
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
