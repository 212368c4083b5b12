// builtined: the program's own image editor. The main window starts it with
// the path of an image slot's working copy; the user crops, turns or touches
// up the picture, saves over the file, and presses the slot's Refresh.
//
//   builtined [--aspect W:H] [picture]
//
// --aspect locks crops to the proportions of the face the picture is for.
// Without a picture the editor asks for one.
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/util/Version.h"
#include "editor/EditorWindow.h"

namespace {

// --help and --version are answered without a display: only then is the
// application made without widgets.
bool AsksForInformation(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"--help", "-h", "--version", "-v"})
            if (!std::strcmp(argv[i], option)) return true;
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::unique_ptr<QCoreApplication> app;
    if (AsksForInformation(argc, argv))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName("builtined");
    QCoreApplication::setApplicationVersion(
        QString::fromUtf8(tessaly::ProgramVersion().data(),
                          static_cast<qsizetype>(tessaly::ProgramVersion().size())));
    if (auto* gui = qobject_cast<QApplication*>(app.get()))
        gui->setApplicationDisplayName(QObject::tr("Image editor"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QObject::tr("Crops, turns and touches up one picture."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption aspectOption(
        "aspect", QObject::tr("Lock crops to the proportions W:H (for instance 400:400)."), "W:H");
    parser.addOption(aspectOption);
    parser.addPositionalArgument("picture", QObject::tr("The picture to edit."), "[picture]");
    if (!parser.parse(QCoreApplication::arguments())) {
        if (qobject_cast<QApplication*>(app.get()))
            QMessageBox::critical(nullptr, QObject::tr("Image editor"), parser.errorText());
        else
            std::fprintf(stderr, "builtined: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet("help")) parser.showHelp(0);
    if (parser.isSet("version")) parser.showVersion();

    std::optional<tessaly::editor::Aspect> aspect;
    if (parser.isSet(aspectOption)) {
        aspect = tessaly::editor::ParseAspect(parser.value(aspectOption));
        // Wrong proportions only cost the lock; the picture still opens.
        if (!aspect)
            qWarning("builtined: ignoring --aspect \"%s\": expected W:H with positive numbers",
                     qPrintable(parser.value(aspectOption)));
    }

    tessaly::editor::EditorWindow window(aspect);
    window.show();
    const QStringList pictures = parser.positionalArguments();
    if (pictures.isEmpty())
        QTimer::singleShot(0, &window, [&window] { window.OpenDialog(); });
    else
        window.Open(pictures.first());
    return QApplication::exec();
}
