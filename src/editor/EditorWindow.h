// EditorWindow: the built-in image editor's window, a thin layer over
// ImageOps and ImageHistory: menus and a toolbar for the operations, the
// picture on a Canvas in a scroll area with zoom, and a status line with the
// picture's size, the crop rectangle and the zoom. It edits one file at a time
// and asks before unsaved changes would be lost.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <functional>
#include <optional>

#include "editor/ImageHistory.h"
#include "editor/ImageOps.h"

class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QScrollArea;

namespace tessaly::editor {

class Canvas;

class EditorWindow : public QMainWindow {
    Q_OBJECT
  public:
    // How the window asks the user; tests answer instead.
    struct Prompts {
        // Unsaved changes: Save, Discard or Cancel.
        std::function<QMessageBox::StandardButton(const QString& text)> askSave;
        // A file to open (`save` false) or to save as; empty when cancelled.
        std::function<QString(bool save, const QString& start)> chooseFile;
        std::function<void(const QString& text)> error;
        // Runs a dialog modally; true when accepted.
        std::function<bool(QDialog& dialog)> runDialog;
    };

    // `faceAspect`: the proportions of the face the picture is for; crops can
    // be locked to them.
    explicit EditorWindow(std::optional<Aspect> faceAspect = std::nullopt,
                          QWidget* parent = nullptr);

    Prompts& UserPrompts() { return prompts_; }

    // Opens a picture file, asking first about unsaved changes. False (with
    // the message shown) when it cannot be read; the window keeps what it had.
    bool Open(const QString& path);
    // Saves over the file opened; false when it failed or there is nothing.
    bool Save();
    // Saves to `path` and edits that file from now on.
    bool SaveAs(const QString& path);

    // The operations, each one undoable step.
    bool CropToSelection();
    void Rotate(bool clockwise);
    void Mirror(bool horizontal);
    bool ResizeTo(const QSize& size);
    void Adjust(const ColorAdjustment& adjustment);
    void Undo();
    void Redo();

    // The command-line and menu forms of the dialogs.
    void OpenDialog();
    void SaveAsDialog();
    void ResizeDialogCommand();
    void AdjustDialogCommand();

    void SetZoom(double zoom);
    void ZoomToFit();
    double ZoomFactor() const;

    const QImage& Picture() const;
    const ImageHistory& History() const { return history_; }
    QString FilePath() const { return path_; }
    Canvas* PictureCanvas() const { return canvas_; }
    QString StatusSizeText() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildAspectChoice();
    void Apply(const QImage& result, const QString& name);
    void ShowPicture();
    void UpdateActions();
    void UpdateStatus();
    // Asks about unsaved changes; true when it is fine to go on.
    bool MaybeSave();
    QAction* MakeAction(const char* name, const QString& text, const QString& icon,
                        const QKeySequence& shortcut, const std::function<void()>& run);

    Prompts prompts_;
    ImageHistory history_;
    QString path_;
    std::optional<Aspect> faceAspect_;
    bool fitMode_ = true;

    Canvas* canvas_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QComboBox* aspectBox_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QLabel* selectionLabel_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* cropAction_ = nullptr;
    QList<QAction*> pictureActions_;  // need a picture
};

}  // namespace tessaly::editor
