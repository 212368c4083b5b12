#include "core/i18n/LanguageCatalogue.h"

namespace tessaly {

namespace {

// The lines of `text` without their line ends.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (lf == std::string_view::npos) break;
        text.remove_prefix(lf + 1);
    }
    return lines;
}

}  // namespace

std::vector<LanguageCatalogueEntry> ParseLanguageCatalogue(std::string_view text) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
    const std::vector<std::string_view> lines = SplitLines(text);
    std::vector<LanguageCatalogueEntry> entries;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].substr(0, 2) != "--") continue;
        LanguageCatalogueEntry entry;
        if (i + 1 < lines.size()) entry.DisplayName = std::string(lines[i + 1]);
        if (i + 2 < lines.size()) entry.FileName = std::string(lines[i + 2]);
        entries.push_back(std::move(entry));
        i += 2;
    }
    return entries;
}

}  // namespace tessaly
