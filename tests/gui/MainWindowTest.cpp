// The main window on Qt's offscreen platform: object names, the bindings in
// both directions, the panel's mouse handling and cursors, the close prompt,
// the start-up guards and the size dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "GuiTestApp.h"
#include "app/view/PanelMouse.h"
#include "core/ui/UserPort.h"
#include "gui/GlPanel.h"
#include "gui/SizeDialog.h"
#include "gui/Startup.h"
#include "render/EglContext.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

using test::MakeWindow;

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { window = MakeWindow(); }
    template <typename T>
    T* Widget(const char* name) {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, EveryControlHasAWidgetOfItsNameAndTheLayoutIsAsDesigned) {
    for (const auto& control : window->State().Controls.All.All())
        EXPECT_NE(window->findChild<QWidget*>(QString::fromStdString(control->Name)), nullptr)
            << control->Name;
    for (const char* name :
         {"OGLPanel", "PageControl1", "StatusBar", "BitBtn4", "BitBtn5", "BitBtn6", "BitBtn14",
          "BitBtn15", "BitBtn13", "SB1", "SB2", "Book4Image3", "BitBtn25", "BitBtn1", "BitBtn2",
          "BitBtn3", "BitBtn27", "BitBtn28"})
        EXPECT_NE(window->findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(window->objectName(), "mForm");
    // The designed size where the screen has room for it; a smaller minimum
    // lets the window fit 1366x768 at 100 % and 1920x1080 at 200 %.
    const QSize screen = window->screen()->availableGeometry().size();
    EXPECT_EQ(window->size(), QSize(832, 630).boundedTo(screen).expandedTo(QSize(620, 440)));
    EXPECT_EQ(window->minimumSize(), QSize(620, 440));
    EXPECT_EQ(window->StatusPanel(0)->width(), 250);

    auto* tabs = Widget<QTabWidget>("PageControl1");
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i) titles << tabs->tabText(i);
    EXPECT_EQ(titles, (QStringList{"Images", "eCover", "Floor", "Scene", "Light"}));
}

// Left alone the panel is redrawn a few times a second; any input brings
// the continuous redraw back at once.
TEST_F(MainWindowTest, TheFrameTimerSlowsDownWhenLeftAloneAndResumesOnInput) {
    std::uint64_t now = 1'000'000;
    window->State().Session.Frames.TickCount = [&now] { return now; };
    window->NoteActivity();
    QTest::qWait(30);
    EXPECT_EQ(window->FrameTimerInterval(), RedrawPolicy::kActiveIntervalMs);
    now += RedrawPolicy::kIdleAfterMs + 1;
    QTest::qWait(30);
    EXPECT_EQ(window->FrameTimerInterval(), RedrawPolicy::kIdleIntervalMs);
    EXPECT_TRUE(window->FrameTimerActive());
    QTest::keyClick(window->findChild<QComboBox*>("ModelsComboBox"), Qt::Key_Shift);
    EXPECT_EQ(window->FrameTimerInterval(), RedrawPolicy::kActiveIntervalMs);
}

// Every slider takes the focus by Tab and moves by the keyboard; Exit has
// Ctrl+Q beside its own shortcut.
TEST_F(MainWindowTest, SlidersWorkFromTheKeyboardAndCtrlQExits) {
    int sliders = 0;
    for (const auto& control : window->State().Controls.All.All()) {
        if (!dynamic_cast<ScrollBar*>(control.get())) continue;
        auto* slider = Widget<QAbstractSlider>(control->Name.c_str());
        ASSERT_NE(slider, nullptr);
        EXPECT_TRUE(slider->focusPolicy() & Qt::TabFocus) << control->Name;
        ++sliders;
    }
    EXPECT_GT(sliders, 20);
    auto* lift = Widget<QScrollBar>("liftSB");
    QTest::keyClick(lift, Qt::Key_End);
    EXPECT_EQ(window->State().Controls.liftSB.Position, 90);
    QTest::keyClick(lift, Qt::Key_PageUp);
    EXPECT_EQ(window->State().Controls.liftSB.Position, 90 - lift->pageStep());
    QTest::keyClick(lift, Qt::Key_Home);
    EXPECT_EQ(window->State().Controls.liftSB.Position, 0);
    EXPECT_EQ(Widget<QLabel>("Label45")->text(), QString("0\u00B0"));

    QAction* exit = window->findChild<QAction*>("Exit1");
    ASSERT_NE(exit, nullptr);
    EXPECT_TRUE(exit->shortcuts().contains(QKeySequence(QKeySequence::Quit)));
    EXPECT_GE(exit->shortcuts().size(), 2);
}

// The picture's file type decides its format; the name typed is given the
// type's extension before the dialog accepts it, and the filter names show
// each pattern once.
TEST_F(MainWindowTest, ThePictureNameTakesTheChosenTypesExtension) {
    test::TempDir dir;
    QtUserPort& port = window->Port();
    port.FileAnswer = nullptr;
    port.Settings = nullptr;  // the shared program folder's settings stay as they are
    QStringList filters;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        filters = box->nameFilters();
        box->setDirectory(QString::fromStdString(dir.Path().string()));
        box->selectNameFilter(filters.value(2));
        box->findChild<QLineEdit*>()->setText("shot.jpg");
        QMetaObject::invokeMethod(box, "accept");
    });
    const auto chosen = port.ChooseFileName("CaptureDialog");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (dir / "shot.png").string());
    EXPECT_EQ(port.CaptureFilterIndex, 3);
    EXPECT_EQ(filters,
              (QStringList{"Bitmap Files (*.bmp)", "JPG files (*.jpg)", "PNG files (*.png)"}));
}

// At the designed window size the Images tab shows every face thumbnail
// whole, in its face's proportions, without scrolling.
TEST(ImagesTabOnDisplay, FaceThumbnailsFitTheImagesTab) {
    // Shown for real: the panel needs a display for its own context.
    if (!test::OnDisplay()) GTEST_SKIP() << "needs TESSALY_GUI_DISPLAY=1 and a display";
    auto window = test::MakeWindow(true);
    window->resize(832, 630);
    window->show();
    QApplication::processEvents();
    QTest::qWait(200);
    auto* area = window->findChild<QScrollArea*>("ImagesTabScroll");
    ASSERT_NE(area, nullptr);
    const QRect visible = area->viewport()->rect();
    for (const char* name : {"Image1", "Image2", "Image3"}) {
        auto* thumb = window->findChild<QLabel*>(name);
        ASSERT_NE(thumb, nullptr);
        const QRect shown(thumb->mapTo(area->viewport(), QPoint(0, 0)), thumb->size());
        EXPECT_TRUE(visible.contains(shown)) << name;
        EXPECT_GE(thumb->height(), thumb->maximumHeight() / 2) << name;
        EXPECT_GE(thumb->width(), thumb->maximumWidth() / 2) << name;
    }
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
}

TEST_F(MainWindowTest, StartupFillsTheModelsComboBoxAndStartsTheFrameTimer) {
    EXPECT_TRUE(window->StartupDone());
    EXPECT_TRUE(window->FrameTimerActive());
    EXPECT_TRUE(window->State().RenderingEnabled());
    auto* combo = Widget<QComboBox>("ModelsComboBox");
    EXPECT_EQ(combo->count(), window->State().Session.Catalogue.Count);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Untitled[*] \u2014 Tessaly"));
}

TEST_F(MainWindowTest, UserMovesReachTheSceneAndCodeChangesReachTheWidgets) {
    MainState& state = window->State();
    auto* rotate = Widget<QScrollBar>("rotateSB");
    rotate->setValue(90);
    EXPECT_EQ(state.Controls.rotateSB.Position, 90);
    EXPECT_FLOAT_EQ(state.Session.TheScene.Settings.CameraRotate, 90.0f);
    EXPECT_EQ(Widget<QLabel>("Label44")->text(), QString::fromUtf8("90°"));
    EXPECT_TRUE(state.Cover.Modified);

    state.Controls.distanceSB.SetPosition(300);
    EXPECT_EQ(Widget<QScrollBar>("distanceSB")->value(), 300);
    EXPECT_FLOAT_EQ(state.Session.TheScene.Settings.Distance, 15.0f);

    // The catch zone of the field of view puts the widget back to 45 too.
    auto* fov = Widget<QScrollBar>("ScrollBar11");
    fov->setValue(43);
    EXPECT_EQ(fov->value(), 45);
    EXPECT_EQ(state.Controls.ScrollBar11.Position, 45);
    fov->setValue(40);
    EXPECT_EQ(state.Controls.ScrollBar11.Position, 40);

    auto* light = Widget<QScrollBar>("LightXSB");
    light->setValue(150);
    EXPECT_EQ(Widget<QLabel>("Label40")->text(), "5");

    auto* passes = Widget<QSlider>("TrackBar1");
    passes->setValue(4);
    EXPECT_EQ(state.Session.TheScene.Settings.AAPasses, 4);
}

TEST_F(MainWindowTest, CheckBoxesBindBothWaysAndShadowDoesNotMarkModified) {
    MainState& state = window->State();
    auto* shadow = Widget<QCheckBox>("ShadowCheck");
    EXPECT_TRUE(shadow->isChecked());
    shadow->setChecked(false);
    EXPECT_FALSE(state.Controls.ShadowCheck.Checked);
    EXPECT_FALSE(state.Cover.Modified);

    state.Controls.FloorCheckBox.SetChecked(false);
    EXPECT_FALSE(Widget<QCheckBox>("FloorCheckBox")->isChecked());
    EXPECT_FALSE(state.Session.TheScene.Floor.Textured);
}

TEST_F(MainWindowTest, PickingACoverTypeShowsItsOptionGroup) {
    MainState& state = window->State();
    const int cdcase = state.Session.Catalogue.FindEntry("cdcase");
    ASSERT_EQ(state.Session.Catalogue.Item(cdcase).Id, "cdcase");
    window->show();
    auto* combo = Widget<QComboBox>("ModelsComboBox");
    emit combo->activated(cdcase - 1);
    EXPECT_EQ(state.Cover.Entry, cdcase);
    EXPECT_FALSE(Widget<QWidget>("ecoCDOpt")->isHidden());
    EXPECT_TRUE(Widget<QWidget>("ecoDimensionsG")->isHidden());
    EXPECT_FALSE(state.Cover.Modified);
}

TEST_F(MainWindowTest, ColourDialogAnswerGoesToSwatchAndCancelChangesNothing) {
    MainState& state = window->State();
    // Without an answer the offscreen port would open a dialog; cancel it.
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    Widget<QPushButton>("BitBtn1")->click();
    EXPECT_EQ(state.Controls.BgColor.Color, 0xFFFFFFu);
    EXPECT_FALSE(state.Cover.Modified);
}

TEST(PanelMouse, DragMathsFollowTheSliders) {
    auto window = MakeWindow();
    MainState& state = window->State();
    SceneSettings& s = state.Session.TheScene.Settings;
    PanelDrag drag;

    // Tilting up past the top stops at 0; turning left past 0 wraps.
    state.Controls.liftSB.SetPosition(5);
    state.Controls.rotateSB.SetPosition(3);
    EXPECT_EQ(OGLPanelMouseDown(drag, PanelButton::Left, 100, 100), PanelCursor::PointingHand);
    OGLPanelMouseMove(state, drag, 90, 80);
    EXPECT_FLOAT_EQ(s.CameraLift, 0.0f);
    EXPECT_EQ(state.Controls.liftSB.Position, 0);
    EXPECT_FLOAT_EQ(s.CameraRotate, 353.0f);
    EXPECT_EQ(state.Controls.rotateSB.Position, 353);
    EXPECT_EQ(window->findChild<QScrollBar*>("rotateSB")->value(), 353);
    EXPECT_EQ(OGLPanelMouseUp(drag), PanelCursor::Arrow);

    // Zooming never leaves 3.5 .. 25.
    EXPECT_EQ(OGLPanelMouseDown(drag, PanelButton::Right, 0, 0), PanelCursor::SizeVertical);
    OGLPanelMouseMove(state, drag, 0, -10000);
    EXPECT_FLOAT_EQ(s.Distance, 25.0f);
    EXPECT_EQ(state.Controls.distanceSB.Position, 500);
    OGLPanelMouseMove(state, drag, 0, 10000);
    EXPECT_FLOAT_EQ(s.Distance, 3.5f);
    OGLPanelMouseUp(drag);

    // A middle drag of 300 pixels left stops at the strafe bar's end.
    EXPECT_EQ(OGLPanelMouseDown(drag, PanelButton::Middle, 400, 300), PanelCursor::SizeAll);
    OGLPanelMouseMove(state, drag, 100, 300);
    EXPECT_EQ(state.Controls.StrafeSB.Position, 200);
    EXPECT_FLOAT_EQ(s.Strafe, -1.0f);
    OGLPanelMouseUp(drag);

    // With left and right held together only turning and tilting act.
    const float distance = s.Distance;
    OGLPanelMouseDown(drag, PanelButton::Left, 0, 0);
    OGLPanelMouseDown(drag, PanelButton::Right, 0, 0);
    OGLPanelMouseMove(state, drag, 0, 30);
    EXPECT_FLOAT_EQ(s.Distance, distance);
    EXPECT_FLOAT_EQ(s.CameraLift, 30.0f);
}

TEST_F(MainWindowTest, PanelMouseEventsSetTheCursorsAndTurnTheCamera) {
    GlPanel* panel = window->Panel();
    auto send = [&](QEvent::Type type, Qt::MouseButton button, QPoint p) {
        QMouseEvent event(type, QPointF(p), panel->mapToGlobal(QPointF(p)), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QApplication::sendEvent(panel, &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, {50, 50});
    EXPECT_EQ(panel->cursor().shape(), Qt::PointingHandCursor);
    send(QEvent::MouseMove, Qt::LeftButton, {70, 60});
    EXPECT_FLOAT_EQ(window->State().Session.TheScene.Settings.CameraRotate, 20.0f);
    EXPECT_FLOAT_EQ(window->State().Session.TheScene.Settings.CameraLift, 10.0f);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, {70, 60});
    EXPECT_EQ(panel->cursor().shape(), Qt::ArrowCursor);
    send(QEvent::MouseButtonPress, Qt::RightButton, {50, 50});
    EXPECT_EQ(panel->cursor().shape(), Qt::SplitVCursor);
    send(QEvent::MouseButtonRelease, Qt::RightButton, {50, 50});
    send(QEvent::MouseButtonPress, Qt::MiddleButton, {50, 50});
    EXPECT_EQ(panel->cursor().shape(), Qt::SizeAllCursor);
    send(QEvent::MouseButtonRelease, Qt::MiddleButton, {50, 50});
}

TEST_F(MainWindowTest, ClosePromptAnswers) {
    std::vector<std::string> asked;
    MessageAnswer answer = MessageAnswer::Cancel;
    bool fileDialogShown = false;
    window->Port().Answer = [&](const std::string& key, const std::string&,
                                MessageButtons buttons) {
        asked.push_back(key);
        EXPECT_EQ(buttons, MessageButtons::YesNoCancel);
        return answer;
    };
    window->Port().FileAnswer = [&](const std::string& dialog) -> std::optional<std::string> {
        EXPECT_EQ(dialog, "SaveCoverDialog");
        EXPECT_TRUE(window->PaintTimerActive());
        fileDialogShown = true;
        return std::nullopt;
    };
    auto closes = [&] {
        QCloseEvent event;
        QApplication::sendEvent(window.get(), &event);
        return event.isAccepted();
    };
    EXPECT_TRUE(closes());  // nothing changed: no question
    EXPECT_TRUE(asked.empty());

    window->State().Cover.Modified = true;
    EXPECT_FALSE(closes());
    answer = MessageAnswer::No;
    EXPECT_TRUE(closes());
    EXPECT_FALSE(fileDialogShown);
    answer = MessageAnswer::Yes;  // then the save dialog is cancelled: still closes
    EXPECT_TRUE(closes());
    EXPECT_TRUE(fileDialogShown);
    EXPECT_FALSE(window->PaintTimerActive());
    EXPECT_EQ(asked, (std::vector<std::string>{"sceco", "sceco", "sceco"}));
}

TEST(Startup, AFailingStepShowsItsTextOnceAndTheRestRuns) {
    struct Port : UserPort {
        std::vector<std::string> texts;
        MessageAnswer ShowMessage(MessageKind kind, const std::string& text, const std::string&,
                                  MessageButtons buttons, const std::string&) override {
            EXPECT_EQ(kind, MessageKind::Error);
            EXPECT_EQ(buttons, MessageButtons::Ok);
            texts.push_back(text);
            return MessageAnswer::Ok;
        }
        void SetStatusText(int, const std::string&) override {}
    } port;
    std::vector<int> ran;
    const int failed =
        RunGuardedSteps({{"loading settings", [&] { throw std::runtime_error("unreadable"); }},
                         {"rendering", [&] { ran.push_back(2); }},
                         {"changing model", [&] { throw 7; }},
                         {"end", [&] { ran.push_back(4); }}},
                        port);
    EXPECT_EQ(failed, 2);
    EXPECT_EQ(ran, (std::vector<int>{2, 4}));
    EXPECT_EQ(port.texts, (std::vector<std::string>{"Exception raised on loading settings",
                                                    "Exception raised on changing model"}));
}

TEST(Startup, CommandLineFileKindByExtensionInAnyCase) {
    EXPECT_EQ(ClassifyCommandLineFile({}), CommandLineFileKind::None);
    EXPECT_EQ(ClassifyCommandLineFile({"/a/b.eCo"}), CommandLineFileKind::Project);
    EXPECT_EQ(ClassifyCommandLineFile({"x.TEM", "y.eco"}), CommandLineFileKind::Template);
    EXPECT_EQ(ClassifyCommandLineFile({"x.png"}), CommandLineFileKind::Unknown);
    EXPECT_EQ(ClassifyCommandLineFile({"noextension"}), CommandLineFileKind::Unknown);
}

TEST(Startup, AnUnknownCommandLineFileIsReportedAndNothingOpens) {
    test::App();
    std::vector<std::string> keys;
    MainWindow::Options options;
    options.programFolder = std::string(TESSALY_PROGRAM_DIR) + "/";
    options.arguments = {"picture.png"};
    options.context = std::make_unique<EglContext>();
    options.preparePort = [&](QtUserPort& port) {
        port.Answer = [&](const std::string& key, const std::string&, MessageButtons) {
            keys.push_back(key);
            return MessageAnswer::Ok;
        };
    };
    MainWindow window(std::move(options));
    EXPECT_EQ(keys, (std::vector<std::string>{"ufe"}));
    EXPECT_TRUE(window.StartupDone());
    EXPECT_EQ(window.State().Cover.Entry, 1);
}

TEST(SaveDialog, TheExtensionFollowsTheFileType) {
    EXPECT_EQ(WithCaptureExtension("shot.bmp", 2), "shot.jpg");
    EXPECT_EQ(WithCaptureExtension("/x/shot.bmp", 3), "/x/shot.png");
    EXPECT_EQ(WithCaptureExtension("shot", 1), "shot.bmp");
    EXPECT_EQ(WithCaptureExtension("my.shot.png", 1), "my.shot.bmp");
    EXPECT_EQ(WithCaptureExtension("", 2), "");
}

TEST(SizeDialogTest, ValuesAreClampedToThePanelAndKeptBetweenUses) {
    test::App();
    SizeDialog dialog;
    EXPECT_EQ(dialog.objectName(), "dForm");
    dialog.SetMaximum(640, 480);
    EXPECT_EQ(dialog.Form().MaxWLabel->text(), "640");
    EXPECT_EQ(dialog.Form().MaxHLabel->text(), "480");
    EXPECT_EQ(dialog.ChosenWidth(), 256);
    dialog.Form().WSpin->setValue(900);
    dialog.Form().HSpin->setValue(0);
    EXPECT_EQ(dialog.ChosenWidth(), 640);
    EXPECT_EQ(dialog.ChosenHeight(), 0);
    dialog.SetMaximum(800, 600);
    EXPECT_EQ(dialog.ChosenWidth(), 800);
}

}  // namespace
}  // namespace tessaly
