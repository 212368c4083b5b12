#include "cli/CliLanguage.h"

#include <filesystem>

#include "core/i18n/LanguageCatalogue.h"
#include "core/i18n/Messages.h"
#include "core/io/FileIO.h"
#include "core/settings/SettingsFile.h"

namespace tessaly::cli {

std::string CliLanguageFile(const FileLocations& files) {
    // The user's settings when there are any yet, else the shipped ones; the
    // tool only reads them.
    std::string chosen;
    try {
        TSettingsFile settings;
        settings.Load(FileExists(files.Settings) ? files.Settings : files.DefaultSettings());
        chosen = settings.ReadValue("Language");
    } catch (const std::exception&) {
        // Unreadable settings: English.
    }
    const std::string folder = files.DataFile(kLanguagesFolder);
    // Only a file inside the languages folder is taken.
    if (!chosen.empty() && chosen.find('/') == std::string::npos && FileExists(folder + chosen))
        return folder + chosen;
    const std::string english = folder + std::string(kFallbackLanguageFile);
    return FileExists(english) ? english : std::string();
}

}  // namespace tessaly::cli
