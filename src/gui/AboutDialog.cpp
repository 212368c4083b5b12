#include "gui/AboutDialog.h"

#include <QEvent>
#include <QMouseEvent>

#include "app/web/Site.h"
#include "core/ui/UserPort.h"
#include "core/web/SiteAddresses.h"

namespace tessaly {

AboutDialog::AboutDialog(UserPort& port, std::function<void()> showCredits, QWidget* parent)
    : QDialog(parent), port_(port), showCredits_(std::move(showCredits)) {
    ui_.setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // "v5.0" is the product's version as designed; the build's own version
    // stands beside it so that a report names the exact program.
    ui_.VersionLabel->setText(
        QString("build %1")
            .arg(QString::fromUtf8(ProgramVersion().data(),
                                   static_cast<qsizetype>(ProgramVersion().size()))));
    ui_.Label7->setText(QString::fromStdString(SitePage(kHomePagePath)));
    ui_.Label8->setText(QString::fromStdString(SitePage(kSupportPagePath)));
    // Without a site the Website and Support rows go, captions included.
    for (QLabel* label : {ui_.Label5, ui_.Label6, ui_.Label7, ui_.Label8})
        label->setVisible(HasSite());
    ui_.Label7->installEventFilter(this);
    ui_.Label8->installEventFilter(this);
    connect(ui_.BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_.Button3, &QPushButton::clicked, this, [this] {
        if (showCredits_) showCredits_();
    });
}

void AboutDialog::OpenLabelAddress(QLabel* label) {
    port_.OpenDocument(label->text().toStdString());
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        (watched == ui_.Label7 || watched == ui_.Label8)) {
        OpenLabelAddress(static_cast<QLabel*>(watched));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tessaly
