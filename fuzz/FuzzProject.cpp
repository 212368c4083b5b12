// Fuzzes the project reader: any input parses into sections or stops at a
// cut-short section, no extension can leave its folder, and what was parsed
// writes back and parses to the same number of sections.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/project/CoverFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly;
    const ParsedCoverFile parsed =
        ParseCoverFile(std::span<const std::uint8_t>(data, size), CoverFileKind::Project);
    if (!parsed.MagicOk) return 0;
    bool endedInImage = false;
    for (const CoverSection& s : parsed.Sections)
        for (const ImageRecord& r : s.Images) {
            if (r.Extension.find('/') != std::string::npos ||
                r.Extension.find("..") != std::string::npos)
                __builtin_trap();
            endedInImage = endedInImage || r.CutShort;
        }
    const auto bytes = CoverFileBytes(CoverFileKind::Project, parsed.Sections);
    const ParsedCoverFile again = ParseCoverFile(bytes, CoverFileKind::Project);
    if (!again.MagicOk) __builtin_trap();
    // An image that ran past the end ends a book list early; written back, the
    // list is short and the file reads as cut short. Otherwise it reads whole.
    if (!endedInImage && (again.CutShort || again.Sections.size() != parsed.Sections.size()))
        __builtin_trap();
    return 0;
}
