// The catalogue of languages, "Languages/Languages.ini": plain text read line
// by line. An entry is three lines: a marker line starting with "--", the
// display name shown in the language list, and the language file's name
// relative to the "Languages/" folder. Other lines are ignored.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The catalogue's and the language files' folder inside the program folder.
inline constexpr std::string_view kLanguagesFolder = "Languages/";
inline constexpr std::string_view kLanguageCatalogueName = "Languages.ini";

struct LanguageCatalogueEntry {
    std::string DisplayName;
    std::string FileName;
};

// The entries of the catalogue text, in file order. A marker with fewer than
// two lines after it gives an entry with the missing values empty. Lines may
// end in LF or CR LF; a leading byte-order mark is skipped.
std::vector<LanguageCatalogueEntry> ParseLanguageCatalogue(std::string_view text);

}  // namespace tessaly
