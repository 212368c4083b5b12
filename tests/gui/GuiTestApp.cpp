#include "GuiTestApp.h"

#include <QElapsedTimer>
#include <QSurfaceFormat>
#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

#include "render/EglContext.h"

namespace tessaly::test {

bool OnDisplay() {
    const char* display = std::getenv("TESSALY_GUI_DISPLAY");
    return display && *display == '1' && std::getenv("DISPLAY");
}

QApplication& App() {
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (!OnDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");
        QSurfaceFormat format;
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        format.setDepthBufferSize(24);
        format.setStencilBufferSize(8);
        format.setSwapInterval(0);
        QSurfaceFormat::setDefaultFormat(format);
        return new QApplication(argc, argv);
    }();
    return *app;
}

std::unique_ptr<MainWindow> MakeWindow(bool panelGL, std::vector<std::string> arguments) {
    App();
    MainWindow::Options options;
    options.programFolder = std::string(TESSALY_PROGRAM_DIR) + "/";
    options.arguments = std::move(arguments);
    if (!panelGL) options.context = std::make_unique<EglContext>();
    // No update check against the real site; its tests start it themselves.
    options.updateCheckDelayMs = -1;
    options.preparePort = [](QtUserPort& port) {
        port.Answer = [](const std::string&, const std::string& text, MessageButtons) {
            ADD_FAILURE() << "unexpected message: " << text;
            return MessageAnswer::Ok;
        };
    };
    return std::make_unique<MainWindow>(std::move(options));
}

std::unique_ptr<MainWindow> OpenWindowIn(const std::filesystem::path& program,
                                         std::function<void(QtUserPort&)> preparePort) {
    App();
    MainWindow::Options options;
    options.programFolder = program.string() + "/";
    options.context = std::make_unique<EglContext>();
    options.updateCheckDelayMs = -1;
    options.preparePort = std::move(preparePort);
    return std::make_unique<MainWindow>(std::move(options));
}

// The look the window starts in: TESSALY_PANEL_LOOK (scripts/panel-fps
// measures either look), classic by default.
namespace {
std::string PanelLook() {
    const char* look = std::getenv("TESSALY_PANEL_LOOK");
    return look != nullptr && std::string(look) == "studio" ? "studio" : "classic";
}
}  // namespace

std::filesystem::path MakeProgramFolder(const std::filesystem::path& root,
                                        const std::string& capture) {
    namespace fs = std::filesystem;
    const fs::path program = root / "program";
    fs::create_directories(program);
    for (const char* name : {"Data", "Tsym", "Languages", "_incov", "_resettem"}) {
        const fs::path from = fs::path(TESSALY_PROGRAM_DIR) / name;
        if (fs::exists(from)) fs::create_symlink(from, program / name);
    }
    std::ofstream(program / "settings.ini")
        << "[DefaultEditor]\nPBRUSH\n[OpenPic]\noff\n[UpdateCheck]\noff\n[capture]\n"
        << capture << "\n[CDepth]\n24\n[Language]\nEnglish.ini\n[Look]\n"
        << PanelLook() << "\n";
    return program;
}

}  // namespace tessaly::test
