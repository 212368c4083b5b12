#include "core/i18n/Messages.h"

#include "core/i18n/IniReader.h"

namespace tessaly {

std::string GetMessage(const std::filesystem::path& languageFile, std::string_view key) {
    return ReadIniString(languageFile, kMessagesSection, key, key);
}

}  // namespace tessaly
