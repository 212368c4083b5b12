#include "core/paths/WorkingFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>

namespace tessaly {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPrefix = "run-";
constexpr const char* kLockName = ".lock";
// A folder without its lock file is one being made right now, unless it is
// older than this.
constexpr auto kUnlockedGrace = std::chrono::minutes(10);

bool IsInstanceFolder(const fs::directory_entry& entry) {
    std::error_code ec;
    return entry.is_directory(ec) && !entry.is_symlink(ec) &&
           entry.path().filename().string().rfind(kPrefix, 0) == 0;
}

// Whether no running instance holds the folder's lock.
bool IsStale(const fs::path& folder) {
    const fs::path lock = folder / kLockName;
    const int fd = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        std::error_code ec;
        const auto written = fs::last_write_time(folder, ec);
        return !ec && fs::file_time_type::clock::now() - written > kUnlockedGrace;
    }
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);  // also drops the lock just taken
    return free;
}

}  // namespace

int WorkingFolder::RemoveStale(const std::string& imagesRoot) {
    int removed = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(imagesRoot, ec)) {
        if (!IsInstanceFolder(entry) || !IsStale(entry.path())) continue;
        std::error_code removeError;
        if (fs::remove_all(entry.path(), removeError) > 0 && !removeError) ++removed;
    }
    return removed;
}

WorkingFolder::WorkingFolder(const std::string& imagesRoot) {
    std::error_code ec;
    fs::create_directories(imagesRoot, ec);
    if (!fs::is_directory(imagesRoot, ec))
        throw std::runtime_error("cannot create the folder " + imagesRoot);
    RemoveStale(imagesRoot);
    std::string pattern = (fs::path(imagesRoot) / (std::string(kPrefix) + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a working folder in " + imagesRoot);
    const std::string lock = pattern + "/" + kLockName;
    lock_ = ::open(lock.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock_ < 0 || ::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        if (lock_ >= 0) ::close(lock_);
        fs::remove_all(pattern, ec);
        throw std::runtime_error("cannot lock the working folder " + pattern);
    }
    path_ = pattern + "/";
}

WorkingFolder::~WorkingFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
    if (lock_ >= 0) ::close(lock_);
}

}  // namespace tessaly
