// ValueEditors: typed values for the sliders. Double-clicking a slider's
// value label (or F2 on the slider) opens a small line editor over it; Enter moves the slider to
// the typed value (through the slider itself, so the label, the drawing, the
// undo history and the Modified flag follow as after a move by hand), Escape
// or leaving the editor closes it with nothing changed, and a text that is
// not a number of the slider's range keeps the editor open, marked, with a
// note in the status bar. Each value label's tooltip says it can be typed
// and gives the range, in the language in use.
#pragma once

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <string>
#include <vector>

#include "app/scene/ValueLabels.h"

class QAbstractSlider;
class QLabel;

namespace tessaly {

class MainWindow;

class ValueEditors : public QObject {
    Q_OBJECT
  public:
    explicit ValueEditors(MainWindow& window);

    // Opens the editor over `label`; false when it is no slider's value label
    // (or its slider cannot be used now).
    bool Open(QLabel* label);
    // The editor now open; nullptr when none is.
    QLineEdit* Editor() const { return editor_; }

    // The decimal separator typed values are read with: the one the value
    // labels are written with.
    char DecimalSeparator;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Entry {
        QLabel* label;
        QAbstractSlider* slider;
        ValueLabel value;
    };
    const Entry* EntryOf(const QObject* labelOrSlider) const;
    std::string LanguageFile() const;
    // `text` with the ends of the entry's range for %1 and %2.
    QString RangeText(const Entry& entry, const std::string& text) const;
    QString TypeTip(const Entry& entry) const;
    void Apply();
    void Close();
    void MarkInvalid(bool invalid);

    MainWindow& window_;
    std::vector<Entry> entries_;
    QPointer<QLineEdit> editor_;
    QObject* editorObject_ = nullptr;  // the same editor, for its events
    const Entry* editing_ = nullptr;
};

}  // namespace tessaly
