#include "cli/BatchCommand.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/Json.h"
#include "cli/job/JobOptions.h"
#include "cli/job/JobRunner.h"
#include "cli/job/Manifest.h"
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
picture. The path of each picture written goes to standard output.

Options
      --format jsonl|csv   the manifest's format (default: from its extension;
                           jsonl for standard input)
      --keep-going         make every job even after a failure (the default)
      --fail-fast          stop at the first failure
      --skip-existing      skip jobs whose output file exists (resumes a batch)
      --report FILE.jsonl  write one line per job: line, index, output,
                           status (ok, failed, skipped), seconds, error
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
    if (!(failFast && failed)) {
        Progress progress(std::cerr, pending.size(), showProgress);
        std::size_t done = 0;
        for (const PendingJob& p : pending) {
            const auto start = std::chrono::steady_clock::now();
            Outcome outcome{p.line, p.index, p.job.output, "ok", 0, {}};
            if (skipExisting && FileExists(p.job.output)) {
                outcome.status = "skipped";
            } else {
                try {
                    runner.Run(p.job);
                    std::cout << p.job.output << '\n';
                } catch (const RunnerFailure& e) {
                    progress.Message("batch: " + std::string(e.what()));
                    return 1;
                } catch (const std::exception& e) {
                    outcome.status = "failed";
                    outcome.error = e.what();
                    progress.Message(where + ":" + std::to_string(p.line) + ": " + e.what());
                    failed = true;
                }
            }
            outcome.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            outcomes.push_back(std::move(outcome));
            progress.Done(++done);
            if (failed && failFast) break;
        }
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
