#include "core/io/FileIO.h"

#include <fstream>
#include <random>
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

std::filesystem::path TemporaryNameFor(const std::filesystem::path& target) {
    static thread_local std::mt19937 rng{std::random_device{}()};
    auto name = target.filename().string() + ".tmp-" + std::to_string(rng() % 1000000);
    return target.parent_path() / name;
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& target,
                         const std::function<void(std::ostream&)>& write) {
    const auto temp = TemporaryNameFor(target);
    try {
        {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            if (!out) throw FileError("Cannot create file \"" + temp.string() + "\"");
            write(out);
            out.flush();
            if (!out) throw FileError("Cannot write file \"" + target.string() + "\"");
        }
        std::error_code ec;
        std::filesystem::rename(temp, target, ec);
        if (ec)
            throw FileError("Cannot replace file \"" + target.string() + "\": " + ec.message());
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw;
    }
}

void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    WriteFileAtomically(target, [&](std::ostream& out) {
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    });
}

}  // namespace tessaly
