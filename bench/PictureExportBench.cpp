// Large picture exports through tessaly-cli: time and peak resident memory of
// 8-pass renders at print sizes, to PNG and to JPEG. Each render runs in a
// child process so its peak memory (ru_maxrss) is its own; the figures are
// reported as the counters "peak_MB" and "megapixels". Run one size with
// --benchmark_filter, e.g. 'PictureExport/12000', and keep the machine quiet.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ProgramFolder.h"

namespace {

struct ChildResult {
    int status = -1;
    double seconds = 0;
    long peakKiB = 0;
};

ChildResult RunCli(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    const std::string program = tessaly::ProgramFolder() + "tessaly-cli";
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    ChildResult r;
    rusage usage{};
    if (pid > 0 && wait4(pid, &r.status, 0, &usage) == pid) r.peakKiB = usage.ru_maxrss;
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return r;
}

void PictureExport(benchmark::State& state, int width, int height, const char* format) {
    const auto out = std::filesystem::temp_directory_path() /
                     ("tessaly-bench-" + std::to_string(getpid()) + "." + format);
    for (auto _ : state) {
        const ChildResult r =
            RunCli({"render", "--size", std::to_string(width) + "x" + std::to_string(height),
                    "--camera-lift", "15", "--cover-rotate", "330", "--reflection", "0.5",
                    "--quiet", "-o", out.string()});
        if (!WIFEXITED(r.status) || WEXITSTATUS(r.status) != 0) {
            state.SkipWithError("tessaly-cli render failed");
            break;
        }
        state.SetIterationTime(r.seconds);
        state.counters["peak_MB"] = static_cast<double>(r.peakKiB) / 1024.0;
        std::error_code ec;
        state.counters["file_MB"] =
            static_cast<double>(std::filesystem::file_size(out, ec)) / (1024.0 * 1024.0);
    }
    state.counters["megapixels"] = width * static_cast<double>(height) / 1e6;
    std::error_code ec;
    std::filesystem::remove(out, ec);
}

#define PICTURE_EXPORT(W, H, FMT)                                 \
    BENCHMARK_CAPTURE(PictureExport, W##x##H##_##FMT, W, H, #FMT) \
        ->Name("PictureExport/" #W "x" #H "/" #FMT)               \
        ->UseManualTime()                                         \
        ->Iterations(1)                                           \
        ->Unit(benchmark::kSecond)

PICTURE_EXPORT(4000, 3000, png);
PICTURE_EXPORT(4000, 3000, jpg);
PICTURE_EXPORT(12000, 9000, png);
PICTURE_EXPORT(12000, 9000, jpg);
PICTURE_EXPORT(16384, 16384, png);
PICTURE_EXPORT(16384, 16384, jpg);

}  // namespace
