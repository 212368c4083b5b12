// The batch verb: a manifest gives the same pictures as the same jobs through
// render, whatever the order of the jobs; JSON Lines and CSV agree; a bad job
// fails alone with its line; shards split a manifest exactly; --skip-existing
// resumes; an interrupted batch leaves only whole pictures.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "CliRunner.h"
#include "core/images/RgbaImage.h"
#include "support/ImageCompare.h"
#include "support/TestPaths.h"

extern char** environ;

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

// One job as key/value pairs, written as a JSON line, a CSV row or a render
// command line.
using Job = std::vector<std::pair<std::string, std::string>>;

std::string JsonLine(const Job& job) {
    std::string line = "{";
    for (const auto& [key, value] : job) {
        if (line.size() > 1) line += ", ";
        line += "\"" + key + "\": \"" + value + "\"";
    }
    return line + "}";
}

class BatchTest : public ::testing::Test {
  protected:
    // A batch makes and drops several GL contexts in one process; the leak
    // checker's thread-stopping tracer crashes at such a process's exit more
    // often than not on llvmpipe ("Tracer caught signal 11"), after the batch
    // has done its work. The batch children run without the leak check; the
    // address and undefined-behaviour checks stay on, and `render` (the same
    // job code in one context) keeps the leak check in the other CLI tests.
    void SetUp() override {
        if (const char* options = std::getenv("ASAN_OPTIONS")) saved_ = options;
        setenv("ASAN_OPTIONS", (saved_ + (saved_.empty() ? "" : ":") + "detect_leaks=0").c_str(),
               1);
    }
    void TearDown() override {
        if (saved_.empty())
            unsetenv("ASAN_OPTIONS");
        else
            setenv("ASAN_OPTIONS", saved_.c_str(), 1);
    }
    std::string saved_;

    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, dir.Path()); }

    std::string Picture(const std::string& name, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        RgbaImage image(40, 30);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                std::uint8_t* p = image.Pixel(x, y);
                const bool corner = x < 8 && y < 8;
                p[0] = corner ? 255 - r : r;
                p[1] = corner ? 255 - g : g;
                p[2] = corner ? 255 - b : b;
                p[3] = 255;
            }
        fs::create_directories((dir / name).parent_path());
        WritePngFile(image, dir / name);
        return name;
    }

    std::string Path(const std::string& name) { return (dir / name).string(); }

    void WriteJsonl(const std::string& name, const std::vector<Job>& jobs) {
        std::ofstream out(dir / name);
        for (const Job& job : jobs) out << JsonLine(job) << "\n";
    }

    void WriteCsv(const std::string& name, const std::vector<Job>& jobs) {
        std::vector<std::string> keys;
        for (const Job& job : jobs)
            for (const auto& kv : job)
                if (std::find(keys.begin(), keys.end(), kv.first) == keys.end())
                    keys.push_back(kv.first);
        std::ofstream out(dir / name);
        for (std::size_t k = 0; k < keys.size(); ++k) out << (k ? "," : "") << keys[k];
        out << "\n";
        for (const Job& job : jobs) {
            for (std::size_t k = 0; k < keys.size(); ++k) {
                std::string value;
                for (const auto& kv : job)
                    if (kv.first == keys[k]) value = kv.second;
                out << (k ? "," : "") << "\"" << value << "\"";
            }
            out << "\n";
        }
    }

    // Renders the job with `render`; paths in it are relative to the test folder.
    void RenderAlone(const Job& job, const std::string& output) {
        std::vector<std::string> args = {"render"};
        for (const auto& [key, value] : job) {
            if (key == "output") continue;
            if (key == "axes" || key == "light-marker") {
                if (value == "on") args.push_back("--" + key);
                continue;
            }
            const bool path = key == "project" || key == "template" || key.rfind("image", 0) == 0 ||
                              key.rfind("book", 0) == 0 || key == "front" || key == "side" ||
                              key == "top";
            args.push_back("--" + key);
            args.push_back(path ? Path(value) : value);
        }
        args.push_back("-o");
        args.push_back(output);
        const CliResult r = Run(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
    }

    TempDir dir;
};

TEST_F(BatchTest, AMixedManifestGivesWhatRenderGivesInJsonLinesAndCsv) {
    Picture("pics/front.png", 200, 30, 30);
    Picture("pics/side.png", 30, 200, 30);
    Picture("pics/book.png", 30, 30, 200);
    ASSERT_EQ(Run({"new", "--type", "flatbook", "--image1", Path("pics/side.png"), "--fov", "60",
                   "--camera-lift", "20", "-o", Path("p.eco")})
                  .exitCode,
              0);
    ASSERT_EQ(Run({"new", "--type", "cdcase", "--case-angle", "70", "--cover-rotate", "40", "-o",
                   Path("t.tem")})
                  .exitCode,
              0);
    // Jobs that change much come before plain ones, so anything one job left
    // behind would show in the next.
    const std::vector<Job> jobs = {
        {{"look", "studio"},
         {"reflection-fade", "1.2"},
         {"reflection", "0.4"},
         {"size", "64x48"},
         {"passes", "2"}},
        {{"project", "p.eco"}, {"size", "64x48"}, {"passes", "1"}, {"reflection", "0.5"}},
        {{"size", "64x48"}, {"passes", "1"}},
        {{"type", "cbox"},
         {"width", "1.7"},
         {"depth", "0.3"},
         {"size", "64x48"},
         {"passes", "1"},
         {"image1", "pics/front.png"},
         {"background", "#203040"},
         {"light", "3,5,2"},
         {"shadow", "off"},
         {"floor-texture", "off"}},
        {{"template", "t.tem"}, {"size", "64x48"}, {"passes", "1"}, {"image1", "pics/front.png"}},
        {{"type", "cdcase"}, {"size", "64x48"}, {"passes", "1"}},
        {{"type", "3bookbox"},
         {"book2-front", "pics/book.png"},
         {"size", "64x48"},
         {"passes", "2"},
         {"camera-lift", "25"}},
        {{"type", "spiral1"}, {"spiral-color", "200,0,0"}, {"size", "40x30"}, {"axes", "on"}},
        {{"type", "stdbox"}, {"front", "pics/front.png"}, {"size", "64x48"}, {"passes", "1"}},
    };
    std::vector<Job> withOutputs = jobs;
    for (std::size_t i = 0; i < jobs.size(); ++i)
        withOutputs[i].push_back({"output", "out/j" + std::to_string(i) + ".png"});
    WriteJsonl("jobs.jsonl", withOutputs);
    fs::create_directories(dir / "out");
    const CliResult batch = Run({"batch", Path("jobs.jsonl")});
    ASSERT_EQ(batch.exitCode, 0) << batch.err;

    std::vector<Job> csvJobs = jobs;
    for (std::size_t i = 0; i < jobs.size(); ++i)
        csvJobs[i].push_back({"output", "csv/j" + std::to_string(i) + ".png"});
    WriteCsv("jobs.csv", csvJobs);
    fs::create_directories(dir / "csv");
    const CliResult csv = Run({"batch", Path("jobs.csv"), "--no-progress"});
    ASSERT_EQ(csv.exitCode, 0) << csv.err;

    for (std::size_t i = 0; i < jobs.size(); ++i) {
        SCOPED_TRACE(JsonLine(jobs[i]));
        const std::string name = "j" + std::to_string(i) + ".png";
        EXPECT_NE(batch.out.find(name), std::string::npos);
        RenderAlone(jobs[i], Path("alone-" + name));
        const RgbaImage alone = ReadPng(Path("alone-" + name));
        const RgbaImage batched = ReadPng(Path("out/" + name));
        EXPECT_TRUE(CompareImages(alone, batched).Matches());
        EXPECT_EQ(ReadFileText(Path("out/" + name)), ReadFileText(Path("csv/" + name)));
    }
    // The plain box after the studio look and the project is the plain box of
    // a fresh render.
    EXPECT_EQ(ReadFileText(Path("out/j2.png")), ReadFileText(Path("alone-j2.png")));
}

TEST_F(BatchTest, ManifestLinesTakeThePictureOptions) {
    {
        // The resolution may come after the print size it converts.
        std::ofstream out(dir / "jobs.jsonl");
        out << R"({"output": "print.png", "size": "2x1in", "dpi": "50", "passes": 1, "transparent": "on"})"
            << "\n"
            << R"({"output": "q.jpg", "size": "40x30", "passes": 1, "quality": 20, "tile-size": "16"})"
            << "\n"
            << R"({"output": "bad.jpg", "size": "40x30", "transparent": "on"})"
            << "\n";
    }
    const CliResult r = Run({"batch", Path("jobs.jsonl"), "--no-progress"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    const std::string png = ReadFileText(Path("print.png"));
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png[25], 6) << "RGBA";
    EXPECT_EQ(std::uint8_t(png[19]), 100) << "2 in at 50 dpi";
    EXPECT_EQ(std::uint8_t(png[23]), 50);
    EXPECT_TRUE(fs::exists(Path("q.jpg")));
    EXPECT_FALSE(fs::exists(Path("bad.jpg")));
    EXPECT_NE(r.err.find("JPEG has no alpha"), std::string::npos) << r.err;
}

TEST_F(BatchTest, ABadJobFailsAloneWithItsLineAndTheReportSaysSo) {
    Picture("junk-free.png", 10, 10, 10);
    std::ofstream(dir / "junk.png") << "not a picture";
    {
        std::ofstream out(dir / "jobs.jsonl");
        out << R"({"output": "a.png", "size": "32x24", "passes": 1})"
            << "\n"
            << "\n"  // blank lines are not jobs
            << R"({"output": "b.png", "size": "0x24"})"
            << "\n"
            << R"({"output": "c.png", "image1": "missing.png"})"
            << "\n"
            << R"({"output": "d.png", "colour": "red"})"
            << "\n"
            << R"({"output": "e.png", "size": [32, 24]})"
            << "\n"
            << R"({"output": "f.png", "image1": "junk.png", "size": "32x24", "passes": 1})"
            << "\n"
            << R"({"output": "g.png", "size": "32x24", "passes": 1, "type": "cdcase")"
            << "\n"
            << R"({"output": "h.gif"})"
            << "\n"
            << R"({"output": "i.png", "size": "32x24", "passes": 1, "type": "cdcase"})"
            << "\n"
            << R"({"output": "../escape.png", "size": "32x24", "passes": 1})"
            << "\n"
            << R"({"output": "/tmp/tessaly-batch-escape.png", "size": "32x24"})"
            << "\n"
            << R"({"output": "notes.txt", "format": "png", "size": "32x24"})"
            << "\n"
            << R"({"output": "k.png", "log": "log.txt", "size": "32x24"})"
            << "\n";
    }
    const CliResult r = Run({"batch", Path("jobs.jsonl"), "--report", Path("report.jsonl")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
    for (const char* line :
         {"jobs.jsonl:3: size", "jobs.jsonl:4: no such picture",
          "jobs.jsonl:5: unknown key \"colour\"", "jobs.jsonl:6: ", "jobs.jsonl:7: ",
          "jobs.jsonl:8: ", "jobs.jsonl:9: ", "jobs.jsonl:11: output", "jobs.jsonl:12: output",
          "jobs.jsonl:13: output", "jobs.jsonl:14: log"})
        EXPECT_NE(r.err.find(line), std::string::npos) << line << "\n" << r.err;
    EXPECT_EQ(r.err.find("jobs.jsonl:1:"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("jobs.jsonl:10:"), std::string::npos) << r.err;
    // A manifest writes pictures only inside its output folder.
    EXPECT_FALSE(fs::exists(dir.Path().parent_path() / "escape.png"));
    EXPECT_FALSE(fs::exists("/tmp/tessaly-batch-escape.png"));
    EXPECT_FALSE(fs::exists(dir / "notes.txt"));
    EXPECT_FALSE(fs::exists(dir / "log.txt"));
    EXPECT_TRUE(fs::exists(dir / "a.png"));
    EXPECT_TRUE(fs::exists(dir / "i.png"));
    for (const char* name : {"b.png", "c.png", "d.png", "e.png", "f.png", "g.png", "h.gif"})
        EXPECT_FALSE(fs::exists(dir / name)) << name;

    const std::string report = ReadFileText(Path("report.jsonl"));
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = report.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(report.substr(at, end - at));
    ASSERT_EQ(lines.size(), 13u) << report;
    for (const std::string& line : lines) EXPECT_TRUE(IsJson(line)) << line;
    EXPECT_NE(lines[0].find("\"line\": 1, \"index\": 0"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("\"status\": \"ok\""), std::string::npos);
    EXPECT_NE(lines[5].find("\"status\": \"failed\""), std::string::npos);
    EXPECT_NE(lines[5].find("\"error\": "), std::string::npos);
    EXPECT_NE(lines[8].find("\"line\": 10, \"index\": 8"), std::string::npos) << lines[8];

    // --fail-fast stops at the first failure: here a check, before drawing.
    fs::remove(dir / "a.png");
    const CliResult fast = Run({"batch", Path("jobs.jsonl"), "--fail-fast"});
    EXPECT_EQ(fast.exitCode, 1);
    EXPECT_FALSE(fs::exists(dir / "a.png"));
    // ... and here a picture that cannot be read, after the first job.
    {
        std::ofstream out(dir / "late.jsonl");
        out << R"({"output": "a.png", "size": "32x24", "passes": 1})"
            << "\n"
            << R"({"output": "f.png", "image1": "junk.png", "size": "32x24", "passes": 1})"
            << "\n"
            << R"({"output": "i.png", "size": "32x24", "passes": 1})"
            << "\n";
    }
    fs::remove(dir / "i.png");
    const CliResult late = Run({"batch", Path("late.jsonl"), "--fail-fast"});
    EXPECT_EQ(late.exitCode, 1);
    EXPECT_NE(late.err.find("late.jsonl:2:"), std::string::npos) << late.err;
    EXPECT_TRUE(fs::exists(dir / "a.png"));
    EXPECT_FALSE(fs::exists(dir / "i.png"));
}

// A picture's file is finished while the next job is drawn: a file that
// cannot be written still fails its own job alone, in order, and two jobs
// naming one file leave the later job's picture.
TEST_F(BatchTest, AFileThatCannotBeWrittenFailsItsJobAloneAndLaterJobsWriteLater) {
    std::ofstream(dir / "blocker") << "a file, not a folder";
    {
        std::ofstream out(dir / "jobs.jsonl");
        out << R"({"output": "one.png", "size": "32x24", "passes": 1})"
            << "\n"
            << R"({"output": "blocker/two.png", "size": "32x24", "passes": 1})"
            << "\n"
            << R"({"output": "same.png", "size": "32x24", "passes": 1, "background": "255,0,0"})"
            << "\n"
            << R"({"output": "same.png", "size": "32x24", "passes": 1, "background": "0,0,255"})"
            << "\n";
    }
    const CliResult r = Run({"batch", Path("jobs.jsonl"), "--report", Path("report.jsonl")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("jobs.jsonl:2: "), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("jobs.jsonl:3: "), std::string::npos) << r.err;
    EXPECT_EQ(r.out, Path("one.png") + "\n" + Path("same.png") + "\n" + Path("same.png") + "\n");
    EXPECT_TRUE(fs::exists(dir / "one.png"));
    const RgbaImage same = ReadPng(dir / "same.png");
    EXPECT_EQ(same.Pixel(0, 0)[0], 0);
    EXPECT_EQ(same.Pixel(0, 0)[2], 255);
    const std::string report = ReadFileText(Path("report.jsonl"));
    const std::size_t failedAt = report.find("\"status\": \"failed\"");
    ASSERT_NE(failedAt, std::string::npos) << report;
    EXPECT_LT(report.find("\"line\": 2"), failedAt);
    EXPECT_GT(report.find("\"line\": 3"), failedAt);
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        EXPECT_NE(entry.path().filename().string().rfind(".tsy-", 0), 0u) << entry.path();
}

TEST_F(BatchTest, BadBatchCommandLinesExitTwo) {
    std::ofstream(dir / "jobs.jsonl") << R"({"output": "a.png"})"
                                      << "\n";
    const std::string jobs = Path("jobs.jsonl");
    const std::vector<std::vector<std::string>> lines = {
        {"batch"},
        {"batch", jobs, jobs},
        {"batch", Path("jobs.txt")},
        {"batch", jobs, "--format", "xml"},
        {"batch", jobs, "--shard", "3/2"},
        {"batch", jobs, "--shard", "0/2"},
        {"batch", jobs, "--shard", "1"},
        {"batch", jobs, "--shard", "auto"},
        {"batch", jobs, "--shard-count", "2"},
        {"batch", jobs, "--keep-going", "--fail-fast"},
        {"batch", jobs, "--bogus"},
    };
    for (const auto& line : lines) {
        std::string text;
        for (const auto& a : line) text += " " + a;
        SCOPED_TRACE(text);
        const CliResult r = Run(line);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_FALSE(fs::exists(dir / "a.png"));
    }
    EXPECT_EQ(Run({"batch", Path("missing.jsonl")}).exitCode, 1);
    std::ofstream(dir / "bad.csv") << "output,\"unclosed\n";
    EXPECT_EQ(Run({"batch", Path("bad.csv")}).exitCode, 1);
}

using Vars = std::map<std::string, std::string>;

// Sets environment variables for the children started while it lives.
class ScopedEnvironment {
  public:
    explicit ScopedEnvironment(std::map<std::string, std::string> values)
        : values_(std::move(values)) {
        for (const auto& [k, v] : values_) setenv(k.c_str(), v.c_str(), 1);
    }
    ~ScopedEnvironment() {
        for (const auto& [k, v] : values_) unsetenv(k.c_str());
    }

  private:
    std::map<std::string, std::string> values_;
};

TEST_F(BatchTest, ShardsTogetherMakeEveryPictureOnce) {
    std::vector<Job> jobs;
    for (int i = 0; i < 7; ++i)
        jobs.push_back({{"output", "s" + std::to_string(i) + ".bmp"},
                        {"size", "16x12"},
                        {"passes", "1"},
                        {"cover-rotate", std::to_string(i * 40)}});
    WriteJsonl("jobs.jsonl", jobs);

    auto made = [&](const CliResult& r) {
        std::multiset<std::string> names;
        std::size_t at = 0;
        for (std::size_t end; (end = r.out.find('\n', at)) != std::string::npos; at = end + 1)
            names.insert(fs::path(r.out.substr(at, end - at)).filename().string());
        for (const auto& n : names) fs::remove(dir / n);
        return names;
    };
    auto expectAll = [&](const std::multiset<std::string>& a, const std::multiset<std::string>& b) {
        std::multiset<std::string> all = a;
        all.insert(b.begin(), b.end());
        std::multiset<std::string> expected;
        for (int i = 0; i < 7; ++i) expected.insert("s" + std::to_string(i) + ".bmp");
        EXPECT_EQ(all, expected);
    };

    const CliResult one = Run({"batch", Path("jobs.jsonl"), "--shard", "1/2"});
    const CliResult two = Run({"batch", Path("jobs.jsonl"), "--shard", "2/2"});
    ASSERT_EQ(one.exitCode, 0) << one.err;
    ASSERT_EQ(two.exitCode, 0) << two.err;
    const auto a = made(one), b = made(two);
    EXPECT_EQ(a.count("s0.bmp"), 1u);
    EXPECT_EQ(a.size(), 4u);
    expectAll(a, b);

    // A Slurm array numbered 3..4.
    std::multiset<std::string> slurm[2];
    for (int task = 3; task <= 4; ++task) {
        ScopedEnvironment env(Vars{{"SLURM_ARRAY_TASK_ID", std::to_string(task)},
                                   {"SLURM_ARRAY_TASK_MIN", "3"},
                                   {"SLURM_ARRAY_TASK_COUNT", "2"}});
        const CliResult r = Run({"batch", Path("jobs.jsonl"), "--shard", "auto"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        slurm[task - 3] = made(r);
    }
    EXPECT_EQ(slurm[0], a);
    expectAll(slurm[0], slurm[1]);

    // A Kubernetes indexed job, the count from the option or the variable.
    std::multiset<std::string> k8s[2];
    for (int index = 0; index < 2; ++index) {
        ScopedEnvironment env(Vars{{"JOB_COMPLETION_INDEX", std::to_string(index)}});
        const CliResult r =
            index == 0 ? Run({"batch", Path("jobs.jsonl"), "--shard", "auto", "--shard-count", "2"})
                       : [&] {
                             ScopedEnvironment count(Vars{{"TESSALY_SHARD_COUNT", "2"}});
                             return Run({"batch", Path("jobs.jsonl"), "--shard", "auto"});
                         }();
        ASSERT_EQ(r.exitCode, 0) << r.err;
        k8s[index] = made(r);
    }
    expectAll(k8s[0], k8s[1]);
    {
        ScopedEnvironment env(Vars{{"JOB_COMPLETION_INDEX", "5"}, {"TESSALY_SHARD_COUNT", "2"}});
        EXPECT_EQ(Run({"batch", Path("jobs.jsonl"), "--shard", "auto"}).exitCode, 2);
    }
}

TEST_F(BatchTest, SkipExistingResumesAndLeavesMadePicturesAlone) {
    std::vector<Job> jobs;
    for (int i = 0; i < 3; ++i)
        jobs.push_back(
            {{"output", "r" + std::to_string(i) + ".png"}, {"size", "16x12"}, {"passes", "1"}});
    WriteJsonl("jobs.jsonl", jobs);
    std::ofstream(dir / "r1.png") << "made before";
    const CliResult r =
        Run({"batch", Path("jobs.jsonl"), "--skip-existing", "--report", Path("report.jsonl")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileText(Path("r1.png")), "made before");
    EXPECT_TRUE(fs::exists(dir / "r0.png"));
    EXPECT_TRUE(fs::exists(dir / "r2.png"));
    EXPECT_NE(ReadFileText(Path("report.jsonl")).find("\"status\": \"skipped\""),
              std::string::npos);
}

TEST_F(BatchTest, AnInterruptedBatchLeavesOnlyWholePictures) {
    std::vector<Job> jobs;
    for (int i = 0; i < 40; ++i)
        jobs.push_back({{"output", "k" + std::to_string(i) + ".png"},
                        {"size", "320x240"},
                        {"passes", "8"},
                        {"cover-rotate", std::to_string(i * 9)}});
    WriteJsonl("jobs.jsonl", jobs);
    const std::string program = (ProgramDir() / "tessaly-cli").string();
    const std::string manifest = Path("jobs.jsonl");
    const std::string devnull = "/dev/null";
    std::vector<char*> argv = {const_cast<char*>(program.c_str()), const_cast<char*>("batch"),
                               const_cast<char*>(manifest.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    // Kill it once a few pictures are there, in the middle of the run.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!fs::exists(dir / "k2.png") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(fs::exists(dir / "k2.png"));

    int pictures = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        if (entry.path().extension() != ".png") continue;
        SCOPED_TRACE(entry.path());
        const RgbaImage picture = ReadPng(entry.path());  // throws on a torn file
        EXPECT_EQ(picture.width, 320);
        EXPECT_EQ(picture.height, 240);
        ++pictures;
    }
    EXPECT_GE(pictures, 3);
    EXPECT_LT(pictures, 40) << "the batch was not interrupted";
}

}  // namespace
}  // namespace tessaly::test
