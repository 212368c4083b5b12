#include "gui/ValueEditors.h"

#include <QAbstractSlider>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>

#include "app/MainState.h"
#include "app/scene/TypedValues.h"
#include "core/i18n/Tooltips.h"
#include "core/i18n/WindowTexts.h"
#include "core/model/CoverParameters.h"
#include "gui/MainWindow.h"

namespace tessaly {

namespace {

constexpr int kNoteMs = 4000;

}  // namespace

ValueEditors::ValueEditors(MainWindow& window)
    : QObject(&window), DecimalSeparator(LocaleDecimalSeparator()), window_(window) {
    for (const ValueLabel& value : TypedValueLabels(window.State().Controls)) {
        auto* label = window.findChild<QLabel*>(QString::fromStdString(value.label->Name));
        auto* slider =
            window.findChild<QAbstractSlider*>(QString::fromStdString(value.slider->Name));
        if (!label || !slider) continue;
        entries_.push_back({label, slider, value});
    }
    for (const Entry& entry : entries_) {
        entry.label->installEventFilter(this);
        entry.slider->installEventFilter(this);
        entry.label->setToolTip(TypeTip(entry));
    }
}

const ValueEditors::Entry* ValueEditors::EntryOf(const QObject* labelOrSlider) const {
    for (const Entry& entry : entries_)
        if (entry.label == labelOrSlider || entry.slider == labelOrSlider) return &entry;
    return nullptr;
}

QString ValueEditors::RangeText(const Entry& entry, const std::string& text) const {
    const ValueRange range = RangeOf(entry.value);
    return QString::fromStdString(text).arg(
        QString::fromStdString(RangeEndText(entry.value, range.low)),
        QString::fromStdString(RangeEndText(entry.value, range.high)));
}

std::string ValueEditors::LanguageFile() const {
    return window_.State().Session.LanguageFile;
}

QString ValueEditors::TypeTip(const Entry& entry) const {
    return RangeText(entry, TooltipTextOf(LanguageFile(), "tiptypevalue"));
}

bool ValueEditors::Open(QLabel* label) {
    const Entry* entry = EntryOf(label);
    // Only a label that can be seen, on the tab shown, and a slider in use.
    if (!entry || !entry->slider->isEnabled() || !label->isVisibleTo(label->window())) return false;
    Close();
    editing_ = entry;
    QWidget* host = label->parentWidget();
    editor_ = new QLineEdit(host);
    editor_->setObjectName("ValueEditor");
    QString shown = label->text();
    shown.remove(QChar(0x00B0));
    editor_->setText(shown.trimmed());
    editor_->setAlignment(Qt::AlignRight);
    // Wide enough for the longest value with the frame, over the label's
    // right end where the value stands.
    const QString widest = QString::fromStdString(WidestValueText(entry->value));
    const int width =
        std::max(label->width(), editor_->fontMetrics().horizontalAdvance(widest)) + 24;
    const int height = std::max(label->height(), editor_->sizeHint().height());
    const QRect place = label->geometry();
    editor_->setGeometry(std::max(0, place.right() + 1 - width), place.center().y() - height / 2,
                         width, height);
    editorObject_ = editor_;
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::returnPressed, this, [this] { Apply(); });
    connect(editor_, &QLineEdit::textEdited, this, [this] { MarkInvalid(false); });
    editor_->show();
    editor_->raise();
    editor_->selectAll();
    editor_->setFocus(Qt::OtherFocusReason);
    return true;
}

void ValueEditors::Apply() {
    if (!editor_ || !editing_) return;
    const std::optional<int> position =
        TypedPosition(editing_->value, editor_->text().toStdString(), DecimalSeparator);
    if (!position) {
        MarkInvalid(true);
        window_.statusBar()->showMessage(
            RangeText(*editing_, WindowTextOf(LanguageFile(), "badvalue")), kNoteMs);
        editor_->selectAll();
        return;
    }
    QAbstractSlider* slider = editing_->slider;
    Close();
    // As a move by hand: the slider's own handlers do the rest.
    slider->setValue(*position);
    slider->setFocus(Qt::OtherFocusReason);
}

void ValueEditors::Close() {
    editing_ = nullptr;
    editorObject_ = nullptr;
    if (!editor_) return;
    QLineEdit* editor = editor_;
    editor_ = nullptr;
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    window_.statusBar()->clearMessage();
}

void ValueEditors::MarkInvalid(bool invalid) {
    if (!editor_) return;
    editor_->setStyleSheet(invalid ? "QLineEdit { background: #ffd6d6; color: #8b0000; }" : "");
}

bool ValueEditors::eventFilter(QObject* watched, QEvent* event) {
    // Compared as a plain object: the editor may be part way through its
    // destruction (the window closing) when its last events arrive.
    if (watched == editorObject_) {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            Close();
            return true;
        }
        // Leaving the editor cancels it, once the focus has settled.
        if (event->type() == QEvent::FocusOut)
            QTimer::singleShot(0, this, [this] {
                if (editor_ && !editor_->hasFocus()) Close();
            });
        return false;
    }
    if (const Entry* entry = EntryOf(watched)) {
        const bool onLabel = watched == entry->label;
        // A double click on the label, or F2 on the slider (the keyboard's
        // way to edit a value in place).
        if ((onLabel && event->type() == QEvent::MouseButtonDblClick) ||
            (!onLabel && event->type() == QEvent::KeyPress &&
             static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2)) {
            Open(entry->label);
            return true;
        }
        // The tooltip in the language now in use.
        if (onLabel && event->type() == QEvent::ToolTip) entry->label->setToolTip(TypeTip(*entry));
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tessaly
