// Fuzzes the batch manifest readers (JSON Lines and CSV) and their one-line
// parsers.
#include <sstream>
#include <string>

#include "cli/job/Manifest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (auto format :
         {tessaly::cli::ManifestFormat::JsonLines, tessaly::cli::ManifestFormat::Csv}) {
        std::istringstream in(text);
        try {
            tessaly::cli::ReadManifest(in, format);
        } catch (const tessaly::cli::ManifestError&) {
        }
    }
    try {
        tessaly::cli::ParseJsonObjectLine(text);
    } catch (const std::runtime_error&) {
    }
    try {
        tessaly::cli::ParseCsvLine(text);
    } catch (const std::runtime_error&) {
    }
    return 0;
}
