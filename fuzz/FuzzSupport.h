// What the fuzz targets share: feeding a reader that takes a path through a
// temporary file of the input's bytes.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tessaly::fuzz {

// A temporary file holding the input, removed when the object goes.
class InputFile {
  public:
    InputFile(const std::uint8_t* data, std::size_t size, const char* suffix) {
        const char* dir = std::getenv("TMPDIR");
        path_ = std::string(dir && *dir ? dir : "/tmp") + "/tessaly-fuzz-XXXXXX" + suffix;
        const int fd = mkstemps(path_.data(), static_cast<int>(std::string(suffix).size()));
        if (fd < 0) std::abort();
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = write(fd, data + done, size - done);
            if (n <= 0) std::abort();
            done += static_cast<std::size_t>(n);
        }
        close(fd);
    }
    ~InputFile() { std::remove(path_.c_str()); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace tessaly::fuzz
