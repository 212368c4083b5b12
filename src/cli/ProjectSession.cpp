#include "cli/ProjectSession.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "app/cover/CoverAssembly.h"
#include "app/project/CoverProject.h"
#include "cli/Arguments.h"
#include "cli/CliLanguage.h"
#include "core/paths/FileLocations.h"
#include "render/EglContext.h"

namespace tessaly::cli {

namespace {

const char* KindName(MessageKind kind) {
    switch (kind) {
        case MessageKind::Error:
            return "error";
        case MessageKind::Information:
            return "information";
        case MessageKind::Warning:
            return "warning";
        case MessageKind::Confirmation:
            return "confirmation";
        default:
            return "plain";
    }
}

bool EndsWith(std::string s, const std::string& tail) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

MessageAnswer CliPort::ShowMessage(MessageKind kind, const std::string& text,
                                   const std::string& caption, MessageButtons buttons,
                                   const std::string& key) {
    Messages.push_back({KindName(kind), key, text});
    if (kind == MessageKind::Error) ErrorShown = true;
    return QuietPort::ShowMessage(kind, text, caption, buttons, key);
}

void CliPort::ShowStatus(int panel, const std::string& text, const std::string& key) {
    if (panel == 0) Status.push_back({"status", key, text});
}

void CliPort::SetStatusText(int panel, const std::string& text) {
    if (panel == 0) Status.push_back({"status", "", text});
}

TempFolder::TempFolder() {
    std::error_code ec;
    std::string base = std::filesystem::temp_directory_path(ec).string();
    if (ec || base.empty()) base = "/tmp";
    std::string pattern = base + "/tessaly-cli-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder in " + base);
    path_ = pattern + "/";
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

ProjectSession::ProjectSession(int width, int height, const std::string& logPath) {
    State = std::make_unique<MainState>(FindFileLocations(), Port, std::make_unique<EglContext>());
    State->Session.ImagesFolder = Images.Path();
    State->Session.LanguageFile = CliLanguageFile(State->Session.Files);
    SetupOptions setup;
    setup.width = width;
    setup.height = height;
    setup.logPath = logPath;
    if (!State->Session.SetupRendering(setup))
        throw std::runtime_error("no OpenGL context could be made");
    if (State->Session.Catalogue.Count < 1)
        throw std::runtime_error("no cover models could be loaded");
    State->SetRenderingEnabled(true);
    SelectCover(*State, 1);
    State->Controls.ModelsComboBox.Select(0);
}

bool ProjectSession::Open(const std::string& path) {
    switch (CoverFileTypeOf(path)) {
        case CoverFileType::Project:
            return ReadCoverProject(*State, path);
        case CoverFileType::Template:
            if (!ReadTemplate(*State, path)) return false;
            SelectCover(*State, State->Cover.Entry);
            return true;
        default:
            throw UsageError("\"" + path + "\" is neither a project (.eco) nor a template (.tem)");
    }
}

CoverFileType CoverFileTypeOf(const std::string& path) {
    if (EndsWith(path, ".eco") || path == "_incov" || EndsWith(path, "/_incov"))
        return CoverFileType::Project;
    if (EndsWith(path, ".tem") || path == "_resettem" || EndsWith(path, "/_resettem"))
        return CoverFileType::Template;
    return CoverFileType::Other;
}

}  // namespace tessaly::cli
