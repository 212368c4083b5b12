// A new user's session on a real display (under Xvfb in scripts/test), driven
// through the window's own widgets: File > New ... > Book, the front, back
// and spine pictures chosen on the Images tab, a drag in the panel that turns
// the book, reflection and shadow set on their tabs, Save Image at a size
// typed into the size dialog, Save eCover, closing through the save-changes
// prompt, and the project opened again in a new window. The saved picture
// must equal what the command-line tool renders from the saved project.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>

#include "GuiTestApp.h"
#include "core/settings/SettingsFile.h"
#include "gui/GlPanel.h"
#include "gui/SizeDialog.h"
#include "support/ImageCompare.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

// What the user answers: file dialogs in the order they come up, and the
// message boxes by language key. Anything else fails the test.
struct Script {
    std::deque<std::pair<std::string, std::string>> files;  // dialog, chosen path
    std::map<std::string, MessageAnswer> answers;
    std::vector<std::string> asked;
    int captureFilter = 3;  // the file type picked in the picture save dialog: PNG

    void Attach(QtUserPort& port) {
        port.Answer = [this](const std::string& key, const std::string& text, MessageButtons) {
            asked.push_back(key);
            auto it = answers.find(key);
            if (it == answers.end()) {
                ADD_FAILURE() << "unexpected message " << key << ": " << text;
                return MessageAnswer::Ok;
            }
            return it->second;
        };
        port.FileAnswer = [this, &port](const std::string& dialog) -> std::optional<std::string> {
            if (files.empty() || files.front().first != dialog) {
                ADD_FAILURE() << "unexpected file dialog " << dialog;
                return std::nullopt;
            }
            std::string path = files.front().second;
            files.pop_front();
            if (dialog == "CaptureDialog") port.CaptureFilterIndex = captureFilter;
            return path;
        };
    }
};

// A picture that shows which face it is: a colour, a frame and a stripe
// pattern, so a face drawn mirrored, missing or swapped changes many pixels.
void WriteFacePicture(const fs::path& path, QColor colour, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 6));
    painter.drawRect(3, 3, width - 7, height - 7);
    for (int y = 20; y < height / 2; y += 24) painter.fillRect(16, y, width - 60, 10, Qt::white);
    painter.fillRect(width / 4, height * 2 / 3, width / 2, height / 6, colour.darker(220));
    painter.end();
    ASSERT_TRUE(image.save(QString::fromStdString(path.string())));
}

std::unique_ptr<MainWindow> OpenWindow(const fs::path& program, Script& script,
                                       std::vector<std::string> arguments = {}) {
    test::App();
    MainWindow::Options options;
    options.programFolder = program.string() + "/";
    options.arguments = std::move(arguments);
    options.preparePort = [&script](QtUserPort& port) { script.Attach(port); };
    auto window = std::make_unique<MainWindow>(std::move(options));
    window->show();
    EXPECT_TRUE(test::WaitFor([&] { return window->StartupDone(); }, 30000));
    EXPECT_TRUE(test::WaitFor([&] { return window->Panel()->FramesPainted() > 3; }, 30000));
    return window;
}

template <typename T>
T* Find(QWidget* window, const char* name) {
    T* widget = window->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void ShowTab(QWidget* window, const char* title) {
    auto* tabs = Find<QTabWidget>(window, "PageControl1");
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == title) tabs->setCurrentIndex(i);
    test::WaitFor([] { return false; }, 50);
}

// Moves a slider as a user drags its thumb.
void DragSlider(QScrollBar* bar, int position) {
    bar->setSliderDown(true);
    bar->setSliderPosition(position);
    bar->setSliderDown(false);
}

// Answers the modal size dialog once it is up: width and height typed, OK.
void AnswerSizeDialog(SizeDialog& dialog, int width, int height) {
    auto* poll = new QTimer(&dialog);
    QObject::connect(poll, &QTimer::timeout, &dialog, [&dialog, poll, width, height] {
        if (!dialog.isVisible()) return;
        poll->stop();
        poll->deleteLater();
        dialog.Form().WSpin->setValue(width);
        dialog.Form().HSpin->setValue(height);
        QTest::mouseClick(dialog.Form().BitBtn1, Qt::LeftButton);
    });
    poll->start(20);
}

// Clicks a check box on its box, at the left end of the widget.
void ClickCheckBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

int RunCli(const QStringList& arguments) {
    QProcess cli;
    cli.setProcessChannelMode(QProcess::ForwardedChannels);
    cli.start(QString::fromStdString((test::ProgramDir() / "tessaly-cli").string()), arguments);
    if (!cli.waitForFinished(300000)) return -1;
    return cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
}

::testing::AssertionResult SamePicture(const fs::path& expectedPath, const fs::path& actualPath,
                                       const std::string& name) {
    const RgbaImage expected = test::ReadPng(expectedPath);
    const RgbaImage actual = test::ReadPng(actualPath);
    const test::ImageDifference d = test::CompareImages(expected, actual);
    if (d.Matches()) return ::testing::AssertionSuccess();
    fs::create_directories(test::ImageDiffDir());
    test::WritePngFile(actual, test::ImageDiffDir() / (name + "-actual.png"));
    test::WritePngFile(expected, test::ImageDiffDir() / (name + "-expected.png"));
    if (d.sameSize)
        test::WritePngFile(test::DiffImage(expected, actual),
                           test::ImageDiffDir() / (name + "-diff.png"));
    return ::testing::AssertionFailure()
           << name << ": " << actual.width << "x" << actual.height << " against " << expected.width
           << "x" << expected.height << ", " << d.differing << " of " << d.total
           << " pixels differ, largest channel difference " << d.largest << " (pictures in "
           << test::ImageDiffDir() << ")";
}

TEST(ScriptedSession, NewBookTurnedLitSavedClosedAndReopenedMatchesTheCommandLine) {
    if (!test::OnDisplay()) GTEST_SKIP() << "needs TESSALY_GUI_DISPLAY=1 and a display";
    test::TempDir temp;
    const fs::path program = test::MakeProgramFolder(temp.Path(), "pref");
    const fs::path front = temp / "front cover.png", back = temp / "back.png",
                   spine = temp / "spine.PNG";
    WriteFacePicture(front, QColor(200, 40, 40), 280, 400);
    WriteFacePicture(back, QColor(40, 90, 200), 280, 400);
    WriteFacePicture(spine, QColor(30, 160, 60), 80, 400);
    const fs::path picture = temp / "book.png", project = temp / "book.eco",
                   closing = temp / "book at closing.eco";
    const int width = 400, height = 300;

    Script script;
    auto window = OpenWindow(program, script);
    MainState& state = window->State();
    GlPanel* panel = window->Panel();
    ASSERT_GE(panel->width(), width);
    ASSERT_GE(panel->height(), height);

    // File > New ... > Book: nothing changed yet, so nothing is asked.
    Find<QAction>(window.get(), "Book1")->trigger();
    const int book = state.Session.Catalogue.FindEntry("flatbook");
    EXPECT_EQ(state.Cover.Entry, book);
    EXPECT_EQ(Find<QComboBox>(window.get(), "ModelsComboBox")->currentIndex(), book - 1);
    EXPECT_TRUE(script.asked.empty());

    // The three pictures, chosen with the Select buttons of the Images tab.
    ShowTab(window.get(), "Images");
    EXPECT_EQ(Find<QGroupBox>(window.get(), "Group1")->title(), "Front");
    EXPECT_EQ(Find<QGroupBox>(window.get(), "Group2")->title(), "Back");
    script.files = {{"OpenPicture", front.string()},
                    {"OpenPicture", back.string()},
                    {"OpenPicture", spine.string()}};
    for (const char* select : {"BitBtn4", "BitBtn8", "BitBtn11"})
        QTest::mouseClick(Find<QPushButton>(window.get(), select), Qt::LeftButton);
    EXPECT_TRUE(script.files.empty());
    // The working copies lie in the window's own folder inside "Images".
    const fs::path images = state.Session.ImagesFolder;
    EXPECT_EQ(images.parent_path().parent_path(), program / "Images");
    EXPECT_TRUE(fs::exists(images / "Image1.png"));
    EXPECT_TRUE(fs::exists(images / "Image3.PNG"));
    EXPECT_TRUE(Find<QPushButton>(window.get(), "BitBtn5")->isEnabled());
    EXPECT_TRUE(state.Cover.Modified);

    // Turn the book with the left button: 40 pixels right, 15 down.
    const SceneSettings& s = state.Session.TheScene.Settings;
    const float rotate = s.CameraRotate + 40.0f, lift = s.CameraLift + 15.0f;
    ASSERT_LT(rotate, 300.0f);
    ASSERT_LE(lift, 90.0f);
    QTest::mousePress(panel, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    EXPECT_EQ(panel->cursor().shape(), Qt::PointingHandCursor);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(panel, QPoint(200 + 10 * step, 200 + 15 * step / 4));
    QTest::mouseRelease(panel, Qt::LeftButton, Qt::NoModifier, QPoint(240, 215));
    EXPECT_EQ(panel->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FLOAT_EQ(s.CameraRotate, rotate);
    EXPECT_FLOAT_EQ(s.CameraLift, lift);
    EXPECT_EQ(Find<QScrollBar>(window.get(), "rotateSB")->value(), static_cast<int>(rotate));

    // Reflection on the Floor tab; a darker shadow on the Light tab, and the
    // light's marker switched off for the picture.
    ShowTab(window.get(), "Floor");
    DragSlider(Find<QScrollBar>(window.get(), "ReflexionSB"), 60);
    EXPECT_FLOAT_EQ(s.FloorOpacity, 0.4f);
    ShowTab(window.get(), "Light");
    DragSlider(Find<QScrollBar>(window.get(), "ShadowSB"), 70);
    EXPECT_FLOAT_EQ(s.ShadowDarkness, 0.35f);
    auto* shadow = Find<QCheckBox>(window.get(), "ShadowCheck");
    EXPECT_TRUE(shadow->isChecked());
    auto* marker = Find<QCheckBox>(window.get(), "CheckBox2");
    if (marker->isChecked()) ClickCheckBox(marker);
    EXPECT_FALSE(marker->isChecked());
    EXPECT_FALSE(state.Session.Frames.CheckBox2);
    test::WaitFor([] { return false; }, 200);

    // File > Save Image: 400 x 300 typed into the size dialog, PNG chosen.
    script.files = {{"CaptureDialog", picture.string()}};
    AnswerSizeDialog(window->SizeForm(), width, height);
    Find<QAction>(window.get(), "SaveImage1")->trigger();
    EXPECT_TRUE(script.files.empty());
    ASSERT_TRUE(fs::exists(picture));
    {
        const RgbaImage saved = test::ReadPng(picture);
        EXPECT_EQ(saved.width, width);
        EXPECT_EQ(saved.height, height);
    }
    EXPECT_FALSE(window->PaintTimerActive());

    // eCover > Save eCover.
    script.files = {{"SaveCoverDialog", project.string()}};
    Find<QAction>(window.get(), "SaveeCover1")->trigger();
    ASSERT_TRUE(fs::exists(project));
    EXPECT_FALSE(state.Cover.Modified);

    // One more turn, then close: the prompt is answered Yes and the changed
    // cover goes to a second project.
    QTest::mousePress(panel, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(panel, QPoint(130, 100));
    QTest::mouseRelease(panel, Qt::LeftButton, Qt::NoModifier, QPoint(130, 100));
    EXPECT_FLOAT_EQ(s.CameraRotate, rotate + 30.0f);
    EXPECT_TRUE(state.Cover.Modified);
    script.answers["sceco"] = MessageAnswer::Yes;
    script.files = {{"SaveCoverDialog", closing.string()}};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(script.asked, (std::vector<std::string>{"sceco"}));
    EXPECT_TRUE(fs::exists(closing));
    window.reset();

    // The command-line tool renders the saved project as the window did.
    const fs::path rendered = temp / "cli.png";
    ASSERT_EQ(RunCli({"render", QString::fromStdString(project.string()), "--size",
                      QString("%1x%2").arg(width).arg(height), "-o",
                      QString::fromStdString(rendered.string())}),
              0);
    EXPECT_TRUE(SamePicture(rendered, picture, "session-vs-cli"));

    // Reopened in a new window (eCover > Open eCover), the book comes back as
    // it was saved, and its picture is the same again.
    script.asked.clear();
    auto reopened = OpenWindow(program, script);
    MainState& again = reopened->State();
    script.files = {{"OpenCoverDialog", project.string()}};
    Find<QAction>(reopened.get(), "OpeneCover1")->trigger();
    EXPECT_TRUE(script.files.empty());
    EXPECT_EQ(again.Cover.Entry, book);
    EXPECT_EQ(Find<QComboBox>(reopened.get(), "ModelsComboBox")->currentIndex(), book - 1);
    const SceneSettings& r = again.Session.TheScene.Settings;
    EXPECT_FLOAT_EQ(r.CameraRotate, rotate);
    EXPECT_FLOAT_EQ(r.CameraLift, lift);
    EXPECT_EQ(Find<QScrollBar>(reopened.get(), "ReflexionSB")->value(), 60);
    EXPECT_EQ(Find<QScrollBar>(reopened.get(), "ShadowSB")->value(), 70);
    EXPECT_FALSE(again.Cover.Modified);
    if (Find<QCheckBox>(reopened.get(), "CheckBox2")->isChecked())
        ClickCheckBox(Find<QCheckBox>(reopened.get(), "CheckBox2"));
    const fs::path second = temp / "reopened.png";
    script.files = {{"CaptureDialog", second.string()}};
    AnswerSizeDialog(reopened->SizeForm(), width, height);
    Find<QAction>(reopened.get(), "SaveImage1")->trigger();
    ASSERT_TRUE(fs::exists(second));
    EXPECT_TRUE(SamePicture(picture, second, "session-reopened"));
    EXPECT_TRUE(reopened->close());  // nothing changed: no question
    EXPECT_TRUE(script.asked.empty());
}

}  // namespace
}  // namespace tessaly
