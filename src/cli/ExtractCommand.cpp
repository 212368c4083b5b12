#include "cli/ExtractCommand.h"

#include <filesystem>
#include <iostream>

#include "core/io/FileIO.h"
#include "core/project/CoverFile.h"

namespace tessaly::cli {

const char* const kExtractHelp = R"(Usage: tessaly-cli extract PROJECT.eco --to DIR

Writes the images embedded in a project into DIR (created when missing)
under the names opening the project gives them: Image1, Image2, Image3,
Floor and BookBImageI, each with its stored extension. Prints each file
written. The number of book images follows the project's cover type.

Exit status: 0 written, 1 the project cannot be read, is not a project or
ends inside a section or an image (the images before that point are written),
2 bad usage.
)";

int ExtractCommand(Arguments& args) {
    auto to = args.Take("--to");
    auto files = args.TakePositionals();
    args.ExpectNothingLeft();
    if (!to) throw UsageError("extract: the target folder is missing (--to DIR)");
    if (files.size() != 1) throw UsageError("extract: name exactly one project");
    const auto bytes = ReadWholeFile(files[0]);
    const ParsedCoverFile parsed = ParseCoverFile(bytes, CoverFileKind::Project);
    if (!parsed.MagicOk) {
        std::cerr << "extract: " << files[0] << " is not a cover project\n";
        return 1;
    }
    std::filesystem::create_directories(*to);
    const std::filesystem::path dir(*to);
    static const char* const kSlots[4] = {"Image1", "Image2", "Image3", "Floor"};
    for (const CoverSection& s : parsed.Sections) {
        if (!s.Known) continue;
        for (std::size_t k = 0; k < s.Images.size(); ++k) {
            std::string name;
            if (s.Tag == cover_tag::BookImages) {
                if (k >= 12) break;
                name = "Book" + std::to_string(k / 3 + 1) + "Image" + std::to_string(k % 3 + 1);
            } else {
                name = kSlots[s.Tag - cover_tag::Image1];
            }
            const std::filesystem::path target = dir / (name + s.Images[k].Extension);
            // An image whose declared length runs past the end of the file is
            // only its first part: it is not written as if it were whole.
            if (s.Images[k].CutShort) {
                std::cerr << "extract: " << files[0] << " ends inside the image " << name
                          << " of its section " << TagName(s.Tag) << " at byte " << s.Offset
                          << "\n";
                return 1;
            }
            WriteFileAtomically(target, s.Images[k].Bytes);
            std::cout << target.string() << '\n';
        }
    }
    if (parsed.CutShort) {
        std::cerr << "extract: " << files[0] << " ends inside its section "
                  << TagName(parsed.CutShort->Tag) << " at byte " << parsed.CutShort->TagOffset
                  << "\n";
        return 1;
    }
    return 0;
}

}  // namespace tessaly::cli
