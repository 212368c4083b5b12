#include "editor/EditorWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "core/images/PictureReader.h"
#include "editor/Canvas.h"
#include "editor/EditorDialogs.h"
#include "editor/EditorIcons.h"

namespace tessaly::editor {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 0.02;
constexpr double kMaxZoom = 16.0;
constexpr double kMaxCanvasSide = 30000.0;

// Every format the program's picture readers know, as the image slots offer.
QString OpenFilter() {
    QStringList patterns;
    for (const PictureFormat& format : PictureExtensions())
        for (const std::string& extension : format.extensions)
            // Both cases: the file dialog matches names case-sensitively here.
            patterns << QStringLiteral("*.") + QString::fromStdString(extension)
                     << QStringLiteral("*.") + QString::fromStdString(extension).toUpper();
    return QStringLiteral("Pictures (%1);;All files (*)").arg(patterns.join(' '));
}
const char* const kSaveFilter = "JPEG (*.jpg *.jpeg);;PNG (*.png);;BMP (*.bmp);;All files (*)";

}  // namespace

EditorWindow::EditorWindow(std::optional<Aspect> faceAspect, QWidget* parent)
    : QMainWindow(parent),
      faceAspect_(faceAspect && faceAspect->Valid() ? faceAspect : std::nullopt) {
    setObjectName("EditorWindow");
    prompts_.askSave = [this](const QString& text) {
        return QMessageBox::question(this, windowTitle(), text,
                                     QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                     QMessageBox::Save);
    };
    prompts_.chooseFile = [this](bool save, const QString& start) {
        return save ? QFileDialog::getSaveFileName(this, tr("Save picture as"), start, kSaveFilter)
                    : QFileDialog::getOpenFileName(this, tr("Open picture"), start, OpenFilter());
    };
    prompts_.error = [this](const QString& text) {
        QMessageBox::critical(this, tr("Image editor"), text);
    };
    prompts_.runDialog = [](QDialog& dialog) { return dialog.exec() == QDialog::Accepted; };

    canvas_ = new Canvas;
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("PictureArea");
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setWidget(canvas_);
    scroll_->viewport()->installEventFilter(this);
    setCentralWidget(scroll_);

    sizeLabel_ = new QLabel(this);
    sizeLabel_->setObjectName("SizeLabel");
    selectionLabel_ = new QLabel(this);
    selectionLabel_->setObjectName("SelectionLabel");
    zoomLabel_ = new QLabel(this);
    zoomLabel_->setObjectName("ZoomLabel");
    zoomLabel_->setMinimumWidth(60);
    zoomLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar()->addWidget(sizeLabel_);
    statusBar()->addWidget(selectionLabel_, 1);
    statusBar()->addPermanentWidget(zoomLabel_);

    BuildActions();
    BuildMenus();
    BuildToolBar();
    connect(canvas_, &Canvas::SelectionChanged, this, [this] {
        UpdateActions();
        UpdateStatus();
    });
    connect(canvas_, &Canvas::ZoomSteps, this,
            [this](int steps) { SetZoom(ZoomFactor() * std::pow(kZoomStep, steps)); });

    resize(900, 680);
    if (const QScreen* screen = QApplication::primaryScreen())
        resize(size().boundedTo(screen->availableSize() * 0.9));
    UpdateActions();
    UpdateStatus();
    setWindowTitle(tr("Image editor"));
}

QAction* EditorWindow::MakeAction(const char* name, const QString& text, const QString& icon,
                                  const QKeySequence& shortcut, const std::function<void()>& run) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    if (!icon.isEmpty()) action->setIcon(EditorIcon(icon));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [run] { run(); });
    return action;
}

void EditorWindow::BuildActions() {
    // Created here, placed in menus and the toolbar below; found by name.
    MakeAction("actionOpen", tr("&Open..."), "document-open", QKeySequence::Open,
               [this] { OpenDialog(); });
    saveAction_ = MakeAction("actionSave", tr("&Save"), "document-save", QKeySequence::Save,
                             [this] { Save(); });
    saveAsAction_ = MakeAction("actionSaveAs", tr("Save &As..."), "document-save-as",
                               QKeySequence::SaveAs, [this] { SaveAsDialog(); });
    MakeAction("actionClose", tr("&Close"), {}, QKeySequence::Quit, [this] { close(); });
    undoAction_ =
        MakeAction("actionUndo", tr("&Undo"), "edit-undo", QKeySequence::Undo, [this] { Undo(); });
    redoAction_ =
        MakeAction("actionRedo", tr("&Redo"), "edit-redo", QKeySequence::Redo, [this] { Redo(); });
    cropAction_ =
        MakeAction("actionCrop", tr("&Crop to Selection"), "transform-crop",
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X), [this] { CropToSelection(); });
    auto* selectAll =
        MakeAction("actionSelectAll", tr("Select &All"), {}, QKeySequence::SelectAll, [this] {
            const QSize size = Picture().size();
            const auto aspect = canvas_->LockedAspect();
            canvas_->SetSelection(aspect ? CentredRectangle(size, *aspect) : QRect(QPoint(), size));
        });
    auto* selectNone =
        MakeAction("actionSelectNone", tr("Select &None"), {}, QKeySequence(Qt::Key_Escape),
                   [this] { canvas_->ClearSelection(); });
    auto* left = MakeAction("actionRotateLeft", tr("Rotate &Left"), "object-rotate-left",
                            QKeySequence(Qt::CTRL | Qt::Key_L), [this] { Rotate(false); });
    auto* right = MakeAction("actionRotateRight", tr("Rotate &Right"), "object-rotate-right",
                             QKeySequence(Qt::CTRL | Qt::Key_R), [this] { Rotate(true); });
    auto* flipH = MakeAction("actionFlipHorizontal", tr("Flip &Horizontally"),
                             "object-flip-horizontal", {}, [this] { Mirror(true); });
    auto* flipV = MakeAction("actionFlipVertical", tr("Flip &Vertically"), "object-flip-vertical",
                             {}, [this] { Mirror(false); });
    auto* resizeAction =
        MakeAction("actionResize", tr("Re&size..."), "transform-scale",
                   QKeySequence(Qt::CTRL | Qt::Key_E), [this] { ResizeDialogCommand(); });
    auto* adjust =
        MakeAction("actionAdjust", tr("&Brightness, Contrast, Saturation..."), "color-management",
                   QKeySequence(Qt::CTRL | Qt::Key_B), [this] { AdjustDialogCommand(); });
    auto* zoomIn = MakeAction("actionZoomIn", tr("Zoom &In"), "zoom-in", QKeySequence::ZoomIn,
                              [this] { SetZoom(ZoomFactor() * kZoomStep); });
    auto* zoomOut = MakeAction("actionZoomOut", tr("Zoom &Out"), "zoom-out", QKeySequence::ZoomOut,
                               [this] { SetZoom(ZoomFactor() / kZoomStep); });
    auto* fit = MakeAction("actionZoomFit", tr("&Fit in Window"), "zoom-fit-best",
                           QKeySequence(Qt::CTRL | Qt::Key_0), [this] { ZoomToFit(); });
    auto* actual = MakeAction("actionZoom100", tr("&Actual Size"), "zoom-original",
                              QKeySequence(Qt::CTRL | Qt::Key_1), [this] { SetZoom(1.0); });
    pictureActions_ = {saveAsAction_, selectAll, selectNone, left,    right, flipH, flipV,
                       resizeAction,  adjust,    zoomIn,     zoomOut, fit,   actual};
}

void EditorWindow::BuildMenus() {
    const auto action = [this](const char* name) { return findChild<QAction*>(name); };
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addActions({action("actionOpen"), saveAction_, saveAsAction_});
    file->addSeparator();
    file->addAction(action("actionClose"));
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addActions({undoAction_, redoAction_});
    edit->addSeparator();
    edit->addActions({action("actionSelectAll"), action("actionSelectNone"), cropAction_});
    QMenu* image = menuBar()->addMenu(tr("&Image"));
    image->addActions({action("actionRotateLeft"), action("actionRotateRight")});
    image->addSeparator();
    image->addActions({action("actionFlipHorizontal"), action("actionFlipVertical")});
    image->addSeparator();
    image->addActions({action("actionResize"), action("actionAdjust")});
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addActions({action("actionZoomIn"), action("actionZoomOut"), action("actionZoomFit"),
                      action("actionZoom100")});
}

void EditorWindow::BuildToolBar() {
    const auto action = [this](const char* name) { return findChild<QAction*>(name); };
    QToolBar* bar = addToolBar(tr("Tools"));
    bar->setObjectName("ToolBar");
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->addActions({action("actionOpen"), saveAction_});
    bar->addSeparator();
    bar->addActions({undoAction_, redoAction_});
    bar->addSeparator();
    bar->addAction(cropAction_);
    BuildAspectChoice();
    bar->addWidget(aspectBox_);
    bar->addSeparator();
    bar->addActions({action("actionRotateLeft"), action("actionRotateRight"),
                     action("actionFlipHorizontal"), action("actionFlipVertical"),
                     action("actionResize"), action("actionAdjust")});
    bar->addSeparator();
    bar->addActions({action("actionZoomOut"), action("actionZoomIn"), action("actionZoomFit"),
                     action("actionZoom100")});
    for (QAction* a : bar->actions())
        if (!a->shortcut().isEmpty())
            a->setToolTip(a->text().remove('&').remove("...") + " (" +
                          a->shortcut().toString(QKeySequence::NativeText) + ")");
}

void EditorWindow::BuildAspectChoice() {
    aspectBox_ = new QComboBox(this);
    aspectBox_->setObjectName("AspectBox");
    aspectBox_->setToolTip(tr("Proportions of the crop rectangle"));
    aspectBox_->addItem(tr("Free proportions"), QString());
    if (faceAspect_)
        aspectBox_->addItem(
            tr("Face %1:%2").arg(faceAspect_->width).arg(faceAspect_->height),
            QStringLiteral("%1:%2").arg(faceAspect_->width).arg(faceAspect_->height));
    aspectBox_->addItem(tr("As the picture"), QStringLiteral("picture"));
    for (const char* ratio : {"1:1", "4:3", "3:4", "3:2", "2:3", "16:9", "7:10"})
        aspectBox_->addItem(QString::fromLatin1(ratio), QString::fromLatin1(ratio));
    connect(aspectBox_, &QComboBox::currentIndexChanged, this, [this] {
        const QString choice = aspectBox_->currentData().toString();
        if (choice == "picture" && !Picture().isNull())
            canvas_->SetAspect(Aspect{Picture().width(), Picture().height()});
        else
            canvas_->SetAspect(ParseAspect(choice));
    });
    // The face's proportions are what the caller asked for: start locked.
    if (faceAspect_) aspectBox_->setCurrentIndex(1);
}

const QImage& EditorWindow::Picture() const {
    static const QImage none;
    return history_.Empty() ? none : history_.Current();
}

bool EditorWindow::Open(const QString& path) {
    if (!MaybeSave()) return false;
    QString error;
    const QImage picture = LoadPicture(path, &error);
    if (picture.isNull()) {
        prompts_.error(tr("Cannot open the picture.\n\n%1").arg(error));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    history_.Reset(picture);
    canvas_->ClearSelection();
    fitMode_ = true;
    ShowPicture();
    // Locked to a face, the editor offers the largest crop of its
    // proportions at once; the user moves it or draws another.
    if (const auto aspect = canvas_->LockedAspect(); aspect && faceAspect_)
        canvas_->SetSelection(CentredRectangle(picture.size(), *aspect));
    return true;
}

bool EditorWindow::Save() {
    if (history_.Empty()) return false;
    if (path_.isEmpty() || SaveFormatFor(path_).isEmpty()) {
        // A picture whose format cannot be written (a TGA working copy, say)
        // goes through Save As rather than being lost.
        if (!path_.isEmpty())
            prompts_.error(tr("Pictures can be saved as JPEG, PNG or BMP only; \"%1\" is none of "
                              "these. Choose a name for the saved picture.")
                               .arg(QFileInfo(path_).fileName()));
        const QString chosen = prompts_.chooseFile(true, path_);
        return !chosen.isEmpty() && SaveAs(chosen);
    }
    QString error;
    if (!SavePicture(Picture(), path_, &error)) {
        prompts_.error(tr("The picture was not saved; the file is as it was.\n\n%1").arg(error));
        return false;
    }
    history_.MarkSaved();
    UpdateActions();
    UpdateStatus();
    statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(path_).fileName()), 4000);
    return true;
}

bool EditorWindow::SaveAs(const QString& path) {
    if (history_.Empty()) return false;
    QString target = path;
    // A name without an extension is saved as PNG, which keeps everything.
    if (QFileInfo(target).suffix().isEmpty()) target += ".png";
    QString error;
    if (!SavePicture(Picture(), target, &error)) {
        prompts_.error(tr("The picture was not saved.\n\n%1").arg(error));
        return false;
    }
    path_ = QFileInfo(target).absoluteFilePath();
    history_.MarkSaved();
    UpdateActions();
    UpdateStatus();
    return true;
}

void EditorWindow::Apply(const QImage& result, const QString& name) {
    if (result.isNull()) {
        prompts_.error(tr("There is not enough memory to %1 this picture; it is unchanged.")
                           .arg(name.toLower()));
        return;
    }
    history_.Push(result, name);
    ShowPicture();
}

bool EditorWindow::CropToSelection() {
    const QRect selection = canvas_->Selection();
    if (history_.Empty() || selection.isEmpty()) return false;
    canvas_->ClearSelection();
    Apply(Crop(Picture(), selection), tr("Crop"));
    return true;
}

void EditorWindow::Rotate(bool clockwise) {
    if (history_.Empty()) return;
    canvas_->ClearSelection();
    Apply(Rotate90(Picture(), clockwise), clockwise ? tr("Rotate Right") : tr("Rotate Left"));
}

void EditorWindow::Mirror(bool horizontal) {
    if (history_.Empty()) return;
    canvas_->ClearSelection();
    Apply(Flip(Picture(), horizontal),
          horizontal ? tr("Flip Horizontally") : tr("Flip Vertically"));
}

bool EditorWindow::ResizeTo(const QSize& size) {
    if (history_.Empty() || !SizeAllowed(size)) return false;
    if (size == Picture().size()) return true;
    canvas_->ClearSelection();
    Apply(Resize(Picture(), size), tr("Resize"));
    return true;
}

void EditorWindow::Adjust(const ColorAdjustment& adjustment) {
    if (history_.Empty() || adjustment.Neutral()) return;
    Apply(AdjustColors(Picture(), adjustment), tr("Colours"));
}

void EditorWindow::Undo() {
    if (history_.Undo()) ShowPicture();
}

void EditorWindow::Redo() {
    if (history_.Redo()) ShowPicture();
}

void EditorWindow::OpenDialog() {
    const QString start = path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath();
    const QString chosen = prompts_.chooseFile(false, start);
    if (!chosen.isEmpty()) Open(chosen);
}

void EditorWindow::SaveAsDialog() {
    if (history_.Empty()) return;
    const QString chosen = prompts_.chooseFile(true, path_);
    if (!chosen.isEmpty()) SaveAs(chosen);
}

void EditorWindow::ResizeDialogCommand() {
    if (history_.Empty()) return;
    ResizeDialog dialog(Picture().size(), this);
    if (prompts_.runDialog(dialog)) ResizeTo(dialog.ChosenSize());
}

void EditorWindow::AdjustDialogCommand() {
    if (history_.Empty()) return;
    AdjustDialog dialog(Picture(), this);
    if (prompts_.runDialog(dialog)) Adjust(dialog.Chosen());
}

double EditorWindow::ZoomFactor() const {
    return canvas_->Zoom();
}

void EditorWindow::SetZoom(double zoom) {
    fitMode_ = false;
    // Very large pictures stop zooming in before the canvas grows beyond
    // what a widget can be.
    const int side = std::max(Picture().width(), Picture().height());
    const double most = side > 0 ? std::min(kMaxZoom, kMaxCanvasSide / side) : kMaxZoom;
    canvas_->SetZoom(std::clamp(zoom, kMinZoom, std::max(kMinZoom, most)));
    UpdateStatus();
}

void EditorWindow::ZoomToFit() {
    fitMode_ = true;
    const QSize picture = Picture().size();
    if (picture.isEmpty()) return;
    const QSize room = scroll_->viewport()->size() - QSize(8, 8);
    const double zoom = std::min(static_cast<double>(room.width()) / picture.width(),
                                 static_cast<double>(room.height()) / picture.height());
    // Small pictures are enlarged to fill the window, but not beyond 8x.
    canvas_->SetZoom(std::clamp(zoom, kMinZoom, 8.0));
    UpdateStatus();
}

void EditorWindow::ShowPicture() {
    canvas_->SetPicture(Picture());
    if (fitMode_) ZoomToFit();
    // "As the picture" follows the picture's new proportions (after a turn).
    if (aspectBox_->currentData().toString() == "picture" && !Picture().isNull())
        canvas_->SetAspect(Aspect{Picture().width(), Picture().height()});
    UpdateActions();
    UpdateStatus();
}

void EditorWindow::UpdateActions() {
    const bool have = !history_.Empty();
    for (QAction* action : pictureActions_) action->setEnabled(have);
    saveAction_->setEnabled(have && history_.Modified());
    undoAction_->setEnabled(history_.CanUndo());
    redoAction_->setEnabled(history_.CanRedo());
    undoAction_->setText(history_.CanUndo() ? tr("&Undo %1").arg(history_.UndoName())
                                            : tr("&Undo"));
    redoAction_->setText(history_.CanRedo() ? tr("&Redo %1").arg(history_.RedoName())
                                            : tr("&Redo"));
    cropAction_->setEnabled(have && !canvas_->Selection().isEmpty());
    aspectBox_->setEnabled(have);
}

QString EditorWindow::StatusSizeText() const {
    if (history_.Empty()) return tr("No picture");
    return tr("%1 x %2 pixels").arg(Picture().width()).arg(Picture().height());
}

void EditorWindow::UpdateStatus() {
    sizeLabel_->setText(StatusSizeText());
    const QRect s = canvas_->Selection();
    selectionLabel_->setText(s.isEmpty() ? QString()
                                         : tr("Selection %1 x %2 at %3, %4")
                                               .arg(s.width())
                                               .arg(s.height())
                                               .arg(s.x())
                                               .arg(s.y()));
    zoomLabel_->setText(
        history_.Empty() ? QString() : QStringLiteral("%1%").arg(std::lround(ZoomFactor() * 100)));
    const QString name = path_.isEmpty() ? tr("Untitled") : QFileInfo(path_).fileName();
    setWindowTitle(tr("%1[*] - Image editor").arg(name));
    setWindowModified(history_.Modified());
}

bool EditorWindow::MaybeSave() {
    if (!history_.Modified()) return true;
    const QString name = path_.isEmpty() ? tr("The picture") : QFileInfo(path_).fileName();
    switch (prompts_.askSave(tr("%1 has changes that are not saved. Save them?").arg(name))) {
        case QMessageBox::Save:
            return Save();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (MaybeSave())
        event->accept();
    else
        event->ignore();
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize && fitMode_) ZoomToFit();
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tessaly::editor
