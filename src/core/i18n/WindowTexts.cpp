#include "core/i18n/WindowTexts.h"

#include "core/i18n/Messages.h"

namespace tessaly {

std::string TableTextOf(std::span<const WindowText> table,
                        const std::filesystem::path& languageFile, std::string_view key) {
    for (const WindowText& text : table) {
        if (text.key != key) continue;
        if (languageFile.empty()) return std::string(text.english);
        const std::string own = GetMessage(languageFile, key);
        return own == key || own.empty() ? std::string(text.english) : own;
    }
    return {};
}

std::string WindowTextOf(const std::filesystem::path& languageFile, std::string_view key) {
    return TableTextOf(kWindowTexts, languageFile, key);
}

std::string LocaliseFixedText(const std::filesystem::path& languageFile, const std::string& text) {
    for (const std::string_view key : {"aaon", "aaoff", "checkupd"}) {
        const std::string english = WindowTextOf({}, key);
        if (text == english) return WindowTextOf(languageFile, key);
    }
    return text;
}

}  // namespace tessaly
