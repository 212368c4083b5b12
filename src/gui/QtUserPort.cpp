#include "gui/QtUserPort.h"

#include <algorithm>
#include <memory>

#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QStandardPaths>
#include <QUrl>

#include "core/images/PictureReader.h"
#include "app/files/DialogFolders.h"
#include "core/i18n/WindowTexts.h"
#include "core/mail/DocumentsFolder.h"
#include "core/settings/SettingsFile.h"
#include "gui/DesktopFolders.h"

namespace tessaly {

namespace {

struct FileDialogKind {
    bool save;
    const char* filter;
    const char* suffix;
};

const std::map<std::string, FileDialogKind>& FileDialogs() {
    static const std::map<std::string, FileDialogKind> dialogs = {
        {"OpenPicture",
         {false,
          nullptr,  // PictureFilter(): the formats the picture gate accepts
          ""}},
        {"OpenCoverDialog", {false, "eCover projects (*.eco);;All files (*)", ""}},
        {"SaveCoverDialog", {true, "eCover projects (*.eco)", "eco"}},
        {"OpenTemplateDialog", {false, "Templates (*.tem);;All files (*)", ""}},
        {"SaveTemplateDialog", {true, "Templates (*.tem)", "tem"}},
        // Programs have no extension of their own here, so every file is offered.
        {"SelectEditor", {false, "All files (*)", ""}},
        {"CaptureDialog",
         {true, "Bitmap Files (*.bmp);;JPG files (*.jpg);;PNG files (*.png)", "bmp"}},
        // File > Export Picture...: the format is chosen before, so each
        // dialog offers that one type.
        {"ExportBmpDialog", {true, "Bitmap Files (*.bmp)", "bmp"}},
        {"ExportJpegDialog", {true, "JPG files (*.jpg *.jpeg)", "jpg"}},
        {"ExportPngDialog", {true, "PNG files (*.png)", "png"}},
    };
    return dialogs;
}

// Every extension the picture gate accepts, in both cases: the file dialog
// matches names case-sensitively here.
QString PictureFilter() {
    const QString patterns = QString::fromStdString(PictureFilePatterns());
    return QStringLiteral("All pictures (%1 %2);;All files (*)").arg(patterns, patterns.toUpper());
}

QColor FromColor24(std::uint32_t c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

std::uint32_t ToColor24(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

// The save dialog of pictures: the chosen file type decides the format, so
// before the dialog accepts a name (and asks before overwriting a file) the
// name's extension is made to match the type: "shot.jpg" saved as PNG is
// "shot.png".
class CaptureFileDialog : public QFileDialog {
  public:
    // `fixedType` 1..3: the dialog saves that one type whatever its filter.
    CaptureFileDialog(QWidget* parent, int fixedType = 0)
        : QFileDialog(parent), fixedType_(fixedType) {}

    void accept() override {
        const int type = fixedType_ > 0
                             ? fixedType_
                             : static_cast<int>(nameFilters().indexOf(selectedNameFilter())) + 1;
        if (QLineEdit* edit = findChild<QLineEdit*>()) {
            const QString name = edit->text().trimmed();
            if (!name.isEmpty() && !QFileInfo(directory(), name).isDir())
                edit->setText(WithCaptureExtension(name, type));
        }
        QFileDialog::accept();
    }

  private:
    int fixedType_;
};

// The file type (1 BMP, 2 JPEG, 3 PNG) of an export's save dialog; 0 for
// any other dialog.
int ExportTypeOf(const std::string& dialog) {
    if (dialog == "ExportBmpDialog") return 1;
    if (dialog == "ExportJpegDialog") return 2;
    if (dialog == "ExportPngDialog") return 3;
    return 0;
}

}  // namespace

QString WithCaptureExtension(const QString& name, int filterIndex) {
    static const char* const extensions[] = {".bmp", ".jpg", ".png"};
    if (filterIndex < 1 || filterIndex > 3 || name.isEmpty()) return name;
    const QFileInfo info(name);
    const QString base =
        info.completeSuffix().isEmpty() ? name : name.left(name.size() - info.suffix().size() - 1);
    return base + extensions[filterIndex - 1];
}

QtUserPort::QtUserPort(QWidget* parent, FileLocations files)
    : parent_(parent), files_(std::move(files)) {}

MessageAnswer QtUserPort::ShowMessage(MessageKind kind, const std::string& text,
                                      const std::string& caption, MessageButtons buttons,
                                      const std::string& key) {
    const bool gather = groupDepth_ > 0 && buttons == MessageButtons::Ok &&
                        (kind == MessageKind::Error || kind == MessageKind::Warning);
    if (!gather) return ShowBox(kind, text, caption, buttons, key);
    // Line ends inside one message would split its line.
    std::string line = text;
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    grouped_.push_back(line);
    groupHasError_ |= kind == MessageKind::Error;
    return MessageAnswer::Ok;
}

void QtUserPort::BeginMessageGroup() {
    ++groupDepth_;
}

void QtUserPort::EndMessageGroup() {
    if (groupDepth_ == 0 || --groupDepth_ > 0 || grouped_.empty()) return;
    std::string text;
    for (const std::string& line : grouped_) text += (text.empty() ? "" : "\n") + line;
    const MessageKind kind = groupHasError_ ? MessageKind::Error : MessageKind::Warning;
    grouped_.clear();
    groupHasError_ = false;
    ShowBox(kind, text, "", MessageButtons::Ok, {});
}

MessageAnswer QtUserPort::ShowBox(MessageKind kind, const std::string& text,
                                  const std::string& caption, MessageButtons buttons,
                                  const std::string& key) {
    if (Answer) return Answer(key, text, buttons);
    QMessageBox box(parent_);
    switch (kind) {
        case MessageKind::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageKind::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageKind::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageKind::Confirmation:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageKind::Plain:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    box.setWindowTitle(QString::fromStdString(caption.empty() ? std::string("Tessaly") : caption));
    box.setText(QString::fromStdString(text));
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    if (PaintTimer) PaintTimer(true);
    const int result = box.exec();
    if (PaintTimer) PaintTimer(false);
    switch (result) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        default:
            break;
    }
    // Closing the box by its window button is the safe answer.
    return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
           : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                              : MessageAnswer::Cancel;
}

void QtUserPort::SetStatusText(int panel, const std::string& text) {
    if (panel < 0 || panel >= static_cast<int>(StatusPanels.size())) return;
    QLabel* label = StatusPanels[panel];
    const QString value = QString::fromStdString(Localise ? Localise(text) : text);
    if (label->text() == value) return;
    label->setText(value);
    // Inside a frame or a capture the text waits for the next paint: painting
    // the window now would draw the panel again in the middle of the frame
    // and leave the window's compositing context current.
    if (DrawingFrame) {
        label->update();
        return;
    }
    QOpenGLContext* context = QOpenGLContext::currentContext();
    QSurface* surface = context ? context->surface() : nullptr;
    label->repaint();
    if (context && surface && QOpenGLContext::currentContext() != context)
        context->makeCurrent(surface);
}

std::optional<std::uint32_t> QtUserPort::ChooseColor(const std::string& dialog,
                                                     std::uint32_t initial) {
    auto last = lastColors_.find(dialog);
    // The dialogs start at white and then keep the last colour chosen.
    const QColor start = last != lastColors_.end() ? last->second : QColor(Qt::white);
    if (PaintTimer) PaintTimer(true);
    const QColor chosen = QColorDialog::getColor(start, parent_);
    if (PaintTimer) PaintTimer(false);
    if (!chosen.isValid()) return std::nullopt;
    lastColors_[dialog] = chosen;
    return ToColor24(chosen);
}

QString QtUserPort::DialogFolder(const std::string& dialog) const {
    const std::optional<FileKind> kind = FileKindOfDialog(dialog);
    // Programs are looked for where the program itself is.
    if (!kind) return QString::fromStdString(files_.Programs);
    static const TSettingsFile none;
    return QString::fromStdString(
        StartFolder(Settings ? *Settings : none, *kind, DesktopUserFolders()));
}

std::optional<std::string> QtUserPort::ChooseFileName(const std::string& dialog) {
    if (FileAnswer) return FileAnswer(dialog);
    auto it = FileDialogs().find(dialog);
    if (it == FileDialogs().end()) return std::nullopt;
    const FileDialogKind& kind = it->second;

    const bool capture = dialog == "CaptureDialog";
    const int exportType = ExportTypeOf(dialog);
    std::unique_ptr<QFileDialog> owned =
        capture || exportType > 0 ? std::make_unique<CaptureFileDialog>(parent_, exportType)
                                  : std::make_unique<QFileDialog>(parent_);
    QFileDialog& box = *owned;
    box.setObjectName(QString::fromStdString(dialog));
    box.setDirectory(DialogFolder(dialog));
    box.setNameFilter(kind.filter ? QString(kind.filter) : PictureFilter());
    box.setOption(QFileDialog::DontUseNativeDialog, true);
    box.setOption(QFileDialog::ReadOnly, false);
    if (kind.save) {
        box.setAcceptMode(QFileDialog::AcceptSave);
        box.setFileMode(QFileDialog::AnyFile);
        box.setDefaultSuffix(kind.suffix);
    } else {
        box.setAcceptMode(QFileDialog::AcceptOpen);
        box.setFileMode(QFileDialog::ExistingFile);
    }
    if (capture) {
        const QStringList filters = box.nameFilters();
        const int index = std::clamp(CaptureFilterIndex, 1, 3) - 1;
        if (index < filters.size()) box.selectNameFilter(filters[index]);
        // The name's extension follows the chosen file type.
        QObject::connect(&box, &QFileDialog::filterSelected, &box, [&box, this](const QString& f) {
            CaptureFilterIndex = static_cast<int>(box.nameFilters().indexOf(f)) + 1;
            box.setDefaultSuffix(WithCaptureExtension("x", CaptureFilterIndex).mid(2));
            QLineEdit* edit = box.findChild<QLineEdit*>();
            if (edit) edit->setText(WithCaptureExtension(edit->text(), CaptureFilterIndex));
        });
    }
    if (PaintTimer) PaintTimer(true);
    const int result = box.exec();
    if (PaintTimer) PaintTimer(false);
    if (result != QDialog::Accepted || box.selectedFiles().isEmpty()) return std::nullopt;
    if (capture) {
        CaptureFilterIndex =
            static_cast<int>(box.nameFilters().indexOf(box.selectedNameFilter())) + 1;
        if (CaptureFilterIndex < 1) CaptureFilterIndex = 1;
    }
    const std::string chosen = box.selectedFiles().first().toStdString();
    if (const std::optional<FileKind> fileKind = FileKindOfDialog(dialog); fileKind && Settings)
        RememberFolder(*Settings, *fileKind, chosen);
    return chosen;
}

bool QtUserPort::TryOpenDocument(const std::string& target) {
    if (OpenAnswer) return OpenAnswer(target);
    const QString text = QString::fromStdString(target);
    const QUrl url = text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool QtUserPort::OpenDocument(const std::string& target) {
    if (TryOpenDocument(target)) return true;
    // A mail link names the mail program; its text would say little.
    SayCannotStart(target.rfind("mailto:", 0) == 0 ? std::string("The mail program") : target);
    return false;
}

void QtUserPort::SayCannotStart(const std::string& what) {
    const std::string file = LanguageFile ? LanguageFile() : std::string();
    const QString text = QString::fromStdString(WindowTextOf(file, "cantstart"))
                             .replace("%1", QString::fromStdString(what));
    ShowMessage(MessageKind::Error, text.toStdString(), "", MessageButtons::Ok, "cantstart");
}

std::optional<std::string> QtUserPort::DocumentsFolder() {
    if (DocumentsAnswer) return DocumentsAnswer();
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (auto folder = FindDocumentsFolder(desktop.toStdString())) return folder->string();
    return std::nullopt;
}

}  // namespace tessaly
