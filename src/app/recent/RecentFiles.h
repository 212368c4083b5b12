// RecentFiles: the last projects and templates the user opened or saved,
// newest first, for File > Open Recent. Kept in the settings file under keys
// of their own ("RecentFile01".."RecentFile10"; no key's name is part of
// another's, as the settings store matches keys by containment).
#pragma once

#include <string>
#include <vector>

namespace tessaly {

class TSettingsFile;

class RecentFiles {
  public:
    static constexpr int kMax = 10;

    // Reads the list; empty values are skipped.
    void Load(const TSettingsFile& settings);
    // Writes every key (empty values for unused places). Errors of the
    // settings store are passed on.
    void Save(TSettingsFile& settings) const;

    // Puts `path` first (once); the oldest goes beyond kMax. A path that
    // cannot be stored on one line is ignored.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Files() const { return files_; }

    // "RecentFile01".."RecentFile10" for place 1..kMax.
    static std::string Key(int place);

  private:
    std::vector<std::string> files_;
};

}  // namespace tessaly
