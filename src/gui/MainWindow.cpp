#include "gui/MainWindow.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QUrl>
#include <QWindow>
#include <QWheelEvent>
#include <filesystem>

#include "app/cover/CoverAssembly.h"
#include "app/images/DroppedFiles.h"
#include "app/images/ImageSlots.h"
#include "app/project/CoverProject.h"
#include "app/project/ResetCommands.h"
#include "app/view/FitToView.h"
#include "core/i18n/Messages.h"
#include "core/i18n/WindowTexts.h"
#include "core/images/PictureDepth.h"
#include "core/io/FileIO.h"
#include "core/settings/SettingsFile.h"
#include "gui/ArtworkWatcher.h"
#include "gui/CoverTab.h"
#include "gui/DropTargets.h"
#include "gui/EditHistory.h"
#include "gui/FloorTab.h"
#include "gui/GlPanel.h"
#include "gui/ImagesTab.h"
#include "gui/LightTab.h"
#include "gui/PictureExportCommands.h"
#include "gui/RecentMenu.h"
#include "gui/SceneTab.h"
#include "gui/ShellDialogs.h"
#include "gui/SizeDialog.h"
#include "gui/Startup.h"
#include "gui/UpdatePanels.h"
#include "gui/ValueEditors.h"
#include "gui/WebMenus.h"
#include "gui/WidgetBinding.h"
#include "gui/WindowState.h"
#include "gui/WindowTitle.h"
#include "render/Capture.h"

namespace tessaly {

namespace {

Qt::CursorShape CursorFor(PanelCursor cursor) {
    switch (cursor) {
        case PanelCursor::PointingHand:
            return Qt::PointingHandCursor;
        case PanelCursor::SizeVertical:
            return Qt::SplitVCursor;
        case PanelCursor::SizeAll:
            return Qt::SizeAllCursor;
        case PanelCursor::Arrow:
            break;
    }
    return Qt::ArrowCursor;
}

PanelButton ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return PanelButton::Left;
        case Qt::RightButton:
            return PanelButton::Right;
        case Qt::MiddleButton:
            return PanelButton::Middle;
        default:
            return PanelButton::Other;
    }
}

// A tab's controls in a scroll area: a small window (or a large font, or a
// high scaling factor) scrolls the controls instead of clipping them or
// forcing the window beyond the screen.
QWidget* Scrolling(QWidget* tab) {
    auto* area = new QScrollArea;
    area->setObjectName(tab->objectName() + "Scroll");
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidget(tab);
    return area;
}

}  // namespace

MainWindow::MainWindow(Options options, QWidget* parent)
    : QMainWindow(parent), arguments_(std::move(options.arguments)) {
    FileLocations files = options.files.Data.empty() ? PortableLocations(options.programFolder)
                                                     : std::move(options.files);
    programFolder_ = files.Data;
    ui_.setupUi(this);
    // The designed size, made smaller where the screen is (a high scaling
    // factor): the tabs scroll instead.
    if (const QScreen* display = screen())
        resize(size().boundedTo(display->availableGeometry().size()).expandedTo(minimumSize()));
    port_ = std::make_unique<QtUserPort>(this, files);
    if (options.preparePort) options.preparePort(*port_);
    panelContext_ = !options.context;
    std::unique_ptr<TGLContext> context =
        options.context ? std::move(options.context) : std::make_unique<QtGLContext>(*ui_.OGLPanel);
    state_ = std::make_unique<MainState>(std::move(files), *port_, std::move(context));
    // Without a folder of its own the window works in the images folder
    // itself, as a lone window always could.
    try {
        workingFolder_ = std::make_unique<WorkingFolder>(state_->Session.Files.Images);
        state_->Session.ImagesFolder = workingFolder_->Path();
    } catch (const std::exception&) {
    }

    // Status bar: the progress panel is 250 pixels wide, then the frame rate.
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(i == 0 ? "Status" : "", this);
        label->setObjectName(i == 0 ? "StatusPanel0" : "StatusPanel1");
        if (i == 0) label->setFixedWidth(250);
        ui_.StatusBar->addWidget(label, i == 0 ? 0 : 1);
        statusPanels_.push_back(label);
    }
    port_->StatusPanels = statusPanels_;
    port_->PaintTimer = [this](bool on) { SetPaintTimer(on); };
    port_->Settings = &state_->Session.Settings;
    port_->LanguageFile = [this] { return state_->Session.LanguageFile; };
    port_->Localise = [this](const std::string& text) {
        return LocaliseFixedText(state_->Session.LanguageFile, text);
    };

    imagesTab_ = new ImagesTab(*this, ui_.Images);
    ui_.ImagesSheetLayout->addWidget(Scrolling(imagesTab_));
    coverTab_ = new CoverTab(*this, ui_.TabSheet3);
    ui_.eCoverSheetLayout->addWidget(Scrolling(coverTab_));
    floorTab_ = new FloorTab(*this, ui_.TabSheet2);
    ui_.FloorSheetLayout->addWidget(Scrolling(floorTab_));
    sceneTab_ = new SceneTab(*this, ui_.pScene);
    ui_.SceneSheetLayout->addWidget(Scrolling(sceneTab_));
    lightTab_ = new LightTab(*this, ui_.pSopt);
    ui_.LightSheetLayout->addWidget(Scrolling(lightTab_));
    FixValueLabelWidths(this, state_->Controls);
    valueEditors_ = new ValueEditors(*this);

    MainControls& c = state_->Controls;
    BindComboBox(ui_.ModelsComboBox, c.ModelsComboBox);
    c.ModelsComboBox.OnChange = [this] {
        MakeCurrent();
        SelectCover(*state_, state_->Controls.ModelsComboBox.ItemIndex + 1);
    };
    history_ = new EditHistory(*state_, ui_.MainMenu1, ui_.eCover1->menuAction(), this);
    history_->DragActive = [this] { return drag_.RotateDrag || drag_.ZoomDrag || drag_.PanDrag; };
    history_->Changed = [this] {
        RefreshTitle();
        if (artwork_) artwork_->Rewatch();
    };
    artwork_ = new ArtworkWatcher(*state_, this);
    artwork_->Known = [this] { return history_->History().Current(); };
    artwork_->BeforeReload = [this] { MakeCurrent(); };
    artwork_->AfterReload = [this] { history_->CommitNow(); };
    history_->BeforeRestore = [this] { MakeCurrent(); };
    recent_ = new RecentMenu(*this, ui_.File1, ui_.SaveImage1);
    exports_ = new PictureExportCommands(*this, ui_.File1, ui_.SaveImage1, ui_.CopytoClipboard1);
    fitAction_ = new QAction(QStringLiteral("Fit to View"), this);
    fitAction_->setObjectName("FitToViewAction");
    fitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    ui_.eCover1->insertAction(ui_.resetBut, fitAction_);
    connect(fitAction_, &QAction::triggered, this, [this] { FitToView(); });
    BindMenus();
    history_->Watch(this);
    drops_ = new DropTargets(*this);
    BindDrops();
    {
        // Read early for the window's place; start-up loads the settings
        // for everything else.
        TSettingsFile settings;
        try {
            settings.Load(programFolder_ + std::string(kSettingsFileName));
            RestoreWindowPlacement(*this, *ui_.PageControl1, settings);
        } catch (const std::exception&) {
        }
    }
    shell_ = std::make_unique<ShellDialogs>(*this);
    web_ = new WebMenus(*this);
    updates_ = new UpdatePanels(*this, ui_.OGLPanel, options.updateCheckDelayMs);

    checkTimer_.setInterval(10);
    connect(&checkTimer_, &QTimer::timeout, this, [this] { FrameTick(); });
    qApp->installEventFilter(this);
    paintTimer_.setInterval(50);
    connect(&paintTimer_, &QTimer::timeout, this, [this] { ui_.OGLPanel->update(); });
    rateTimer_.setInterval(1000);
    connect(&rateTimer_, &QTimer::timeout, this, [this] { UpdateFrameRate(); });

    GlPanel* panel = ui_.OGLPanel;
    panel->installEventFilter(this);
    panel->OnPaint = [this] {
        if (!startupDone_ || !panelContext_) {
            glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            return;
        }
        const QScopedValueRollback drawing(port_->DrawingFrame, true);
        state_->Session.Frames.RenderFrame(true);
    };
    panel->OnResize = [this](int width, int height) {
        if (panelContext_ && state_->Session.GLReady)
            state_->Session.Context->Reshape(width, height);
    };
    if (panelContext_) {
        // The rendering set-up needs the panel's context, which exists once
        // the panel is first shown; start-up runs right after that.
        panel->OnInitialize = [this] { QTimer::singleShot(0, this, [this] { RunStartup(); }); };
    } else {
        RunStartup();
    }
}

MainWindow::~MainWindow() {
    // Textures and framebuffers go while the panel's context still exists.
    if (panelContext_ && ui_.OGLPanel->context()) ui_.OGLPanel->makeCurrent();
    state_.reset();
    if (panelContext_ && ui_.OGLPanel->context()) ui_.OGLPanel->doneCurrent();
}

std::string MainWindow::Text(const std::string& key, const std::string& fallback) const {
    const std::string& file = state_->Session.LanguageFile;
    if (file.empty()) return fallback;
    const std::string text = GetMessage(file, key);
    return text == key ? fallback : text;
}

void MainWindow::MakeCurrent() {
    if (panelContext_ && ui_.OGLPanel->context()) ui_.OGLPanel->makeCurrent();
}

void MainWindow::DrawNow() {
    if (startupDone_) ui_.OGLPanel->repaint();
}

void MainWindow::SetPaintTimer(bool on) {
    if (on)
        paintTimer_.start();
    else
        paintTimer_.stop();
}

bool MainWindow::PanelCanBeSeen() const {
    const QWindow* window = windowHandle();
    return isVisible() && !isMinimized() && window && window->isExposed();
}

void MainWindow::FrameTick() {
    const int interval =
        redraw_.Interval(state_->Session.Frames.TickCount(), state_->Session.Frames.CheckActive);
    if (checkTimer_.interval() != interval) checkTimer_.setInterval(interval);
    if (PanelCanBeSeen()) ui_.OGLPanel->update();
}

void MainWindow::NoteActivity() {
    redraw_.Activity(state_->Session.Frames.TickCount());
    if (checkTimer_.isActive() && checkTimer_.interval() != RedrawPolicy::kActiveIntervalMs) {
        checkTimer_.setInterval(RedrawPolicy::kActiveIntervalMs);
        ui_.OGLPanel->update();
    }
}

void MainWindow::UpdateFrameRate() {
    statusPanels_[1]->setText(QString("%1 %2").arg(
        QLocale().toString(ui_.OGLPanel->FramesPerSecond(), 'f', 1),
        QString::fromStdString(WindowTextOf(state_->Session.LanguageFile, "fpsec"))));
}

void MainWindow::RunStartup() {
    if (startupDone_) return;
    MakeCurrent();
    RenderSession& session = state_->Session;
    MainControls& c = state_->Controls;
    const qreal ratio = ui_.OGLPanel->devicePixelRatioF();
    const std::vector<StartupStep> steps = {
        {"creating main form",
         [&] {
             SetupOptions setup;
             setup.width = qMax(1, qRound(ui_.OGLPanel->width() * ratio));
             setup.height = qMax(1, qRound(ui_.OGLPanel->height() * ratio));
             setup.logPath = session.Files.Log;
             session.SetupRendering(setup);
             c.ShadowCheck.SetChecked(true);
             imagesTab_->ShowFaceThumbnails();
             floorTab_->ShowFloorThumbnail();
             FillModelsComboBox();
         }},
        {"creating about form", [&] { web_->CreateAboutForm(); }},
        {"creating dform", [&] { sizeForm_ = std::make_unique<SizeDialog>(this); }},
        {"creating credits form", [&] { web_->CreateCreditsForm(); }},
        {"changing title",
         [&] {
             QApplication::setApplicationName("Tessaly");
             RefreshTitle();
         }},
        {"loading settings",
         [&] {
             shell_->LoadSettings();
             recent_->Load();
         }},
        {"loading languages", [&] { shell_->LoadLanguageCatalogue(); }},
        {"translating to default", [&] { shell_->TranslateToDefault(); }},
        {"checking parameters", [&] { OpenCommandLineFile(); }},
        {"rendering",
         [&] {
             session.Frames.CheckStart = session.Frames.TickCount();
             state_->SetRenderingEnabled(true);
             session.Frames.CheckTimerOn = true;
             redraw_.Activity(session.Frames.TickCount());
             checkTimer_.start();
             rateTimer_.start();
         }},
        {"changing model",
         [&] {
             // A project named on the command line keeps its own cover type.
             const int entry = projectFromCommandLine_ ? state_->Cover.Entry : 1;
             SelectCover(*state_, entry);
             c.ModelsComboBox.Select(state_->Cover.Entry - 1);
             MakeCurrent();
             shell_->CheckRendererWarning();
         }},
    };
    RunGuardedSteps(steps, *port_);
    startupDone_ = true;
    RestoreAntialiasing(*this, session.Settings);
    history_->Clear();
    ui_.OGLPanel->update();
}

void MainWindow::TranslateConveniences() {
    auto text = [this](const char* key, const char* fallback) {
        return QString::fromStdString(Text(key, fallback));
    };
    history_->Menu()->setTitle(text("editmenu", "Edit"));
    history_->UndoAction()->setText(text("undo", "Undo"));
    history_->RedoAction()->setText(text("redo", "Redo"));
    recent_->Menu()->setTitle(text("openrecent", "Open Recent"));
    fitAction_->setText(text("fittoview", "Fit to View"));
    exports_->Translate();
}

void MainWindow::RefreshTitle() {
    setWindowTitle(WindowTitleText(state_->ProjectFile,
                                   QString::fromStdString(Text("untitled", "Untitled")),
                                   programCaption_));
    setWindowModified(state_->Cover.Modified);
}

void MainWindow::FillModelsComboBox() {
    ComboBox& box = state_->Controls.ModelsComboBox;
    box.Items = state_->Session.Catalogue.DisplayNames;
    box.Select(box.Items.empty() ? -1 : 0);
}

void MainWindow::OpenCommandLineFile() {
    switch (ClassifyCommandLineFile(arguments_)) {
        case CommandLineFileKind::None:
            return;
        case CommandLineFileKind::Project:
            projectFromCommandLine_ = ReadCoverProject(*state_, arguments_.front());
            if (!projectFromCommandLine_) state_->ProjectFile.clear();
            return;
        case CommandLineFileKind::Template:
            projectFromCommandLine_ = ReadTemplate(*state_, arguments_.front());
            return;
        case CommandLineFileKind::Unknown:
            port_->ShowMessage(MessageKind::Information, Text("ufe", "Unknown file extension"), "",
                               MessageButtons::Ok, "ufe");
            return;
    }
}

void MainWindow::BindMenus() {
    auto command = [this](QAction* action, auto handler, bool newCover = false) {
        connect(action, &QAction::triggered, this, [this, handler, newCover] {
            MakeCurrent();
            const int read = state_->ProjectsRead;
            const int written = state_->ProjectsWritten;
            handler(*state_);
            AfterFileCommand(read, written, newCover);
        });
    };
    // Templates opened or saved by the menu go on the recent list (the reset
    // template, read by Reset settings, does not).
    auto templateCommand = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, [this, handler] {
            MakeCurrent();
            const int used = state_->TemplatesUsed;
            handler(*state_);
            if (state_->TemplatesUsed != used) recent_->Add(state_->TemplateFile);
            AfterFileCommand(state_->ProjectsRead, state_->ProjectsWritten, false);
        });
    };
    command(ui_.SaveeCover1, [](MainState& s) { SaveeCover1Click(s); });
    command(ui_.OpeneCover1, [](MainState& s) { OpeneCover1Click(s); });
    templateCommand(ui_.SaveTemplate1, [](MainState& s) { SaveTemplate1Click(s); });
    templateCommand(ui_.OpenTemplate1, [](MainState& s) {
        OpenTemplate1Click(s);
        SelectCover(s, s.Cover.Entry);
    });
    command(ui_.resetBut, [](MainState& s) { resetButClick(s); });
    command(
        ui_.ResetAll1, [](MainState& s) { ResetAll1Click(s); }, true);
    const std::vector<std::pair<QAction*, const char*>> newItems = {
        {ui_.StandardBox1, "stdbox"},
        {ui_.hinBox1, "thinbox"},
        {ui_.WideBox1, "widebox"},
        {ui_.Customizablebox1, "cbox"},
        {ui_.Book1, "flatbook"},
        {ui_.Spiral1, "spiral1"},
        {ui_.WideSpiralNotebook1, "spiral2"},
        {ui_.Magazine1, "magazine"},
        {ui_.CDDVDCase1, "cdcase"},
        {ui_.N2BooksBox1, "2bookbox"},
        {ui_.N3BooksBox1, "3bookbox"},
        {ui_.N4BooksBox1, "4bookbox"},
    };
    for (const auto& [action, id] : newItems) {
        const std::string type = id;
        command(
            action, [type](MainState& s) { NewCover(s, type); }, true);
    }
    connect(ui_.SaveImage1, &QAction::triggered, this, [this] { SaveImage1Click(); });
    connect(ui_.CopytoClipboard1, &QAction::triggered, this, [this] { CopytoClipboard1Click(); });
    connect(ui_.Exit1, &QAction::triggered, this, [this] { close(); });
    // Ctrl+Q, the usual Quit of the desktop, beside the menu's own shortcut.
    ui_.Exit1->setShortcuts({ui_.Exit1->shortcut(), QKeySequence(QKeySequence::Quit)});
    connect(ui_.Options1, &QAction::triggered, this, [this] { shell_->ShowOptions(); });
}

void MainWindow::AfterFileCommand(int readBefore, int writtenBefore, bool newCover) {
    imagesTab_->ShowFaceThumbnails();
    floorTab_->ShowFloorThumbnail();
    const bool read = state_->ProjectsRead != readBefore;
    const bool written = state_->ProjectsWritten != writtenBefore;
    // A new cover is read from the start project but has no file of its own.
    if (newCover && read) state_->ProjectFile.clear();
    if ((read || written) && !state_->ProjectFile.empty()) recent_->Add(state_->ProjectFile);
    if (written && !read) ShowSaved(state_->ProjectFile);
    if (read)
        history_->Clear();
    else if (written)
        history_->Saved();
    RefreshTitle();
}

void MainWindow::OpenFile(const std::string& path) {
    MakeCurrent();
    const int read = state_->ProjectsRead;
    const int written = state_->ProjectsWritten;
    switch (ClassifyDroppedFile(path)) {
        case DroppedKind::Project: {
            if (state_->Cover.Modified) {
                const MessageAnswer answer = port_->ShowMessage(
                    MessageKind::Confirmation, Text("sceco", "Save changes to the current eCover?"),
                    "", MessageButtons::YesNoCancel, "sceco");
                if (answer == MessageAnswer::Cancel) return;
                if (answer == MessageAnswer::Yes) {
                    SaveeCover1Click(*state_);
                    // Not saved after all (no name chosen, or the writing
                    // failed): the changes stay and nothing is opened.
                    if (state_->ProjectsWritten == written) return;
                }
            }
            ReadCoverProject(*state_, path);
            break;
        }
        case DroppedKind::Template: {
            const int used = state_->TemplatesUsed;
            if (ReadTemplate(*state_, path)) SelectCover(*state_, state_->Cover.Entry);
            if (state_->TemplatesUsed != used) recent_->Add(path);
            history_->ScheduleCommit();
            break;
        }
        default:
            port_->ShowMessage(MessageKind::Information, Text("ufe", "Unknown file extension"), "",
                               MessageButtons::Ok, "ufe");
            return;
    }
    AfterFileCommand(read, written, false);
}

void MainWindow::ShowSaved(const std::string& path) {
    // Over the status panels for a few seconds, then they show again.
    ui_.StatusBar->showMessage(QString::fromStdString(Text("savedto", "Saved to") + " " + path),
                               5000);
}

void MainWindow::FitToView() {
    const qreal ratio = ui_.OGLPanel->devicePixelRatioF();
    FitCoverToView(*state_, qRound(ui_.OGLPanel->width() * ratio),
                   qRound(ui_.OGLPanel->height() * ratio));
    history_->ScheduleCommit();
    RefreshTitle();
}

void MainWindow::LoadPicture(const DropSlot& slot, const std::string& path) {
    MakeCurrent();
    LoadDroppedPicture(*state_, slot, path);
    if (slot.Book > 0) imagesTab_->UpdateBookButtons(imagesTab_->CurrentBook());
    history_->ScheduleCommit();
    RefreshTitle();
}

void MainWindow::BindDrops() {
    Ui::ImagesTab& images = imagesTab_->Form();
    const std::array<std::array<QWidget*, 2>, 3> faces{{{images.Image1, images.BitBtn4},
                                                        {images.Image2, images.BitBtn8},
                                                        {images.Image3, images.BitBtn11}}};
    for (int g = 1; g <= 3; ++g)
        for (QWidget* w : faces[g - 1]) drops_->AddSlot(w, [g] { return DropSlot{g, 0, 0}; });
    for (QWidget* w : {static_cast<QWidget*>(floorTab_->Form().Background),
                       static_cast<QWidget*>(floorTab_->Form().BitBtn14)})
        drops_->AddSlot(w, [] { return DropSlot{kFloorSlot, 0, 0}; });
    // The book panel's slots are those of the book it shows.
    const std::array<std::array<QWidget*, 4>, 3> bookThumbs{{
        {images.Book1Image1, images.Book2Image1, images.Book3Image1, images.Book4Image1},
        {images.Book1Image2, images.Book2Image2, images.Book3Image2, images.Book4Image2},
        {images.Book1Image3, images.Book2Image3, images.Book3Image3, images.Book4Image3},
    }};
    const std::array<QWidget*, 3> bookSelects{images.BitBtn16, images.BitBtn20, images.BitBtn23};
    for (int i = 1; i <= 3; ++i) {
        for (int b = 1; b <= 4; ++b)
            drops_->AddSlot(bookThumbs[i - 1][b - 1], [b, i] { return DropSlot{0, b, i}; });
        drops_->AddSlot(bookSelects[i - 1], [this, i] {
            return DropSlot{0, state_->Controls.CurrentBook, i};
        });
    }
    drops_->AddPanel(ui_.OGLPanel);
    drops_->AddWindow(this);
}

void MainWindow::SaveImage1Click() {
    const QSize panel = ui_.OGLPanel->size() * ui_.OGLPanel->devicePixelRatioF();
    int width = panel.width();
    int height = panel.height();
    // The options dialog holds the live preferences.
    const bool sameAsView = state_->Options.CaptureSameAsView;
    if (!sameAsView && sizeForm_) {
        sizeForm_->SetMaximum(width, height);
        SetPaintTimer(true);
        sizeForm_->exec();
        SetPaintTimer(false);
        width = sizeForm_->ChosenWidth();
        height = sizeForm_->ChosenHeight();
    }
    const auto path = port_->ChooseFileName("CaptureDialog");
    if (!path) return;
    if (!CapturePicture(*path, width, height)) return;
    ShowSaved(*path);
    if (state_->Options.CheckBox1.Checked) port_->OpenDocument(*path);
}

void MainWindow::CopytoClipboard1Click() {
    const QSize panel = ui_.OGLPanel->size() * ui_.OGLPanel->devicePixelRatioF();
    CapturePicture("clipboard", panel.width(), panel.height());
}

bool MainWindow::CapturePicture(const std::string& path, int width, int height) {
    RenderSession& session = state_->Session;
    try {
        MakeCurrent();
        RgbaImage picture;
        {
            const QScopedValueRollback drawing(port_->DrawingFrame, true);
            picture = CaptureFrame(session.Frames, *session.Context, width, height);
        }
        const std::string depthText = session.Settings.ReadValue("CDepth");
        const int depth = depthText == "16" ? 16 : depthText == "24" ? 24 : 32;
        if (path == "clipboard") {
            QImage image(picture.pixels.data(), picture.width, picture.height, picture.width * 4,
                         QImage::Format_RGBA8888);
            QGuiApplication::clipboard()->setImage(image.copy());
        } else {
            const int type = std::clamp(port_->CaptureFilterIndex, 1, 3);
            SavePicture(picture, static_cast<PictureFileType>(type), depth, path);
        }
    } catch (const std::exception& e) {
        port_->ShowMessage(MessageKind::Error, e.what(), "", MessageButtons::Ok);
        return false;
    }
    ui_.OGLPanel->update();
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!state_->Cover.Modified) {
        SaveWindowState(*this, *ui_.PageControl1, state_->Session.Settings);
        event->accept();
        return;
    }
    const MessageAnswer answer = port_->ShowMessage(
        MessageKind::Confirmation, Text("sceco", "Save changes to the current eCover?"), "",
        MessageButtons::YesNoCancel, "sceco");
    if (answer == MessageAnswer::Cancel) {
        event->ignore();
        return;
    }
    if (answer == MessageAnswer::Yes) {
        SetPaintTimer(true);
        if (auto path = port_->ChooseFileName("SaveCoverDialog")) {
            MakeCurrent();
            WriteCoverProject(*state_, *path);
        }
        SetPaintTimer(false);
    }
    SaveWindowState(*this, *ui_.PageControl1, state_->Session.Settings);
    event->accept();
}

void MainWindow::PanelWheel(int angleDelta) {
    // A notch moves the distance as far as it moves the distance slider.
    const auto* slider = findChild<QAbstractSlider*>("distanceSB");
    const int step = QApplication::wheelScrollLines() * (slider ? slider->singleStep() : 1);
    OGLPanelWheel(*state_, wheel_.TakeNotches(angleDelta), step);
    // Turns of the wheel in quick succession are one step of the history.
    history_->ScheduleCommit(500);
}

void MainWindow::changeEvent(QEvent* event) {
    // The language walk sets the window's caption: it becomes the program's
    // name in the title, which keeps showing the project's name, and the
    // menus that walk does not know follow the language.
    if (event->type() == QEvent::WindowTitleChange && history_ && recent_ &&
        !windowTitle().contains("[*]")) {
        programCaption_ = windowTitle();
        RefreshTitle();
        TranslateConveniences();
    }
    QMainWindow::changeEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::WindowActivate:
            NoteActivity();
            break;
        default:
            break;
    }
    if (watched != ui_.OGLPanel) return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint p = mouse->position().toPoint();
            ui_.OGLPanel->setCursor(
                CursorFor(OGLPanelMouseDown(drag_, ButtonOf(mouse->button()), p.x(), p.y())));
            return true;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint p = mouse->position().toPoint();
            OGLPanelMouseMove(*state_, drag_, p.x(), p.y());
            return true;
        }
        case QEvent::MouseButtonRelease:
            ui_.OGLPanel->setCursor(CursorFor(OGLPanelMouseUp(drag_)));
            history_->ScheduleCommit();
            return true;
        case QEvent::Wheel:
            PanelWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
            return true;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tessaly
