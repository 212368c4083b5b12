#include "app/files/DialogFolders.h"

#include <filesystem>
#include <system_error>

#include "core/io/FileIO.h"
#include "core/settings/SettingsFile.h"

namespace tessaly {

namespace {

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

}  // namespace

std::optional<FileKind> FileKindOfDialog(std::string_view dialog) {
    if (dialog == "OpenPicture") return FileKind::Pictures;
    if (dialog == "OpenCoverDialog" || dialog == "SaveCoverDialog") return FileKind::Projects;
    if (dialog == "OpenTemplateDialog" || dialog == "SaveTemplateDialog")
        return FileKind::Templates;
    if (dialog == "CaptureDialog" || dialog == "ExportBmpDialog" || dialog == "ExportJpegDialog" ||
        dialog == "ExportPngDialog")
        return FileKind::SavedPictures;
    return std::nullopt;
}

std::string_view FolderKey(FileKind kind) {
    switch (kind) {
        case FileKind::Pictures:
            return "[PicturesFolder]";
        case FileKind::Projects:
            return "[ProjectsFolder]";
        case FileKind::Templates:
            return "[TemplatesFolder]";
        case FileKind::SavedPictures:
            return "[SavedPicturesFolder]";
    }
    return {};
}

std::string StartFolder(const TSettingsFile& settings, FileKind kind, const DialogStartFolders& user) {
    const std::string remembered = settings.ReadValue(FolderKey(kind));
    if (remembered != kSettingMissing && IsFolder(remembered)) return remembered;
    const bool pictures = kind == FileKind::Pictures || kind == FileKind::SavedPictures;
    const std::string& preferred = pictures ? user.pictures : user.documents;
    if (IsFolder(preferred)) return preferred;
    return IsFolder(user.home) ? user.home : std::string();
}

void RememberFolder(TSettingsFile& settings, FileKind kind, const std::string& chosenFile) {
    const std::string folder = std::filesystem::path(chosenFile).parent_path().string();
    if (folder.empty() || folder.find_first_of("\r\n") != std::string::npos) return;
    try {
        settings.WriteOrAddValue(FolderKey(kind), folder);
    } catch (const FileError&) {
        // The dialog still works; it only starts elsewhere next time.
    }
}

}  // namespace tessaly
