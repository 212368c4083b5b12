#include "gui/EditorLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#include <filesystem>

#include "app/options/OptionsHandlers.h"
#include "core/settings/SettingsFile.h"
#include "gui/QtUserPort.h"

namespace tessaly {

std::string ResolveEditor(const std::string& setting, const std::string& programFolder) {
    if (setting.empty() || setting == kSettingMissing || setting == kSystemPaintEditor) return {};
    if (setting == kBuiltInEditorName) return programFolder + setting;
    return setting;
}

std::vector<std::string> EditorArguments(const std::string& editor, const std::string& path,
                                         const std::string& aspect) {
    if (!aspect.empty() && std::filesystem::path(editor).filename() == kBuiltInEditorName)
        return {"--aspect", aspect, path};
    return {path};
}

bool StartEditor(QtUserPort& port, const std::string& programFolder,
                 const std::string& editorSetting, const std::string& path,
                 const std::string& aspect) {
    const std::string editor = ResolveEditor(editorSetting, programFolder);
    if (editor.empty()) return port.OpenDocument(path);
    QStringList arguments;
    for (const std::string& a : EditorArguments(editor, path, aspect))
        arguments << QString::fromStdString(a);
    if (QProcess::startDetached(QString::fromStdString(editor), arguments)) return true;
    port.SayCannotStart(editor);
    return false;
}

}  // namespace tessaly
