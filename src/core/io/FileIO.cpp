#include "core/io/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <streambuf>
#include <system_error>

namespace tessaly {

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError("Cannot open file \"" + path.string() + "\"");
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) throw FileError("Cannot read file \"" + path.string() + "\"");
    in.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size))
        throw FileError("Cannot read file \"" + path.string() + "\"");
    return data;
}

namespace {

std::string SystemReason(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// An output stream over a file descriptor that remembers the first write
// error, so the caller can say why a write failed ("No space left on
// device") rather than only that it did.
class DescriptorBuffer : public std::streambuf {
  public:
    explicit DescriptorBuffer(int fd) : fd_(fd) { setp(buffer_, buffer_ + sizeof buffer_); }
    int Error() const { return error_; }

  protected:
    int overflow(int c) override {
        if (!Drain()) return traits_type::eof();
        if (c != traits_type::eof()) {
            *pptr() = static_cast<char>(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Drain() ? 0 : -1; }

  private:
    bool Drain() {
        const char* at = pbase();
        while (at < pptr() && error_ == 0) {
            const ssize_t n = ::write(fd_, at, static_cast<std::size_t>(pptr() - at));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                error_ = n < 0 ? errno : EIO;
                break;
            }
            at += n;
        }
        setp(buffer_, buffer_ + sizeof buffer_);
        return error_ == 0;
    }

    int fd_;
    int error_ = 0;
    char buffer_[64 * 1024];
};

// Runs `write` into `fd`; throws FileError naming `target` when a write fails.
void WriteToDescriptor(int fd, const std::filesystem::path& target,
                       const std::function<void(std::ostream&)>& write) {
    DescriptorBuffer buffer(fd);
    std::ostream out(&buffer);
    try {
        write(out);
    } catch (...) {
        // A writer that gave up because its stream failed: the system's
        // reason ("No space left on device") says more than the writer's.
        if (buffer.Error() != 0)
            throw FileError("Cannot write file \"" + target.string() + "\": " +
                            SystemReason(buffer.Error()));
        throw;
    }
    out.flush();
    if (!out || buffer.Error() != 0)
        throw FileError("Cannot write file \"" + target.string() +
                        "\": " + SystemReason(buffer.Error() != 0 ? buffer.Error() : EIO));
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now and reports whether the close succeeded.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// Devices, FIFOs and links are written where they are: renaming a file over
// them would replace /dev/null by a picture, or a link by a copy.
void WriteInPlace(const std::filesystem::path& target,
                  const std::function<void(std::ostream&)>& write) {
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0)
        throw FileError("Cannot write file \"" + target.string() + "\": " + SystemReason(errno));
    WriteToDescriptor(fd.Get(), target, write);
    if (!fd.Close())
        throw FileError("Cannot write file \"" + target.string() + "\": " + SystemReason(errno));
}

// The permission bits a new file gets from the process's umask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SyncFolder(const std::filesystem::path& folder) {
    Descriptor fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) ::fsync(fd.Get());  // best effort: some file systems refuse
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& target,
                         const std::function<void(std::ostream&)>& write) {
    struct stat existing {};
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) return WriteInPlace(target, write);

    // A short name, so that a target name near the length limit still leaves
    // room; created exclusively, so a link planted under it is never followed.
    const std::filesystem::path folder = target.parent_path();
    std::string temp = (folder.empty() ? std::string() : folder.string() + "/") + ".tsy-XXXXXX";
    Descriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.Get() < 0)
        throw FileError("Cannot create a file in the folder of \"" + target.string() +
                        "\": " + SystemReason(errno));
    try {
        WriteToDescriptor(fd.Get(), target, write);
        const mode_t mode = exists ? (existing.st_mode & 07777) : NewFileMode();
        if (::fchmod(fd.Get(), mode) != 0 || ::fsync(fd.Get()) != 0 || !fd.Close())
            throw FileError("Cannot write file \"" + target.string() +
                            "\": " + SystemReason(errno));
        if (::rename(temp.c_str(), target.c_str()) != 0)
            throw FileError("Cannot replace file \"" + target.string() +
                            "\": " + SystemReason(errno));
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    SyncFolder(folder);
}

void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    WriteFileAtomically(target, [&](std::ostream& out) {
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    });
}

}  // namespace tessaly
