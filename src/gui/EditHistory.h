// EditHistory: the Edit menu with Undo (Ctrl+Z) and Redo (Ctrl+Shift+Z,
// Ctrl+Y) over the app's UndoHistory. It commits a step after each finished
// change in the window: a slider moved by key or click, or let go after a
// drag; a button, check box or menu command; the cover type list; a drag in
// the panel once its button is released; wheel turns once they pause. While
// any drag is still going on the commit waits for it.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "app/history/UndoHistory.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace tessaly {

class MainState;

class EditHistory : public QObject {
    Q_OBJECT
  public:
    // Adds the Edit menu to `bar` before `before`'s menu.
    EditHistory(MainState& state, QMenuBar* bar, QAction* before, QObject* parent);

    // Commits after the user's changes made through the widgets under `root`.
    void Watch(QWidget* root);
    // Commits after `delayMs`; a later call starts the wait again (wheel
    // turns in quick succession make one step).
    void ScheduleCommit(int delayMs = 0);
    void CommitNow();
    // A project was opened or a new cover made: the history starts again.
    void Clear();
    // The project was saved: this step is the unmodified one.
    void Saved();
    void Undo();
    void Redo();

    UndoHistory& History() { return history_; }
    QMenu* Menu() const { return menu_; }
    QAction* UndoAction() const { return undo_; }
    QAction* RedoAction() const { return redo_; }

    // True while a drag is going on (the panel's); set by the window.
    std::function<bool()> DragActive;
    // After every commit, undo, redo, clear or save (the window's title).
    std::function<void()> Changed;
    // Before a step is restored (the window makes its GL context current).
    std::function<void()> BeforeRestore;

  private:
    bool Busy() const;
    void UpdateActions();

    MainState& state_;
    UndoHistory history_;
    QMenu* menu_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QTimer commitTimer_;
};

}  // namespace tessaly
