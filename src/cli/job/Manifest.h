// Manifest: the jobs of a batch, read from JSON Lines (one flat object a
// line) or CSV (a header row of keys, then one job a row). Keys are the
// job options' names (JobOptions.h). A manifest may come from anyone, so
// lines and the number of jobs are bounded, and a line that cannot be read
// fails alone: it becomes a job with an error and its line number.
#pragma once

#include <cstddef>
#include <istream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tessaly::cli {

enum class ManifestFormat { JsonLines, Csv };

// The manifest as a whole cannot be read (an unreadable header, too many jobs).
class ManifestError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ManifestLine {
    int lineNumber = 0;  // 1-based, in the file
    std::vector<std::pair<std::string, std::string>> fields;
    std::string error;  // why the line could not be read; empty when it could
};

inline constexpr std::size_t kMaxManifestLineBytes = 64 * 1024;
inline constexpr std::size_t kMaxManifestJobs = 1'000'000;

// By the file's extension: .jsonl, .ndjson, .json are JSON Lines, .csv is
// CSV; false for anything else.
bool ManifestFormatOf(const std::string& path, ManifestFormat& format);

// Reads every job; blank lines are not jobs. Throws ManifestError.
std::vector<ManifestLine> ReadManifest(std::istream& in, ManifestFormat format);

// One line of each format, exposed for the tests. They throw
// std::runtime_error with the reason.
std::vector<std::pair<std::string, std::string>> ParseJsonObjectLine(const std::string& line);
std::vector<std::string> ParseCsvLine(const std::string& line);

}  // namespace tessaly::cli
