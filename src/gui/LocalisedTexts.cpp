#include "gui/LocalisedTexts.h"

#include <QDialog>
#include <QLabel>

#include "core/i18n/WindowTexts.h"

namespace tessaly {

namespace {

QString Text(const std::string& file, std::string_view key) {
    return QString::fromStdString(WindowTextOf(file, key)).toHtmlEscaped();
}

}  // namespace

void ShowLocalisedTexts(QWidget* window, const std::string& languageFile) {
    if (auto* note = window->findChild<QLabel*>("NoteLabel"))
        note->setText(QString::fromStdString(WindowTextOf(languageFile, "refreshnote")));
    auto* credits = window->findChild<QDialog*>("creditsForm");
    if (!credits) return;
    credits->setWindowTitle(QString::fromStdString(WindowTextOf(languageFile, "credits")));
    auto* names = credits->findChild<QLabel*>("NamesLabel");
    if (!names) return;
    const auto& f = languageFile;
    QString html = "<p><b>Tessaly</b><br>" + Text(f, "creditsby") + "</p><p>" +
                   Text(f, "creditsbuilt") +
                   "</p><ul style=\"margin-left: 0px; -qt-list-indent: 1;\">";
    const std::pair<const char*, const char*> items[] = {
        {"Qt", "creditsqt"},
        {"Mesa", "creditsmesa"},
        {"libjpeg-turbo", "creditsjpeg"},
        {"libpng and zlib", "creditspng"},
        {"GraphicsMagick", "creditsgm"},
        {"libcurl", "creditscurl"},
    };
    for (const auto& [name, key] : items)
        html += QString("<li>%1: %2</li>").arg(QString(name).toHtmlEscaped(), Text(f, key));
    names->setText(html + "</ul>");
}

}  // namespace tessaly
