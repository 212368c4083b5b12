#include "app/ProgramFolder.h"

#include <cstdlib>
#include <filesystem>

namespace tessaly {

std::string ProgramFolder() {
    std::string folder;
    if (const char* env = std::getenv("TESSALY_PROGRAM_FOLDER"); env && *env) {
        folder = env;
    } else {
        std::error_code ec;
        auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        folder = ec ? std::filesystem::current_path().string() : exe.parent_path().string();
    }
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace tessaly
