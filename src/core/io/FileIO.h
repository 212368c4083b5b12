// Whole-file reading and atomic writing. Every file the program writes goes
// to a temporary name beside the target and is renamed over it only once it
// is complete, so a failure half way never leaves a truncated file behind.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessaly {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True when `path` names an existing regular file (never throws).
bool FileExists(const std::string& path);

// Reads a whole file; throws FileError naming the file when it cannot be read.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);

// Writes through `write` into a new temporary file in `target`'s folder
// (created exclusively under a short random name, so nothing planted there
// can redirect it), flushes it to disk and renames it over `target`, then
// flushes the folder. A replaced file keeps its permission bits; a new one
// gets those the process's umask allows. On any failure (an exception from
// `write`, a write error, a failed rename) the temporary file is removed,
// `target` is untouched and FileError is thrown naming the target and the
// system's reason (or the writer's own exception is rethrown).
//
// A target that exists and is not a regular file (a device such as
// /dev/null or /dev/full, a FIFO, /dev/stdout, a symbolic link) is written in
// place instead, never replaced: what it is stays what it was.
void WriteFileAtomically(const std::filesystem::path& target,
                         const std::function<void(std::ostream&)>& write);
void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

}  // namespace tessaly
