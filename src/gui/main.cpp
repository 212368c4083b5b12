// tessaly: the desktop program. Sets the OpenGL surface format before the
// first widget exists, then shows the main window.
#include <QApplication>
#include <QSurfaceFormat>

#include "app/ProgramFolder.h"
#include "gui/MainWindow.h"

int main(int argc, char** argv) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapInterval(0);
    QSurfaceFormat::setDefaultFormat(format);

    QApplication app(argc, argv);
    tessaly::MainWindow::Options options;
    options.programFolder = tessaly::ProgramFolder();
    for (int i = 1; i < argc; ++i) options.arguments.emplace_back(argv[i]);
    tessaly::MainWindow window(std::move(options));
    window.show();
    return app.exec();
}
