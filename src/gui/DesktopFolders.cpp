#include "gui/DesktopFolders.h"

#include <QStandardPaths>

namespace tessaly {

DialogStartFolders DesktopUserFolders() {
    auto location = [](QStandardPaths::StandardLocation which) {
        return QStandardPaths::writableLocation(which).toStdString();
    };
    return {location(QStandardPaths::PicturesLocation), location(QStandardPaths::DocumentsLocation),
            location(QStandardPaths::HomeLocation)};
}

}  // namespace tessaly
