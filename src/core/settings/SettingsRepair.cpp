#include "core/settings/SettingsRepair.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "core/io/FileIO.h"

namespace tessaly {

namespace {

bool IsInteger(const std::string& value) {
    std::size_t i = 0;
    while (i < value.size() && value[i] == ' ') ++i;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) ++i;
    if (i == value.size() || value.size() - i > 9) return false;
    for (; i < value.size(); ++i)
        if (value[i] < '0' || value[i] > '9') return false;
    return true;
}

// Keys added after the first settings files: older files lack them, and
// their absence means the default, so a repaired file leaves them out too.
bool AddedLater(std::string_view key) { return key == kLookKey; }

bool Readable(std::string_view key, const std::string& value) {
    if (value == kSettingMissing) return AddedLater(key);
    if (key == kCDepthKey || key == kFrmsKey) return IsInteger(value);
    if (key == kLanguageKey)
        return !value.empty() && value.find_first_of("/\\") == std::string::npos;
    return true;
}

// The editor is read by position (the file's second line), so the first key
// line must be the editor's.
bool EditorFirst(const TSettingsFile& settings) {
    const std::string first = settings.ReadLine(0);
    return settings.LineCount() >= 2 && first.find(kDefaultEditorKey) != std::string::npos;
}

}  // namespace

bool SettingsDamaged(const TSettingsFile& settings) {
    // Keys whose absence has a meaning of its own (a box left unchecked, no
    // warning, a frame-rate check that reports its missing threshold) do not
    // make a file damaged; a missing depth or language, or any value that
    // is there but cannot be used, does.
    for (const std::string& key : UnreadableSettings(settings)) {
        const bool missing = settings.ReadValue(key) == kSettingMissing;
        if (!missing || key == kDefaultEditorKey || key == kCDepthKey || key == kLanguageKey)
            return true;
    }
    return false;
}

std::vector<std::string> UnreadableSettings(const TSettingsFile& settings) {
    std::vector<std::string> keys;
    for (std::string_view key : kSettingsKeys) {
        const bool ok = key == kDefaultEditorKey ? EditorFirst(settings)
                                                 : Readable(key, settings.ReadValue(key));
        if (!ok) keys.emplace_back(key);
    }
    return keys;
}

std::vector<std::string> RepairSettings(TSettingsFile& settings) {
    const std::filesystem::path file = settings.FileName();
    std::error_code ec;
    if (file.empty() || !std::filesystem::is_regular_file(file, ec)) return {};
    if (!SettingsDamaged(settings)) return {};
    std::vector<std::string> bad = UnreadableSettings(settings);

    std::string text;
    for (std::size_t k = 0; k < kSettingsKeys.size(); ++k) {
        const std::string_view key = kSettingsKeys[k];
        const bool keep = std::find(bad.begin(), bad.end(), key) == bad.end();
        const std::string value =
            key == kDefaultEditorKey ? settings.ReadLine(1) : settings.ReadValue(key);
        if (keep && AddedLater(key) && value == kSettingMissing) continue;
        // The warning dialog writes through the bracketed key, which the
        // key line must therefore hold.
        text += "[" + std::string(key) + "]\r\n" +
                (keep ? value : std::string(kSettingsDefaults[k])) + "\r\n";
    }
    const std::filesystem::path kept = file.string() + ".bad";
    std::filesystem::rename(file, kept, ec);
    if (ec)
        throw FileError("Cannot keep the damaged settings file as \"" + kept.string() +
                        "\": " + ec.message());
    WriteFileAtomically(file, std::span<const std::uint8_t>(
                                  reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    settings.Load(file);
    return bad;
}

}  // namespace tessaly
