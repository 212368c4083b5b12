// The one QApplication of the editor's tests, on Qt's offscreen platform.
#pragma once

#include <QApplication>

namespace tessaly::editor::test {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "test_editor";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

}  // namespace tessaly::editor::test
