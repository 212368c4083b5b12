// WindowState: what the window remembers from one run to the next in the
// settings file, under keys of its own: its size and position, the selected
// tab and the antialiasing level. Values that do not fit the window now (a
// tab that is not there, a level out of range, a damaged geometry) are
// ignored.
#pragma once

class QTabWidget;

namespace tessaly {

class MainWindow;
class TSettingsFile;

// Size, position and tab, before the window is first shown.
void RestoreWindowPlacement(MainWindow& window, QTabWidget& tabs, const TSettingsFile& settings);
// The antialiasing level, once rendering runs (its frame-rate check may
// still lower it on a slow renderer).
void RestoreAntialiasing(MainWindow& window, const TSettingsFile& settings);
// Stores when the window closes. Errors of the settings file are ignored:
// the state is a convenience.
void SaveWindowState(MainWindow& window, const QTabWidget& tabs, TSettingsFile& settings);

}  // namespace tessaly
