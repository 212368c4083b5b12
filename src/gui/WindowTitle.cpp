#include "gui/WindowTitle.h"

#include <QFileInfo>

namespace tessaly {

QString WindowTitleText(const std::string& projectFile, const QString& untitled,
                        const QString& program) {
    const QString name =
        projectFile.empty() ? untitled : QFileInfo(QString::fromStdString(projectFile)).fileName();
    return QStringLiteral("%1[*] \u2014 %2").arg(name, program.isEmpty() ? "Tessaly" : program);
}

}  // namespace tessaly
