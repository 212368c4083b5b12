#include "cli/BatchCommand.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iostream>
#include <optional>
#include <sstream>

#include "cli/Json.h"
#include "cli/job/JobOptions.h"
#include "cli/job/JobRunner.h"
#include "cli/job/Manifest.h"
#include "cli/job/OutputQueue.h"
#include "cli/job/Progress.h"
#include "cli/job/Shard.h"
#include "core/io/FileIO.h"

namespace tessaly::cli {

const char* const kBatchHelp = R"(Usage: tessaly-cli batch JOBS [OPTIONS]

Renders every job of a manifest in one process, with one OpenGL context:
models, placeholders and the floor are loaded once, and a picture used by
several jobs is read once. JOBS is a JSON Lines file (one object a line,
.jsonl) or a CSV file with a header row (.csv); "-" reads standard input.

A job's keys are the long options of "render" without their dashes, with the
same meanings, ranges and defaults: output (required), type, image1 (or
front), image2 (side), image3 (top), book1-front .. book4-side, size, passes,
format, color-depth, project, template, cover-rotate, camera-lift,
reflection, light, background, ... (see "tessaly-cli render --help").
An empty value counts as not given. Relative paths are relative to the
manifest's folder (to the current folder for standard input).

Every job is checked before anything is drawn. A job with a bad value or a
missing picture fails alone, with its line number and reason on standard
error; the others are still made. Each picture is written under a temporary
name and renamed when complete, so an interrupted batch leaves no torn
picture; its file is finished while the next job is drawn, in manifest order.
The path of each picture written goes to standard output once it is in place.

Options
      --format jsonl|csv   the manifest's format (default: from its extension;
                           jsonl for standard input)
      --keep-going         make every job even after a failure (the default)
      --fail-fast          stop at the first failure
      --skip-existing      skip jobs whose output file exists (resumes a batch)
      --report FILE.jsonl  write one line per job: line, index, output,
                           status (ok, failed, skipped), seconds, error
      --output-root DIR    the folder the pictures may be written in, at any
                           depth (default: the manifest's folder; the current
                           folder for standard input). A job whose output lies
                           elsewhere, is not named .bmp, .jpg or .png, or that
                           names a log fails.
      --shard K/N          render only the jobs whose index i (0-based, in
                           file order) has i mod N = K-1
      --shard auto         K and N from a Slurm job array
                           (SLURM_ARRAY_TASK_ID, SLURM_ARRAY_TASK_MIN,
                           SLURM_ARRAY_TASK_COUNT) or a Kubernetes Indexed Job
                           (JOB_COMPLETION_INDEX, with N from --shard-count or
                           TESSALY_SHARD_COUNT)
      --shard-count N      the number of shards for --shard auto
      --no-progress        no progress bar (it is drawn on standard error only
                           when that is a terminal)

Exit status: 0 every job made or skipped, 1 a job or the manifest failed,
2 bad usage.
)";

namespace {

struct Outcome {
    int line = 0;
    std::size_t index = 0;
    std::string output;
    std::string status;
    double seconds = 0;
    std::string error;
};

struct PendingJob {
    int line = 0;
    std::size_t index = 0;
    JobRecord job;
};

// A manifest may come from someone else: its pictures go only into the
// output folder (the manifest's own unless --output-root says otherwise)
// and only under a picture file's name, and it names no log file.
void CheckManifestJob(const JobRecord& job, const std::filesystem::path& root) {
    if (!job.log.empty()) throw UsageError("log: a driver log is named on the command line only");
    std::string lower = job.output;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    bool picture = false;
    for (const char* end : {".bmp", ".jpg", ".jpeg", ".png"}) {
        const std::string e(end);
        picture = picture || (lower.size() > e.size() &&
                              lower.compare(lower.size() - e.size(), e.size(), e) == 0);
    }
    if (!picture)
        throw UsageError("output: \"" + job.output + "\" is not named .bmp, .jpg or .png");
    const std::filesystem::path out = std::filesystem::absolute(job.output).lexically_normal();
    const std::filesystem::path relative = out.lexically_relative(root);
    if (relative.empty() || *relative.begin() == "..")
        throw UsageError("output: \"" + job.output + "\" is outside the output folder " +
                         root.string() + " (see --output-root)");
}

void WriteReport(const std::string& path, const std::vector<Outcome>& outcomes) {
    WriteFileAtomically(path, [&](std::ostream& out) {
        for (const Outcome& o : outcomes) {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.3f", o.seconds);
            out << "{\"line\": " << o.line << ", \"index\": " << o.index
                << ", \"output\": " << JsonQuote(o.output) << ", \"status\": \"" << o.status
                << "\", \"seconds\": " << seconds;
            if (!o.error.empty()) out << ", \"error\": " << JsonQuote(o.error);
            out << "}\n";
        }
    });
}

}  // namespace

int BatchCommand(Arguments& args) {
    std::optional<ManifestFormat> format;
    if (auto f = args.Take("--format")) {
        if (*f == "jsonl")
            format = ManifestFormat::JsonLines;
        else if (*f == "csv")
            format = ManifestFormat::Csv;
        else
            throw UsageError("--format: expected jsonl or csv, not \"" + *f + "\"");
    }
    const bool keepGoing = args.TakeFlag("--keep-going");
    const bool failFast = args.TakeFlag("--fail-fast");
    if (keepGoing && failFast)
        throw UsageError("batch: --keep-going and --fail-fast exclude each other");
    const bool skipExisting = args.TakeFlag("--skip-existing");
    const bool noProgress = args.TakeFlag("--no-progress");
    const auto reportPath = args.Take("--report");
    const auto outputRootText = args.Take("--output-root");
    const auto shardText = args.Take("--shard");
    const auto shardCount = args.Take("--shard-count");
    if (shardCount && !shardText) throw UsageError("--shard-count goes only with --shard auto");
    const Shard shard = shardText
                            ? ParseShard(*shardText, shardCount,
                                         [](const char* name) {
                                             return static_cast<const char*>(std::getenv(name));
                                         })
                            : Shard{};
    const std::vector<std::string> manifests = args.TakePositionals();
    args.ExpectNothingLeft();
    if (manifests.size() != 1)
        throw UsageError("batch: name one manifest (JOBS, or - for standard input)");
    const std::string manifest = manifests.front();
    const bool fromStdin = manifest == "-";
    if (!format) {
        ManifestFormat byName = ManifestFormat::JsonLines;
        if (!fromStdin && !ManifestFormatOf(manifest, byName))
            throw UsageError("batch: cannot tell the format of \"" + manifest +
                             "\"; name it .jsonl or .csv, or give --format");
        format = byName;
    }

    std::vector<ManifestLine> lines;
    std::string baseFolder;
    try {
        if (fromStdin) {
            lines = ReadManifest(std::cin, *format);
        } else {
            std::ifstream in(manifest, std::ios::binary);
            std::error_code ec;
            if (!in || std::filesystem::is_directory(manifest, ec))
                throw ManifestError("cannot read " + manifest);
            lines = ReadManifest(in, *format);
            baseFolder = std::filesystem::path(manifest).parent_path().string();
        }
    } catch (const ManifestError& e) {
        std::cerr << "batch: " << manifest << ": " << e.what() << '\n';
        return 1;
    }
    const std::string where = fromStdin ? std::string("<stdin>") : manifest;
    const std::filesystem::path outputRoot =
        std::filesystem::absolute(outputRootText ? *outputRootText
                                                 : (baseFolder.empty() ? "." : baseFolder))
            .lexically_normal();

    // Every job of this shard is read and checked before anything is drawn.
    std::vector<Outcome> outcomes;
    std::vector<PendingJob> pending;
    bool failed = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!shard.Has(i)) continue;
        const ManifestLine& line = lines[i];
        std::string error = line.error;
        JobRecord job;
        if (error.empty()) {
            try {
                job = JobFromFields(line.fields, baseFolder);
                CheckJob(job, "");
                CheckManifestJob(job, outputRoot);
            } catch (const std::exception& e) {
                error = e.what();
            }
        }
        if (!error.empty()) {
            std::cerr << where << ":" << line.lineNumber << ": " << error << '\n';
            std::string output = job.output;
            for (const auto& [key, value] : line.fields)
                if (output.empty() && key == "output") output = value;
            outcomes.push_back({line.lineNumber, i, output, "failed", 0, error});
            failed = true;
            continue;
        }
        pending.push_back({line.lineNumber, i, std::move(job)});
    }

    const bool showProgress = !noProgress && isatty(STDERR_FILENO);
    JobRunner runner(true);
    runner.TilePixels = kThroughputTilePixels;
    if (!(failFast && failed)) {
        Progress progress(std::cerr, pending.size(), showProgress);
        std::size_t done = 0;
        // A job's file is finished by the output queue while the next job is
        // drawn; the job is reported once its file is in place. With
        // --fail-fast each file is finished before the next job starts, so
        // that nothing is drawn after a failure.
        OutputQueue queue;
        struct InFlight {
            Outcome outcome;
            WrittenAt start;
            std::future<WrittenAt> written;
        };
        std::optional<InFlight> inFlight;
        // A job's seconds run from its start until its file was in place (or
        // it failed), not until it is reported.
        auto finish = [&](Outcome& outcome, WrittenAt start,
                          WrittenAt end = std::chrono::steady_clock::now()) {
            outcome.seconds = std::chrono::duration<double>(end - start).count();
            outcomes.push_back(std::move(outcome));
            progress.Done(++done);
        };
        auto fail = [&](Outcome& outcome, const std::string& error) {
            outcome.status = "failed";
            outcome.error = error;
            progress.Message(where + ":" + std::to_string(outcome.line) + ": " + error);
            failed = true;
        };
        // Waits for the file of the job in flight and reports the job.
        auto settle = [&] {
            if (!inFlight) return;
            WrittenAt end = std::chrono::steady_clock::now();
            try {
                end = inFlight->written.get();
                std::cout << inFlight->outcome.output << '\n';
            } catch (const std::exception& e) {
                fail(inFlight->outcome, e.what());
            }
            finish(inFlight->outcome, inFlight->start, end);
            inFlight.reset();
        };
        for (const PendingJob& p : pending) {
            if (failed && failFast) break;
            const auto start = std::chrono::steady_clock::now();
            Outcome outcome{p.line, p.index, p.job.output, "ok", 0, {}};
            if (skipExisting) {
                // A job in flight may be about to write this very file.
                if (inFlight && inFlight->outcome.output == p.job.output) settle();
                if (FileExists(p.job.output)) {
                    settle();
                    outcome.status = "skipped";
                    finish(outcome, start);
                    continue;
                }
            }
            std::future<WrittenAt> written;
            try {
                written = runner.Run(p.job, failFast ? nullptr : &queue);
            } catch (const RunnerFailure& e) {
                settle();
                progress.Message("batch: " + std::string(e.what()));
                return 1;
            } catch (const std::exception& e) {
                settle();
                fail(outcome, e.what());
                finish(outcome, start);
                continue;
            }
            settle();
            inFlight = InFlight{std::move(outcome), start, std::move(written)};
        }
        settle();
    }
    if (reportPath) {
        std::sort(outcomes.begin(), outcomes.end(),
                  [](const Outcome& a, const Outcome& b) { return a.index < b.index; });
        try {
            WriteReport(*reportPath, outcomes);
        } catch (const std::exception& e) {
            std::cerr << "batch: the report " << *reportPath
                      << " could not be written: " << e.what() << '\n';
            return 1;
        }
    }
    return failed ? 1 : 0;
}

}  // namespace tessaly::cli
