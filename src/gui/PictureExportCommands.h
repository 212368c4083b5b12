// PictureExportCommands: File > Export Picture... and File > Copy with
// Transparent Background. The export asks for its choices (ExportPictureDialog),
// then for the file, and draws the window's scene through the tiled picture
// path, with a progress dialog that can cancel it; the copy puts the view on
// the clipboard as a PNG with alpha and as a bitmap with alpha.
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "app/export/ExportChoices.h"

class QAction;
class QMenu;
class QProgressDialog;

namespace tessaly {

class ExportPictureDialog;
class MainWindow;

class PictureExportCommands : public QObject {
    Q_OBJECT
  public:
    // Puts Export Picture... after `saveImage` and the transparent copy after
    // `copy`, both in `fileMenu`.
    PictureExportCommands(MainWindow& window, QMenu* fileMenu, QAction* saveImage, QAction* copy);

    QAction* ExportAction() const { return export_; }
    QAction* CopyAction() const { return copy_; }
    // The menu texts in the language in use.
    void Translate();

    // File > Export Picture...
    void ExportPicture();
    // Draws the picture as chosen into `path`, with the progress dialog;
    // errors are shown. False when it failed or was cancelled (no file is
    // then left behind).
    bool Export(const ExportChoices& choices, const std::string& path);
    // File > Copy with Transparent Background. False when it failed (shown).
    bool CopyTransparent();

    // The language's text for an export key, its English text otherwise.
    QString Text(const char* key) const;

    // Tests answer the dialog instead of a person: set its controls, then
    // accept or reject it.
    std::function<void(ExportPictureDialog&)> DialogAnswer;
    // Tests see the progress after each part of the picture (and may cancel).
    std::function<void(QProgressDialog&, int done, int total)> ProgressWatch;

  private:
    bool CanDraw() const;

    MainWindow& window_;
    QAction* export_ = nullptr;
    QAction* copy_ = nullptr;
};

}  // namespace tessaly
