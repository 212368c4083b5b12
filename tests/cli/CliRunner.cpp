#include "CliRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "support/TestPaths.h"

extern char** environ;

namespace tessaly::test {

std::string ReadFileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

namespace {

CliResult RunCliOnce(const std::vector<std::string>& args, const std::filesystem::path& scratch) {
    const std::string program = (ProgramDir() / "tessaly-cli").string();
    const std::string outPath = (scratch / "cli-stdout").string();
    const std::string errPath = (scratch / "cli-stderr").string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + program);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFileText(outPath);
    result.err = ReadFileText(errPath);
    return result;
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& scratch) {
    // Under load the leak checker's own thread-stopping tracer now and then
    // crashes at exit ("Tracer caught signal 11"), after the command has done
    // its work; that says nothing about the command, so it is run again.
    constexpr std::string_view kCheckerCrashed = "LeakSanitizer has encountered a fatal error";
    CliResult result = RunCliOnce(args, scratch);
    for (int retry = 0; retry < 2 && result.err.find(kCheckerCrashed) != std::string::npos; ++retry)
        result = RunCliOnce(args, scratch);
    return result;
}

namespace {

class JsonCheck {
  public:
    explicit JsonCheck(const std::string& text) : t_(text) {}

    bool Document() {
        Space();
        if (!Value()) return false;
        Space();
        return i_ == t_.size();
    }

  private:
    void Space() {
        while (i_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[i_]))) ++i_;
    }
    bool Eat(char ch) {
        Space();
        if (i_ < t_.size() && t_[i_] == ch) {
            ++i_;
            return true;
        }
        return false;
    }
    bool Word(const char* w) {
        const std::string word(w);
        if (t_.compare(i_, word.size(), word) != 0) return false;
        i_ += word.size();
        return true;
    }
    bool String() {
        if (!Eat('"')) return false;
        while (i_ < t_.size()) {
            const unsigned char ch = static_cast<unsigned char>(t_[i_++]);
            if (ch == '"') return true;
            if (ch < 0x20) return false;
            if (ch == '\\') {
                if (i_ >= t_.size()) return false;
                const char e = t_[i_++];
                if (e == 'u') {
                    for (int k = 0; k < 4; ++k)
                        if (i_ >= t_.size() || !std::isxdigit(static_cast<unsigned char>(t_[i_++])))
                            return false;
                } else if (std::string("\"\\/bfnrt").find(e) == std::string::npos) {
                    return false;
                }
            }
        }
        return false;
    }
    bool Number() {
        const std::size_t start = i_;
        if (i_ < t_.size() && t_[i_] == '-') ++i_;
        auto digits = [&] {
            const std::size_t from = i_;
            while (i_ < t_.size() && std::isdigit(static_cast<unsigned char>(t_[i_]))) ++i_;
            return i_ > from;
        };
        if (!digits()) return false;
        if (t_[start + (t_[start] == '-')] == '0' && i_ - start > 1u + (t_[start] == '-'))
            return false;  // no leading zeros
        if (i_ < t_.size() && t_[i_] == '.') {
            ++i_;
            if (!digits()) return false;
        }
        if (i_ < t_.size() && (t_[i_] == 'e' || t_[i_] == 'E')) {
            ++i_;
            if (i_ < t_.size() && (t_[i_] == '+' || t_[i_] == '-')) ++i_;
            if (!digits()) return false;
        }
        return true;
    }
    bool Value() {
        Space();
        if (i_ >= t_.size()) return false;
        switch (t_[i_]) {
            case '{':
                ++i_;
                if (Eat('}')) return true;
                do {
                    Space();
                    if (!String() || !Eat(':') || !Value()) return false;
                } while (Eat(','));
                return Eat('}');
            case '[':
                ++i_;
                if (Eat(']')) return true;
                do {
                    if (!Value()) return false;
                } while (Eat(','));
                return Eat(']');
            case '"':
                return String();
            case 't':
                return Word("true");
            case 'f':
                return Word("false");
            case 'n':
                return Word("null");
            default:
                return Number();
        }
    }

    const std::string& t_;
    std::size_t i_ = 0;
};

}  // namespace

bool IsJson(const std::string& text) {
    return JsonCheck(text).Document();
}

}  // namespace tessaly::test
