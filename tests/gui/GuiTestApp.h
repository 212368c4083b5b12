// The one QApplication of the GUI tests. Without TESSALY_GUI_DISPLAY it runs
// on Qt's offscreen platform (no display, no GL in the panel: the window then
// renders through a headless context); with it, on the real display.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/MainWindow.h"

namespace tessaly::test {

bool OnDisplay();
QApplication& App();
// A window over the program folder of the build, headless unless `panelGL`.
std::unique_ptr<MainWindow> MakeWindow(bool panelGL = false,
                                       std::vector<std::string> arguments = {});
// A headless window over a program folder made by MakeProgramFolder, with
// no update check; `preparePort` answers its questions and dialogs.
std::unique_ptr<MainWindow> OpenWindowIn(const std::filesystem::path& program,
                                         std::function<void(QtUserPort&)> preparePort = {});
// A program folder of its own under `root`, so that working copies and
// settings do not touch the build's: the build's shipped files linked in,
// settings that open nothing after saving and make no update check, English,
// and the capture size mode `capture` ("view" or "pref").
std::filesystem::path MakeProgramFolder(const std::filesystem::path& root,
                                        const std::string& capture);
// Runs the event loop until `done` or `ms` milliseconds pass.
template <typename Pred>
bool WaitFor(Pred done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

}  // namespace tessaly::test
