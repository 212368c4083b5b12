#include "gui/WindowState.h"

#include <QByteArray>
#include <QTabWidget>
#include <optional>
#include <string>

#include "app/MainState.h"
#include "core/settings/SettingsFile.h"
#include "gui/MainWindow.h"

namespace tessaly {

namespace {

// None of these names is part of another key's name, nor holds one.
constexpr std::string_view kGeometryKey = "[WindowGeometry]";
constexpr std::string_view kTabKey = "[SelectedTab]";
constexpr std::string_view kPassesKey = "[AntialiasPasses]";

std::optional<int> ReadNumber(const TSettingsFile& settings, std::string_view key) {
    const std::string text = settings.ReadValue(key);
    try {
        std::size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size()) return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

}  // namespace

void RestoreWindowPlacement(MainWindow& window, QTabWidget& tabs, const TSettingsFile& settings) {
    const std::string geometry = settings.ReadValue(kGeometryKey);
    if (!geometry.empty() && geometry != kSettingMissing)
        window.restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(geometry)));
    if (const auto tab = ReadNumber(settings, kTabKey); tab && *tab >= 0 && *tab < tabs.count())
        tabs.setCurrentIndex(*tab);
}

void RestoreAntialiasing(MainWindow& window, const TSettingsFile& settings) {
    ScrollBar& passes = window.State().Controls.TrackBar1;
    if (const auto level = ReadNumber(settings, kPassesKey);
        level && *level >= passes.Min && *level <= passes.Max)
        passes.SetPosition(*level);
}

void SaveWindowState(MainWindow& window, const QTabWidget& tabs, TSettingsFile& settings) {
    try {
        settings.WriteOrAddValue(kGeometryKey, window.saveGeometry().toBase64().toStdString());
        settings.WriteOrAddValue(kTabKey, std::to_string(tabs.currentIndex()));
        settings.WriteOrAddValue(kPassesKey,
                                 std::to_string(window.State().Controls.TrackBar1.Position));
    } catch (const std::exception&) {
        // A settings file that cannot be written: the window starts as new.
    }
}

}  // namespace tessaly
