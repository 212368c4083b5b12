// Fuzzes the template reader: any input parses or stops at a cut-short
// section, and what was parsed writes back into a file that parses whole.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/project/CoverFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly;
    const ParsedCoverFile parsed =
        ParseCoverFile(std::span<const std::uint8_t>(data, size), CoverFileKind::Template);
    if (!parsed.MagicOk) return 0;
    const auto bytes = CoverFileBytes(CoverFileKind::Template, parsed.Sections);
    const ParsedCoverFile again = ParseCoverFile(bytes, CoverFileKind::Template);
    if (!again.MagicOk || again.CutShort || again.Sections.size() != parsed.Sections.size())
        __builtin_trap();
    return 0;
}
