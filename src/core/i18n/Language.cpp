#include "core/i18n/Language.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/i18n/IniReader.h"
#include "core/i18n/Messages.h"
#include "core/io/FileIO.h"
#include "core/util/Text.h"

namespace tessaly {

namespace {

std::string Trim(std::string_view s) {
    return std::string(TrimBlanks(s));
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The whole language file as text; "" when it is missing or unreadable, which
// makes every look-up fall back to its default.
std::string ReadLanguageText(const std::string& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return {};
    try {
        const std::vector<std::uint8_t> bytes = ReadWholeFile(file);
        return std::string(bytes.begin(), bytes.end());
    } catch (const FileError&) {
        return {};
    }
}

}  // namespace

bool SameComponentName(std::string_view a, std::string_view b) {
    if (a.empty() || a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::vector<std::string> SplitListValue(std::string value, const std::string& separator) {
    std::vector<std::string> items;
    if (!separator.empty()) {
        for (std::size_t at = value.find(separator); at != std::string::npos;
             at = value.find(separator)) {
            items.push_back(Trim(std::string_view(value).substr(0, at)));
            value.erase(0, at + separator.size());
        }
    }
    std::string rest = Trim(value);
    if (!rest.empty()) items.push_back(std::move(rest));
    return items;
}

int ParseIntegerValue(const std::string& value) {
    const std::string text = Trim(value);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = i < text.size();
    for (std::size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9') digits = false;
    if (digits) {
        errno = 0;
        char* end = nullptr;
        const long long n = std::strtoll(text.c_str(), &end, 10);
        if (errno == 0 && n >= INT_MIN && n <= INT_MAX) return static_cast<int>(n);
    }
    throw LanguageConversionError("'" + value + "' is not a valid integer value");
}

void TLanguage::SetSeparator(std::string separator) {
    separator_ = Trim(separator).empty() ? std::string(",") : std::move(separator);
}

void TLanguage::Translate(LanguageComponent& application) {
    if (OnBeforeTranslation) OnBeforeTranslation(*this);
    // The file is read once for the whole list: the texts are those on disk
    // at the moment of the call, as with one look-up per line.
    const std::string text = ReadLanguageText(LanguageFile);
    for (const std::string& line : properties_) {
        if (Trim(line).empty()) continue;
        std::string value =
            ReadIniValueFromText(text, kTranslationsSection, line).value_or(std::string());
        ApplyValue(application, line, std::move(value));
    }
    if (OnAfterTranslation) OnAfterTranslation(*this);
}

void TLanguage::ApplyValue(LanguageComponent& application, std::string_view pathText,
                           std::string value) {
    std::string rest = Trim(pathText);
    if (rest.empty()) return;
    LanguageComponent* current = &application;
    for (std::size_t dot = rest.find('.'); dot != std::string::npos; dot = rest.find('.')) {
        const std::string name = Trim(std::string_view(rest).substr(0, dot));
        rest = Trim(std::string_view(rest).substr(dot + 1));
        if (current) current = current->FindOwned(name);
    }
    // An empty value never blanks a caption: the property keeps its text.
    if (!current || value.empty()) return;
    const std::string& property = rest;
    if (OnTranslate) {
        const std::string old = current->PropertyText(property);
        OnTranslate(*this, *current, property, old, value);
    }
    switch (current->PropertyKind(property)) {
        case LanguagePropertyKind::None:
            return;
        case LanguagePropertyKind::Text:
            current->SetText(property, value);
            return;
        case LanguagePropertyKind::Integer:
            current->SetInteger(property, ParseIntegerValue(value));
            return;
        case LanguagePropertyKind::StringList:
            current->SetStringList(property, SplitListValue(value, separator_));
            return;
    }
}

std::string TLanguage::GetMessage(std::string_view key) const {
    return tessaly::GetMessage(LanguageFile, key);
}

}  // namespace tessaly
