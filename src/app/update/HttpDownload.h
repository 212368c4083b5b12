// HttpDownload: fetches one small file over HTTP(S) with libcurl, bounded in
// time and size, and replaces the target only when the whole answer has
// arrived (a temporary file renamed over it). Safe to call from a worker
// thread; InitNetwork must have run once on the main thread before.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>

namespace tessaly {

struct DownloadLimits {
    // For the whole transfer, connecting included.
    std::chrono::milliseconds Timeout{10000};
    // Answers longer than this are refused.
    std::size_t MaxBytes = 64 * 1024;
};

enum class DownloadResult {
    Ok,
    Failed,       // no connection, an HTTP error status, a broken transfer
    TimedOut,     // the answer did not arrive within the limit
    TooLarge,     // the answer was longer than allowed
    Cancelled,    // the caller asked to stop
    WriteFailed,  // the target could not be written
};

// libcurl's global set-up, once per process; call on the main thread before
// the first worker starts.
void InitNetwork();

// Fetches `url` into `target`. On anything but Ok the target is untouched.
// `cancel`, when given, is polled during the transfer. `error` receives a
// short reason for the failure.
DownloadResult DownloadFile(const std::string& url, const std::filesystem::path& target,
                            const DownloadLimits& limits, const std::string& userAgent,
                            const std::atomic<bool>* cancel = nullptr,
                            std::string* error = nullptr);

}  // namespace tessaly
