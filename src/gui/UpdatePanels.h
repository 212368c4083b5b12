// UpdatePanels: the main window's side of the update check. It owns Timer2,
// which fires once three seconds after the window is made and starts the
// check when the options allow it; the two notification panels over the 3D
// view, "UPanel" (new templates) and "UTPanel" (new tutorials), hidden until
// the check brings them up; and the bridge that runs every call the worker
// thread makes on the window's thread, waiting for each.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/update/UpdateCheck.h"

class QFrame;
class QWidget;

namespace tessaly {

class MainWindow;

class UpdatePanels : public QObject {
    Q_OBJECT
  public:
    // `view` is the 3D view the panels lie over. Timer2 starts at once with
    // `delayMs` (3000 in the program); a negative delay leaves it off.
    UpdatePanels(MainWindow& window, QWidget* view, int delayMs);
    // Stops a check still running and waits for it (briefly: the transfer
    // notices at once and calls to the window are no longer waited for).
    ~UpdatePanels() override;

    QTimer Timer2;
    // Where the markers are kept and fetched; the window sets them from the
    // program folder and the site, tests from a folder and server of theirs.
    UpdateCheckConfig Config;
    // Whether the options allow the check (the options' update box, stored
    // as the setting "UpdateCheck").
    std::function<bool()> Allowed;

    // Timer2's handler: stops the timer, then starts the check when allowed
    // and not started before in this run.
    void Timer2Timer();
    CheckThread* Thread() { return thread_.get(); }

    QFrame* UPanel() { return uPanel_; }
    QFrame* UTPanel() { return utPanel_; }
    // Brings a panel in front of the view.
    void ShowPanel(UpdatePanel panel);

    // The panels' buttons: Yes opens the page and hides the panel, No hides it.
    void BYesClick();
    void BNoClick();
    void BitBtn29Click();
    void BitBtn30Click();

  private:
    class Bridge;
    MainWindow& window_;
    QFrame* uPanel_ = nullptr;
    QFrame* utPanel_ = nullptr;
    std::unique_ptr<Bridge> bridge_;
    std::unique_ptr<CheckThread> thread_;
};

}  // namespace tessaly
