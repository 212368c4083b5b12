#include "gui/PictureExportCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QScopedValueRollback>
#include <algorithm>

#include "app/export/PictureExport.h"
#include "core/i18n/ExportTexts.h"
#include "gui/ExportPictureDialog.h"
#include "gui/GlPanel.h"
#include "gui/MainWindow.h"

namespace tessaly {

namespace {

// The action after `action` in `menu` (null when it is the last).
QAction* ActionAfter(QMenu* menu, QAction* action) {
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = actions.indexOf(action);
    return at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
}

// The save dialog of each format: one file type, so the name gets its
// extension.
const char* SaveDialogOf(PictureFileType type) {
    switch (type) {
        case PictureFileType::Bmp:
            return "ExportBmpDialog";
        case PictureFileType::Jpeg:
            return "ExportJpegDialog";
        case PictureFileType::Png:
            break;
    }
    return "ExportPngDialog";
}

// The panel's size in device pixels.
QSize PanelPixels(MainWindow& window) {
    return window.Panel()->size() * window.Panel()->devicePixelRatioF();
}

// While a picture is drawn the panel's context draws tiles; a repaint of the
// panel in between (the progress dialog lets events through) would draw the
// view with the tiles' settings, so the panel keeps showing its last frame
// until the picture is done.
class PanelPaintPause {
  public:
    explicit PanelPaintPause(GlPanel& panel) : panel_(panel), paint_(panel.OnPaint) {
        panel_.setUpdatesEnabled(false);
        panel_.OnPaint = [] {};
    }
    ~PanelPaintPause() {
        panel_.OnPaint = paint_;
        panel_.setUpdatesEnabled(true);
        panel_.update();
    }
    PanelPaintPause(const PanelPaintPause&) = delete;
    PanelPaintPause& operator=(const PanelPaintPause&) = delete;

  private:
    GlPanel& panel_;
    std::function<void()> paint_;
};

}  // namespace

PictureExportCommands::PictureExportCommands(MainWindow& window, QMenu* fileMenu,
                                             QAction* saveImage, QAction* copy)
    : QObject(&window), window_(window) {
    export_ = new QAction(&window);
    export_->setObjectName("ExportPicture1");
    export_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    fileMenu->insertAction(ActionAfter(fileMenu, saveImage), export_);
    copy_ = new QAction(&window);
    copy_->setObjectName("CopyTransparent1");
    copy_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    fileMenu->insertAction(ActionAfter(fileMenu, copy), copy_);
    connect(export_, &QAction::triggered, this, [this] { ExportPicture(); });
    connect(copy_, &QAction::triggered, this, [this] { CopyTransparent(); });
    Translate();
}

QString PictureExportCommands::Text(const char* key) const {
    const auto* text = std::find_if(kExportTexts.begin(), kExportTexts.end(),
                                    [key](const WindowText& t) { return t.key == key; });
    const std::string english = text != kExportTexts.end() ? std::string(text->english) : key;
    return QString::fromStdString(window_.Text(key, english));
}

void PictureExportCommands::Translate() {
    export_->setText(Text("exportmenu"));
    copy_->setText(Text("exportcopyalpha"));
    copy_->setToolTip(Text("exporttipcopyalpha"));
}

bool PictureExportCommands::CanDraw() const {
    // Without a rendering context (start-up said why) there is nothing to draw with.
    const RenderSession& session = window_.State().Session;
    return window_.StartupDone() && session.GLReady && session.Context;
}

void PictureExportCommands::ExportPicture() {
    if (!CanDraw()) return;
    const QSize panel = PanelPixels(window_);
    TSettingsFile& settings = window_.State().Session.Settings;
    ExportPictureDialog dialog(&window_, [this](const char* key) { return Text(key); },
                               LoadExportChoices(settings, panel.width(), panel.height()),
                               panel.width(), panel.height());
    int result = QDialog::Rejected;
    if (DialogAnswer) {
        DialogAnswer(dialog);
        result = dialog.result();
    } else {
        window_.SetPaintTimer(true);
        result = dialog.exec();
        window_.SetPaintTimer(false);
    }
    if (result != QDialog::Accepted) return;
    const ExportChoices choices = dialog.Choices();
    SaveExportChoices(settings, choices);

    const auto path = window_.Port().ChooseFileName(SaveDialogOf(choices.type));
    if (!path || !Export(choices, *path)) return;
    window_.ShowSaved(*path);
    if (window_.State().Options.CheckBox1.Checked) window_.Port().OpenDocument(*path);
}

bool PictureExportCommands::Export(const ExportChoices& choices, const std::string& path) {
    if (!CanDraw()) return false;
    QProgressDialog progress(&window_);
    progress.setObjectName("ExportProgress");
    progress.setWindowTitle(Text("exporttitle"));
    progress.setCancelButtonText(Text("exportcancel"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    auto step = [&](int done, int total) {
        progress.setMaximum(total);
        progress.setLabelText(Text("exportprogress").arg(std::min(done + 1, total)).arg(total));
        progress.setValue(done);  // lets events through: the Cancel button
        if (ProgressWatch) ProgressWatch(progress, done, total);
        window_.MakeCurrent();
        return !progress.wasCanceled();
    };
    try {
        const PanelPaintPause pause(*window_.Panel());
        const QScopedValueRollback drawing(window_.Port().DrawingFrame, true);
        window_.MakeCurrent();
        step(0, 1);
        ExportPictureFile(window_.State().Session, choices, path, step);
    } catch (const RenderCancelled&) {
        return false;
    } catch (const std::exception& e) {
        progress.close();
        window_.Port().ShowMessage(MessageKind::Error, e.what(), "", MessageButtons::Ok);
        return false;
    }
    return true;
}

bool PictureExportCommands::CopyTransparent() {
    if (!CanDraw()) return false;
    const QSize panel = PanelPixels(window_);
    try {
        RgbaImage picture;
        {
            const PanelPaintPause pause(*window_.Panel());
            const QScopedValueRollback drawing(window_.Port().DrawingFrame, true);
            window_.MakeCurrent();
            picture = RenderTransparentPicture(window_.State().Session, panel.width(),
                                               panel.height());
        }
        const std::vector<std::uint8_t> png = PngWithAlpha(picture);
        const QImage image(picture.pixels.data(), picture.width, picture.height,
                           picture.width * 4, QImage::Format_RGBA8888);
        auto* data = new QMimeData;
        data->setImageData(image.copy());
        data->setData(QStringLiteral("image/png"),
                      QByteArray(reinterpret_cast<const char*>(png.data()),
                                 static_cast<qsizetype>(png.size())));
        QGuiApplication::clipboard()->setMimeData(data);
    } catch (const std::exception& e) {
        window_.Port().ShowMessage(MessageKind::Error, e.what(), "", MessageButtons::Ok);
        return false;
    }
    return true;
}

}  // namespace tessaly
