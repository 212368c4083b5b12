// MainWindow: the main window "mForm", a thin face over MainState. It lays
// out the rendering panel, the five tabs and the models combo box, binds
// every widget to its app-layer control, runs the start-up steps once the
// panel's OpenGL context exists, drives frames with the 10 ms timer (slower
// when the window is left alone, none while it cannot be seen; the 50 ms
// paint timer while a modal dialog is up), and asks before closing with
// unsaved changes.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainState.h"
#include "app/view/PanelMouse.h"
#include "core/paths/WorkingFolder.h"
#include "app/view/RedrawPolicy.h"
#include "app/view/PanelWheel.h"
#include "gui/QtUserPort.h"
#include "ui_MainWindow.h"

class QLabel;

namespace tessaly {

class ArtworkWatcher;
class DropTargets;
class EditHistory;
class RecentMenu;
struct DropSlot;
class ImagesTab;
class CoverTab;
class FloorTab;
class SceneTab;
class LightTab;
class PictureExportCommands;
class SizeDialog;
class ShellDialogs;
class UpdatePanels;
class ValueEditors;
class WebMenus;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    struct Options {
        // Where the program's files lie; when `files` is left empty, all of
        // them in the portable layout under `programFolder`.
        std::string programFolder;
        FileLocations files;
        // Files named on the command line (the first one is opened).
        std::vector<std::string> arguments;
        // A context of its own instead of the panel's (tests without a
        // display use a headless one); start-up then runs at once.
        std::unique_ptr<TGLContext> context;
        // Runs on the user port before start-up (tests answer its questions).
        std::function<void(QtUserPort&)> preparePort;
        // When the update check's Timer2 fires after the window is made;
        // negative: never (tests start it themselves).
        int updateCheckDelayMs = 3000;
    };

    explicit MainWindow(Options options, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainState& State() { return *state_; }
    QtUserPort& Port() { return *port_; }
    GlPanel* Panel() { return ui_.OGLPanel; }
    SizeDialog& SizeForm() { return *sizeForm_; }
    // The options and warning dialogs and the language walk over the windows.
    ShellDialogs& Shell() { return *shell_; }
    // The Help menu, the about box and the e-mail commands.
    WebMenus& Web() { return *web_; }
    // The update check with its notification panels.
    UpdatePanels& Updates() { return *updates_; }
    const std::string& ProgramFolder() const { return programFolder_; }

    // Makes the rendering context current (texture work outside a frame).
    void MakeCurrent();
    // Draws a frame at once (sliders' scroll handlers).
    void DrawNow();
    void SetPaintTimer(bool on);
    bool PaintTimerActive() const { return paintTimer_.isActive(); }
    bool FrameTimerActive() const { return checkTimer_.isActive(); }
    int FrameTimerInterval() const { return checkTimer_.interval(); }
    // An input or a change of what the panel shows: the panel is redrawn
    // continuously again (it slows down some seconds after the last one).
    void NoteActivity();
    bool StartupDone() const { return startupDone_; }
    // A language text, or `fallback` when no language file has it.
    std::string Text(const std::string& key, const std::string& fallback) const;

    // Status bar panels: 0 progress texts (250 px), 1 the measured frame rate.
    QLabel* StatusPanel(int index) { return statusPanels_.at(index); }

    // The capture commands.
    void SaveImage1Click();
    void CopytoClipboard1Click();
    // Draws the scene at width x height with 8 passes and writes it to `path`
    // ("clipboard" puts it on the clipboard). Errors are shown.
    bool CapturePicture(const std::string& path, int width, int height);

    // Cursor the panel shows for the current drag.
    PanelDrag& Drag() { return drag_; }

    // Undo and redo of the cover's changes (the Edit menu).
    EditHistory& History() { return *history_; }
    // Sets the title from the project's name and its Modified flag.
    void RefreshTitle();
    // Opens a project (asking about unsaved changes first) or a template, as
    // the menu commands do; a dropped file and File > Open Recent come here.
    void OpenFile(const std::string& path);
    // Says in the status bar, for a few seconds, what was written where.
    void ShowSaved(const std::string& path);
    // eCover > Fit to View: distance and elevation frame the whole cover.
    void FitToView();
    // Loads a picture into an image slot as its Select button does.
    void LoadPicture(const DropSlot& slot, const std::string& path);
    DropTargets& Drops() { return *drops_; }
    ArtworkWatcher& Artwork() { return *artwork_; }
    RecentMenu& Recent() { return *recent_; }
    // Typed values in place of slider moves.
    ValueEditors& TypedValues() { return *valueEditors_; }
    // File > Export Picture... and the copy with a transparent background.
    PictureExportCommands& Exports() { return *exports_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void RunStartup();
    void BindMenus();
    void BindDrops();
    // The texts of the Edit and Open Recent menus in the current language.
    void TranslateConveniences();
    // After a command that may have opened or saved a file: thumbnails,
    // history, recent files and title follow.
    void AfterFileCommand(int readBefore, int writtenBefore, bool newCover);
    void FillModelsComboBox();
    void OpenCommandLineFile();
    void UpdateFrameRate();
    // The frame timer's tick: adapts its rate and asks for a frame while the
    // panel can be seen.
    void FrameTick();
    bool PanelCanBeSeen() const;
    void PanelWheel(int angleDelta);
    bool PanelHostsContext() const { return panelContext_; }

    Ui::MainWindow ui_;
    std::string programFolder_;
    // This window's own folder for the working copies of its images.
    std::unique_ptr<WorkingFolder> workingFolder_;
    std::vector<std::string> arguments_;
    std::unique_ptr<QtUserPort> port_;
    std::unique_ptr<MainState> state_;
    std::unique_ptr<SizeDialog> sizeForm_;
    std::unique_ptr<ShellDialogs> shell_;
    WebMenus* web_ = nullptr;            // child of the window
    UpdatePanels* updates_ = nullptr;    // child of the window
    EditHistory* history_ = nullptr;     // child of the window
    DropTargets* drops_ = nullptr;       // child of the window
    ArtworkWatcher* artwork_ = nullptr;  // child of the window
    RecentMenu* recent_ = nullptr;       // child of the window
    PictureExportCommands* exports_ = nullptr;  // child of the window
    QAction* fitAction_ = nullptr;       // child of the window
    ValueEditors* valueEditors_ = nullptr;  // child of the window
    ImagesTab* imagesTab_ = nullptr;
    CoverTab* coverTab_ = nullptr;
    FloorTab* floorTab_ = nullptr;
    SceneTab* sceneTab_ = nullptr;
    LightTab* lightTab_ = nullptr;
    std::vector<QLabel*> statusPanels_;
    QTimer checkTimer_;
    QTimer paintTimer_;
    QTimer rateTimer_;
    PanelDrag drag_;
    RedrawPolicy redraw_;
    // The window's caption in the current language: the title's last part.
    QString programCaption_ = QStringLiteral("Tessaly");
    WheelSum wheel_;
    bool panelContext_ = true;
    bool startupDone_ = false;
    bool projectFromCommandLine_ = false;
};

}  // namespace tessaly
