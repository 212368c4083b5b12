// WorkingFolder: the folder of one running instance for the working copies
// of its images ("Image1.jpg", "Book2Image3.png", ...), inside the images
// folder of FileLocations. Two windows then never overwrite each other's
// copies. The folder is "run-XXXXXX" with a lock file inside that the
// instance holds (flock) while it runs; it is removed when the instance ends,
// and folders whose lock nobody holds (left by an instance that crashed) are
// removed when the next instance starts. The lock goes with the process, so
// a reused process id never keeps a stale folder alive.
#pragma once

#include <string>

namespace tessaly {

class WorkingFolder {
  public:
    // Makes `imagesRoot` when needed, removes stale instance folders in it
    // and makes this instance's. Throws std::runtime_error naming the folder
    // when it cannot be made.
    explicit WorkingFolder(const std::string& imagesRoot);
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    // This instance's folder, ending in "/".
    const std::string& Path() const { return path_; }

    // Removes the instance folders in `imagesRoot` that no running instance
    // holds; returns how many were removed.
    static int RemoveStale(const std::string& imagesRoot);

  private:
    std::string path_;
    int lock_ = -1;
};

}  // namespace tessaly
