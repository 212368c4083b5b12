#include "core/settings/SettingsFile.h"

#include <ostream>
#include <stdexcept>
#include <system_error>

#include "core/io/FileIO.h"

namespace tessaly {

namespace {

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// True when `key` occurs in `line`, ASCII letters compared without regard to
// case. Other bytes (UTF-8 sequences of non-ASCII names) must match exactly.
bool ContainsKey(std::string_view line, std::string_view key) {
    if (key.size() > line.size()) return false;
    for (std::size_t start = 0; start + key.size() <= line.size(); ++start) {
        std::size_t i = 0;
        while (i < key.size() && UpperAscii(line[start + i]) == UpperAscii(key[i])) ++i;
        if (i == key.size()) return true;
    }
    return false;
}

// Key lines are the lines at even indexes (0, 2, 4, ...); the odd ones are
// values. Only key lines are matched: a value that happens to contain a key's
// name (an editor path through a folder called "capture", say) would
// otherwise be taken for that key, and a write would overwrite the key line
// after it, losing that key from the file for good. For a file in the
// key/value layout this reads and writes exactly as matching every line
// would, because the last match, the real key line, wins anyway.
bool IsKeyLine(std::size_t index) {
    return index % 2 == 0;
}

std::vector<std::string> SplitLines(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::string> lines;
    std::string current;
    for (std::uint8_t b : bytes) {
        if (b == '\n') {
            if (!current.empty() && current.back() == '\r') current.pop_back();
            lines.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(static_cast<char>(b));
        }
    }
    // A last line without a line end is still a line.
    if (!current.empty()) {
        if (current.back() == '\r') current.pop_back();
        lines.push_back(std::move(current));
    }
    return lines;
}

}  // namespace

void TSettingsFile::Load(const std::filesystem::path& fileName) {
    fileName_ = fileName;
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec)) return;
    if (!std::filesystem::is_regular_file(fileName, ec))
        throw FileError("Cannot read file \"" + fileName.string() + "\": not a regular file");
    lines_ = SplitLines(ReadWholeFile(fileName));
}

std::string TSettingsFile::ReadValue(std::string_view key) const {
    std::string result(kSettingMissing);
    // An empty key would name every line; it names none.
    if (key.empty()) return result;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (IsKeyLine(i) && ContainsKey(lines_[i], key))
            result = i + 1 < lines_.size() ? lines_[i + 1] : std::string();
    }
    return result;
}

void TSettingsFile::WriteValue(std::string_view key, std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos)
        throw std::invalid_argument("A setting value must be a single line");
    if (key.empty()) return;

    bool changed = false;
    // The loop bound is taken once: a value line appended for a key line that
    // ended the file is not itself tested as a key line.
    const std::size_t count = lines_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsKeyLine(i) || !ContainsKey(lines_[i], key)) continue;
        // A key line that ends the file (a truncated file) gets its value line
        // now, so the value is kept instead of silently dropped.
        if (i + 1 >= lines_.size()) lines_.resize(i + 2);
        lines_[i + 1] = std::string(value);
        changed = true;
    }
    if (!changed) return;

    // A file deleted during the run is not brought back: the change lives in
    // memory only.
    std::error_code ec;
    if (fileName_.empty() || !std::filesystem::exists(fileName_, ec)) return;
    WriteFileAtomically(fileName_, [this](std::ostream& out) {
        for (const std::string& line : lines_) out << line << "\r\n";
    });
}

void TSettingsFile::WriteOrAddValue(std::string_view key, std::string_view value) {
    if (key.empty() || ReadValue(key) != kSettingMissing) {
        WriteValue(key, value);
        return;
    }
    if (value.find_first_of("\r\n") != std::string_view::npos)
        throw std::invalid_argument("A setting value must be a single line");
    // A file cut after a key line gets that key's value line first, so the
    // new key line stays at a key line's place.
    if (lines_.size() % 2 != 0) lines_.emplace_back();
    lines_.push_back("[" + std::string(key) + "]");
    lines_.emplace_back(value);
    std::error_code ec;
    if (fileName_.empty() || !std::filesystem::exists(fileName_, ec)) return;
    WriteFileAtomically(fileName_, [this](std::ostream& out) {
        for (const std::string& line : lines_) out << line << "\r\n";
    });
}

std::string TSettingsFile::ReadLine(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= lines_.size()) return {};
    return lines_[static_cast<std::size_t>(index)];
}

}  // namespace tessaly
