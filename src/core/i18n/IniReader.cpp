#include "core/i18n/IniReader.h"

#include <system_error>
#include <vector>

#include "core/io/FileIO.h"
#include "core/util/Text.h"

namespace tessaly {

namespace {

std::string_view Trim(std::string_view s) {
    return TrimBlanks(s);
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// Removes one pair of matching quotes (double or single) around a value.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value.remove_prefix(1);
        value.remove_suffix(1);
    }
    return value;
}

// Cuts `value` to at most kIniMaxValueBytes bytes, backing off so that a
// multi-byte UTF-8 character is never split.
std::string_view CutToLimit(std::string_view value) {
    if (value.size() <= kIniMaxValueBytes) return value;
    std::size_t end = kIniMaxValueBytes;
    // value[end] is the first byte dropped; while it continues a sequence, the
    // sequence's start lies before it and must go too.
    while (end > 0 && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) --end;
    return value.substr(0, end);
}

}  // namespace

std::optional<std::string> ReadIniValueFromText(std::string_view text, std::string_view section,
                                                std::string_view key) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
    section = Trim(section);
    key = Trim(key);

    // Whether the lines being read belong to the wanted section, and whether
    // that section has been seen at all (only its first occurrence counts).
    bool inSection = false;
    bool sectionSeen = false;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
        line = Trim(line);
        if (line.empty() || line.front() == ';') continue;

        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            // A bracket line that never closes opens no section and holds no entry.
            if (close == std::string_view::npos) continue;
            if (inSection) return std::nullopt;  // the first such section lacked the key
            const std::string_view name = Trim(line.substr(1, close - 1));
            if (!sectionSeen && EqualsIgnoringCase(name, section)) {
                inSection = true;
                sectionSeen = true;
            }
            continue;
        }
        if (!inSection) continue;

        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;  // not an entry
        if (!EqualsIgnoringCase(Trim(line.substr(0, eq)), key)) continue;
        return std::string(CutToLimit(Unquote(Trim(line.substr(eq + 1)))));
    }
    return std::nullopt;
}

std::optional<std::string> ReadIniValue(const std::filesystem::path& path, std::string_view section,
                                        std::string_view key) {
    // Only regular files are read: a folder or a pipe under the name would
    // otherwise be opened (or waited on) as if it were text.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const FileError&) {
        return std::nullopt;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return ReadIniValueFromText(text, section, key);
}

std::string ReadIniString(const std::filesystem::path& path, std::string_view section,
                          std::string_view key, std::string_view defaultValue) {
    std::optional<std::string> value = ReadIniValue(path, section, key);
    return value ? std::move(*value) : std::string(defaultValue);
}

}  // namespace tessaly
