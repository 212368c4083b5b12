#include "core/mail/DocumentsFolder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/util/Text.h"

namespace tessaly {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string_view Trim(std::string_view s) {
    return TrimBlanks(s);
}

}  // namespace

std::string UserDirsDocuments(std::string_view text, std::string_view home) {
    return UserDirsEntry(text, "XDG_DOCUMENTS_DIR", home);
}

std::string UserDirsEntry(std::string_view text, std::string_view name, std::string_view home) {
    std::string result;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == '#') continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || Trim(line.substr(0, eq)) != name) continue;
        std::string_view value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        // The file's format allows only "$HOME/..." or an absolute path.
        if (value == "$HOME" || value.starts_with("$HOME/"))
            result = std::string(home) + std::string(value.substr(5));
        else
            result = std::string(value);
    }
    return result;
}

std::vector<std::filesystem::path> DocumentsCandidates(const std::string& preferred,
                                                       const std::string& xdgEnv,
                                                       const std::string& userDirs,
                                                       const std::string& home) {
    std::vector<std::filesystem::path> out;
    auto add = [&out](const std::string& p) {
        if (p.empty()) return;
        std::filesystem::path path = std::filesystem::path(p).lexically_normal();
        if (!path.is_absolute()) return;
        if (!path.has_filename() && path != path.root_path())
            path = path.parent_path();  // drop a trailing "/"
        if (std::find(out.begin(), out.end(), path) == out.end()) out.push_back(path);
    };
    add(preferred);
    add(xdgEnv);
    add(userDirs);
    if (!home.empty()) add(home + "/Documents");
    return out;
}

std::optional<std::filesystem::path> ChooseDocumentsFolder(
    const std::vector<std::filesystem::path>& candidates) {
    std::error_code ec;
    for (const auto& c : candidates)
        if (std::filesystem::is_directory(c, ec)) return c;
    for (const auto& c : candidates) {
        std::filesystem::create_directories(c, ec);
        if (!ec && std::filesystem::is_directory(c, ec)) return c;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> FindDocumentsFolder(const std::string& preferred) {
    const std::string home = Env("HOME");
    std::string configHome = Env("XDG_CONFIG_HOME");
    if (configHome.empty() && !home.empty()) configHome = home + "/.config";
    std::string userDirs;
    if (!configHome.empty()) {
        std::ifstream in(std::filesystem::path(configHome) / "user-dirs.dirs");
        if (in) {
            std::ostringstream text;
            text << in.rdbuf();
            userDirs = UserDirsDocuments(text.str(), home);
        }
    }
    return ChooseDocumentsFolder(
        DocumentsCandidates(preferred, Env("XDG_DOCUMENTS_DIR"), userDirs, home));
}

}  // namespace tessaly
