#include "gui/EditHistory.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>

#include "app/MainState.h"

namespace tessaly {

EditHistory::EditHistory(MainState& state, QMenuBar* bar, QAction* before, QObject* parent)
    : QObject(parent), state_(state), history_(state) {
    menu_ = new QMenu(QStringLiteral("Edit"), bar);
    menu_->setObjectName("EditMenu");
    bar->insertMenu(before, menu_);
    undo_ = menu_->addAction(QStringLiteral("Undo"));
    undo_->setObjectName("UndoAction");
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = menu_->addAction(QStringLiteral("Redo"));
    redo_->setObjectName("RedoAction");
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(undo_, &QAction::triggered, this, [this] { Undo(); });
    connect(redo_, &QAction::triggered, this, [this] { Redo(); });
    commitTimer_.setSingleShot(true);
    connect(&commitTimer_, &QTimer::timeout, this, [this] {
        if (Busy())
            commitTimer_.start(100);
        else
            CommitNow();
    });
    UpdateActions();
}

bool EditHistory::Busy() const {
    if (DragActive && DragActive()) return true;
    if (QApplication::mouseButtons() != Qt::NoButton) return true;
    for (const QWidget* w : QApplication::allWidgets())
        if (const auto* slider = qobject_cast<const QAbstractSlider*>(w);
            slider && slider->isSliderDown())
            return true;
    return false;
}

void EditHistory::Watch(QWidget* root) {
    for (QAbstractSlider* slider : root->findChildren<QAbstractSlider*>()) {
        connect(slider, &QAbstractSlider::valueChanged, this, [this] { ScheduleCommit(); });
        connect(slider, &QAbstractSlider::sliderReleased, this, [this] { ScheduleCommit(); });
    }
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        connect(button, &QAbstractButton::clicked, this, [this] { ScheduleCommit(); });
        connect(button, &QAbstractButton::toggled, this, [this] { ScheduleCommit(); });
    }
    for (QComboBox* combo : root->findChildren<QComboBox*>())
        connect(combo, &QComboBox::activated, this, [this] { ScheduleCommit(); });
    for (QAction* action : root->findChildren<QAction*>())
        if (action != undo_ && action != redo_)
            connect(action, &QAction::triggered, this, [this] { ScheduleCommit(); });
}

void EditHistory::ScheduleCommit(int delayMs) {
    if (history_.Restoring()) return;
    undo_->setEnabled(true);
    commitTimer_.start(delayMs);
}

void EditHistory::CommitNow() {
    commitTimer_.stop();
    history_.Commit();
    UpdateActions();
}

void EditHistory::Clear() {
    commitTimer_.stop();
    history_.Clear();
    UpdateActions();
}

void EditHistory::Saved() {
    commitTimer_.stop();
    history_.MarkSaved();
    UpdateActions();
}

void EditHistory::Undo() {
    commitTimer_.stop();
    if (BeforeRestore) BeforeRestore();
    history_.Undo();
    UpdateActions();
}

void EditHistory::Redo() {
    commitTimer_.stop();
    if (BeforeRestore) BeforeRestore();
    history_.Redo();
    UpdateActions();
}

void EditHistory::UpdateActions() {
    // Undo stays available while a change waits to be committed.
    undo_->setEnabled(history_.CanUndo() || commitTimer_.isActive());
    redo_->setEnabled(history_.CanRedo());
    if (Changed) Changed();
}

}  // namespace tessaly
