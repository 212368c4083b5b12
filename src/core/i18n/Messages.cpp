#include "core/i18n/Messages.h"

#include <system_error>

#include "core/i18n/IniReader.h"

namespace tessaly {

std::string GetMessage(const std::filesystem::path& languageFile, std::string_view key) {
    if (auto text = ReadIniValue(languageFile, kMessagesSection, key)) return *text;
    // A language that lacks a message borrows the English one beside it; a
    // missing language file keeps showing bare keys, as a failed switch does.
    std::error_code ec;
    if (languageFile.filename() != kFallbackLanguageFile &&
        std::filesystem::is_regular_file(languageFile, ec)) {
        const auto english = languageFile.parent_path() / kFallbackLanguageFile;
        if (auto text = ReadIniValue(english, kMessagesSection, key)) return *text;
    }
    return std::string(key);
}

}  // namespace tessaly
