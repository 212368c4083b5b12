#include "gui/ImageSlots.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <filesystem>

#include "app/MainState.h"
#include "core/images/PictureReader.h"
#include "render/Textures.h"

namespace tessaly {

std::string MakeWorkingCopy(const std::string& programFolder, const std::string& name,
                            const std::string& chosen) {
    namespace fs = std::filesystem;
    const std::string folder = programFolder + "Images/";
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string target = folder + name + fs::path(chosen).extension().string();
    if (!fs::equivalent(chosen, target, ec))
        fs::copy_file(chosen, target, fs::copy_options::overwrite_existing, ec);
    return target;
}

std::string ResolveEditor(const std::string& setting) {
    if (setting.empty() || setting == "-") return {};
    if (setting != "PBRUSH") return setting;
    for (const char* program : {"pinta", "kolourpaint", "mtpaint", "gimp", "krita"}) {
        const QString found = QStandardPaths::findExecutable(program);
        if (!found.isEmpty()) return found.toStdString();
    }
    return {};
}

void StartEditor(const std::string& editorSetting, const std::string& path) {
    const std::string editor = ResolveEditor(editorSetting);
    if (editor.empty()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
        return;
    }
    QProcess::startDetached(QString::fromStdString(editor), {QString::fromStdString(path)});
}

bool SetFloorImage(MainState& state, const std::string& path, bool fileRoad) {
    RenderSession& session = state.Session;
    GLuint& texture = session.TheScene.Floor.Texture;
    if (fileRoad) {
        GLuint fresh = 0;
        if (!TextureFromFile(path, fresh, session.Port) || fresh == 0) return false;
        ReleaseTexture(texture);
        texture = fresh;
        return true;
    }
    RgbaImage picture;
    try {
        picture = ReadPicture(path);
    } catch (const std::exception& e) {
        session.Port.ShowMessage(MessageKind::Error, e.what(), "", MessageButtons::Ok);
        return false;
    }
    ReleaseTexture(texture);
    TextureFromPicture(picture, texture);
    return true;
}

}  // namespace tessaly
