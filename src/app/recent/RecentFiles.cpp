#include "app/recent/RecentFiles.h"

#include <algorithm>
#include <cstdio>

#include "core/settings/SettingsFile.h"

namespace tessaly {

std::string RecentFiles::Key(int place) {
    char key[16];
    std::snprintf(key, sizeof key, "[RecentFile%02d]", place);
    return key;
}

void RecentFiles::Load(const TSettingsFile& settings) {
    files_.clear();
    for (int place = 1; place <= kMax; ++place) {
        const std::string value = settings.ReadValue(Key(place));
        if (value.empty() || value == kSettingMissing) continue;
        if (std::find(files_.begin(), files_.end(), value) == files_.end()) files_.push_back(value);
    }
}

void RecentFiles::Save(TSettingsFile& settings) const {
    for (int place = 1; place <= kMax; ++place) {
        const std::size_t i = static_cast<std::size_t>(place - 1);
        settings.WriteOrAddValue(Key(place), i < files_.size() ? files_[i] : std::string());
    }
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty() || path.find_first_of("\r\n") != std::string::npos) return;
    Remove(path);
    files_.insert(files_.begin(), path);
    if (files_.size() > static_cast<std::size_t>(kMax)) files_.resize(kMax);
}

void RecentFiles::Remove(const std::string& path) {
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
}

}  // namespace tessaly
