// tessaly: the desktop program. Answers --help and --version without a
// display, sets the OpenGL surface format before the first widget exists,
// then shows the main window.
#include <QApplication>
#include <QSurfaceFormat>
#include <cstring>
#include <iostream>

#include "core/paths/FileLocations.h"
#include "core/util/Version.h"
#include "gui/MainWindow.h"

namespace {

const char* const kUsage = R"(Usage: tessaly [PROJECT.eco | TEMPLATE.tem]

Turns flat artwork into a three-dimensional product picture (an eCover):
software boxes, books, spiral notebooks, a magazine, CD and DVD cases and
boxes of books. A project or template named on the command line is opened at
start.

Options:
  -h, --help     show this help and exit
  -V, --version  show the version and exit

Files: run from a folder of its own that holds its data, the program keeps
its settings, working copies, screenshots and log beside itself. Installed,
it keeps them in the user's folders: settings in
$XDG_CONFIG_HOME/tessaly/settings.ini, working copies and templates in
$XDG_DATA_HOME/tessaly/, the driver log in $XDG_STATE_HOME/tessaly/, saved
pictures in the Pictures folder under Tessaly/. TESSALY_PROGRAM_FOLDER names
a program folder to use instead.
)";

bool Is(const char* arg, const char* a, const char* b) {
    return !std::strcmp(arg, a) || !std::strcmp(arg, b);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && Is(argv[1], "--help", "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (argc > 1 && Is(argv[1], "--version", "-V")) {
        std::cout << tessaly::VersionLine("tessaly") << '\n';
        return 0;
    }

    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapInterval(0);
    QSurfaceFormat::setDefaultFormat(format);

    QApplication app(argc, argv);
    tessaly::MainWindow::Options options;
    options.files = tessaly::FindFileLocations();
    tessaly::PrepareUserFiles(options.files);
    for (int i = 1; i < argc; ++i) options.arguments.emplace_back(argv[i]);
    tessaly::MainWindow window(std::move(options));
    window.show();
    return app.exec();
}
