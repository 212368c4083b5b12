#include "gui/EditorLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <filesystem>

#include "app/options/OptionsHandlers.h"

namespace tessaly {

std::string ResolveEditor(const std::string& setting) {
    if (setting.empty() || setting == "-") return {};
    if (setting != "PBRUSH") return setting;
    for (const char* program : {"pinta", "kolourpaint", "mtpaint", "gimp", "krita"}) {
        const QString found = QStandardPaths::findExecutable(program);
        if (!found.isEmpty()) return found.toStdString();
    }
    return {};
}

std::vector<std::string> EditorArguments(const std::string& editor, const std::string& path,
                                         const std::string& aspect) {
    if (!aspect.empty() && std::filesystem::path(editor).filename() == kBuiltInEditorName)
        return {"--aspect", aspect, path};
    return {path};
}

void StartEditor(const std::string& editorSetting, const std::string& path,
                 const std::string& aspect) {
    const std::string editor = ResolveEditor(editorSetting);
    if (editor.empty()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
        return;
    }
    QStringList arguments;
    for (const std::string& a : EditorArguments(editor, path, aspect))
        arguments << QString::fromStdString(a);
    QProcess::startDetached(QString::fromStdString(editor), arguments);
}

}  // namespace tessaly
