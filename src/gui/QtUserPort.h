// QtUserPort: the user port with real Qt dialogs: message boxes by kind and
// buttons, the status bar's first panel, colour dialogs that remember their
// last colour, and the named file dialogs, each starting in the folder last
// used for its kind of file (the user's Pictures or Documents folder at
// first). While a dialog is up the window's paint timer keeps the rendering
// panel drawn.
#pragma once

#include <QColor>
#include <QStatusBar>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/paths/FileLocations.h"
#include "core/ui/UserPort.h"

class QLabel;
class QWidget;

namespace tessaly {

class TSettingsFile;

class QtUserPort : public UserPort {
  public:
    QtUserPort(QWidget* parent, FileLocations files);

    MessageAnswer ShowMessage(MessageKind kind, const std::string& text, const std::string& caption,
                              MessageButtons buttons, const std::string& key = {}) override;
    void SetStatusText(int panel, const std::string& text) override;
    std::optional<std::uint32_t> ChooseColor(const std::string& dialog,
                                             std::uint32_t initial) override;
    std::optional<std::string> ChooseFileName(const std::string& dialog) override;
    // Files by QDesktopServices (xdg-open); addresses as they are. When the
    // desktop cannot open it, a message names what could not be opened.
    bool OpenDocument(const std::string& target) override;
    // The same without the message (the caller has a fallback).
    bool TryOpenDocument(const std::string& target);
    // Tells the user that `what` (a program, page or file) could not be
    // started or opened.
    void SayCannotStart(const std::string& what);
    // The desktop's documents location first, then the XDG settings.
    std::optional<std::string> DocumentsFolder() override;
    // Gathers the OK-only error and warning boxes of one operation into one.
    void BeginMessageGroup() override;
    void EndMessageGroup() override;

    // The language file in use, for the port's own messages.
    std::function<std::string()> LanguageFile;
    // The status bar panels; set by the window once it has built them.
    std::vector<QLabel*> StatusPanels;
    // Set by the window while it draws a frame or a capture: status texts
    // are then shown by the next paint instead of at once.
    bool DrawingFrame = false;
    // The program's fixed English status texts in the language in use.
    std::function<std::string(const std::string&)> Localise;
    // Switched on while a modal dialog is up.
    std::function<void(bool)> PaintTimer;
    // Tests answer instead of a person: when set, no dialog is shown.
    std::function<MessageAnswer(const std::string& key, const std::string& text,
                                MessageButtons buttons)>
        Answer;
    std::function<std::optional<std::string>(const std::string& dialog)> FileAnswer;
    // Tests see what would be handed to the desktop instead.
    std::function<bool(const std::string& target)> OpenAnswer;
    std::function<std::optional<std::string>()> DocumentsAnswer;

    // The settings that remember each kind of file's last folder; set by the
    // window once its state exists. Without them dialogs start in the user's
    // folders every time.
    TSettingsFile* Settings = nullptr;
    // The folder a named dialog starts in.
    QString DialogFolder(const std::string& dialog) const;
    // The save dialog of pictures: 1 BMP, 2 JPEG, 3 PNG (its last file type).
    int CaptureFilterIndex = 1;

  private:
    MessageAnswer ShowBox(MessageKind kind, const std::string& text, const std::string& caption,
                          MessageButtons buttons, const std::string& key);

    int groupDepth_ = 0;
    bool groupHasError_ = false;
    std::vector<std::string> grouped_;
    QWidget* parent_;
    FileLocations files_;
    std::map<std::string, QColor> lastColors_;
};

// Replaces a file name's extension by the one of save-dialog file type 1..3.
QString WithCaptureExtension(const QString& name, int filterIndex);

}  // namespace tessaly
