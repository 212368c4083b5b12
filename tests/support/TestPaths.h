// Where tests find the source tree and the built program folder.
#pragma once

#include <filesystem>

namespace tessaly::test {

inline std::filesystem::path SourceDir() { return TESSALY_SOURCE_DIR; }
inline std::filesystem::path ProgramDir() { return TESSALY_PROGRAM_DIR; }

// A fresh, empty folder under the system's temporary folder, removed when the
// object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace tessaly::test
