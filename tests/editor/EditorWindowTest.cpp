// The editor's window on Qt's offscreen platform: a crop dragged with the
// mouse, the proportions lock from the command line, undo and redo through
// the menu actions, the dialogs, saving over the file in its own format, and
// the questions before unsaved changes would be lost.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QMouseEvent>
#include <QSlider>
#include <QSpinBox>
#include <deque>
#include <filesystem>
#include <fstream>

#include "EditorTestApp.h"
#include "editor/Canvas.h"
#include "editor/EditorDialogs.h"
#include "editor/EditorWindow.h"
#include "support/TestPaths.h"

namespace tessaly::editor {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

// Left half red, right half blue, so crops and turns are easy to see.
QImage Halves(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, x < w / 2 ? qRgb(220, 20, 20) : qRgb(20, 20, 220));
    return image;
}

class EditorWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::App();
        ASSERT_TRUE(Halves(60, 40).save(Q(picture)));
    }

    std::unique_ptr<EditorWindow> MakeEditor(std::optional<Aspect> aspect = std::nullopt) {
        auto window = std::make_unique<EditorWindow>(aspect);
        EditorWindow::Prompts& p = window->UserPrompts();
        p.askSave = [this](const QString& text) {
            asked.push_back(text);
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected question: " << text.toStdString();
                return QMessageBox::Cancel;
            }
            const auto answer = answers.front();
            answers.pop_front();
            return answer;
        };
        p.chooseFile = [this](bool, const QString&) {
            if (files.empty()) {
                ADD_FAILURE() << "unexpected file dialog";
                return QString();
            }
            const QString chosen = files.front();
            files.pop_front();
            return chosen;
        };
        p.error = [this](const QString& text) { errors.push_back(text); };
        window->resize(640, 480);
        window->show();
        return window;
    }

    // Mouse events straight to the canvas, as its window would pass them on.
    static void Mouse(QWidget* widget, QEvent::Type type, QPoint at) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, at, widget->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    static void Drag(QWidget* widget, QPoint from, QPoint to) {
        Mouse(widget, QEvent::MouseButtonPress, from);
        Mouse(widget, QEvent::MouseMove, (from + to) / 2);
        Mouse(widget, QEvent::MouseMove, to);
        Mouse(widget, QEvent::MouseButtonRelease, to);
    }

    static QAction* Action(QWidget* window, const char* name) {
        auto* action = window->findChild<QAction*>(name);
        EXPECT_NE(action, nullptr) << name;
        return action;
    }

    tessaly::test::TempDir temp;
    fs::path picture = temp / "Image1.png";
    std::deque<QMessageBox::StandardButton> answers;
    std::deque<QString> files;
    QStringList asked, errors;
};

TEST_F(EditorWindowTest, ADraggedRectangleIsCroppedAndUndoBringsThePictureBack) {
    auto window = MakeEditor();
    ASSERT_TRUE(window->Open(Q(picture)));
    const QImage original = window->Picture();
    EXPECT_EQ(window->StatusSizeText(), "60 x 40 pixels");
    EXPECT_FALSE(Action(window.get(), "actionCrop")->isEnabled());
    EXPECT_FALSE(Action(window.get(), "actionSave")->isEnabled());

    // Drag over the left half of the picture at the window's zoom.
    Canvas* canvas = window->PictureCanvas();
    const double z = canvas->Zoom();
    const auto at = [z](double x, double y) { return QPoint(qRound(x * z), qRound(y * z)); };
    Drag(canvas, at(0, 0), at(30, 40));
    EXPECT_EQ(canvas->Selection(), QRect(0, 0, 30, 40));
    ASSERT_TRUE(Action(window.get(), "actionCrop")->isEnabled());

    Action(window.get(), "actionCrop")->trigger();
    EXPECT_EQ(window->Picture().size(), QSize(30, 40));
    EXPECT_EQ(window->Picture().pixel(29, 39), qRgb(220, 20, 20));
    EXPECT_TRUE(canvas->Selection().isEmpty());
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(Action(window.get(), "actionSave")->isEnabled());

    Action(window.get(), "actionRotateRight")->trigger();
    EXPECT_EQ(window->Picture().size(), QSize(40, 30));
    EXPECT_EQ(window->StatusSizeText(), "40 x 30 pixels");
    Action(window.get(), "actionUndo")->trigger();
    Action(window.get(), "actionUndo")->trigger();
    EXPECT_EQ(window->Picture(), original);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(Action(window.get(), "actionUndo")->isEnabled());
    Action(window.get(), "actionRedo")->trigger();
    EXPECT_EQ(window->Picture().size(), QSize(30, 40));
    // Dragging inside the rectangle moves it; it never leaves the picture.
    canvas->SetSelection(QRect(0, 0, 10, 10));
    const double z2 = canvas->Zoom();
    Drag(canvas, QPoint(qRound(5 * z2), qRound(5 * z2)), QPoint(qRound(200 * z2), qRound(15 * z2)));
    EXPECT_EQ(canvas->Selection(), QRect(20, 10, 10, 10));
}

TEST_F(EditorWindowTest, AFaceAspectLocksTheCropFromTheStart) {
    auto window = MakeEditor(Aspect{280, 400});
    ASSERT_TRUE(window->Open(Q(picture)));
    auto* box = window->findChild<QComboBox*>("AspectBox");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->currentText(), "Face 280:400");
    // The largest 7:10 rectangle, centred, is offered at once.
    EXPECT_EQ(window->PictureCanvas()->Selection(), QRect(16, 0, 28, 40));
    ASSERT_TRUE(window->CropToSelection());
    EXPECT_EQ(window->Picture().size(), QSize(28, 40));

    // Switching to free proportions lets any rectangle be drawn; switching
    // back makes the present one fit the lock.
    box->setCurrentIndex(0);
    window->PictureCanvas()->SetSelection(QRect(0, 0, 20, 10));
    box->setCurrentIndex(box->findText("1:1"));
    EXPECT_EQ(window->PictureCanvas()->Selection(), QRect(5, 0, 10, 10));
}

TEST_F(EditorWindowTest, SaveWritesOverTheFileInItsOwnFormat) {
    const fs::path jpeg = temp / "Image2.JPG";
    ASSERT_TRUE(Halves(60, 40).save(Q(jpeg), "JPEG"));
    auto window = MakeEditor();
    ASSERT_TRUE(window->Open(Q(jpeg)));
    window->Rotate(false);
    Action(window.get(), "actionSave")->trigger();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_FALSE(window->isWindowModified());
    std::ifstream in(jpeg, std::ios::binary);
    char magic[2] = {};
    in.read(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "\xFF\xD8");
    EXPECT_EQ(QImage(Q(jpeg)).size(), QSize(40, 60));
    // Nothing changed since: Save has nothing to do.
    EXPECT_FALSE(Action(window.get(), "actionSave")->isEnabled());

    // A format that cannot be written (a TGA working copy) is not lost: the
    // user is told and asked for another name.
    const fs::path tga = temp / "Floor.tga";
    {
        // An uncompressed 24-bit TGA, 8 x 6, top row first, all green.
        std::ofstream out(tga, std::ios::binary);
        const unsigned char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 6, 0, 24, 0x20};
        out.write(reinterpret_cast<const char*>(header), sizeof header);
        for (int i = 0; i < 8 * 6; ++i) out.write("\x00\xC8\x00", 3);
    }
    ASSERT_TRUE(window->Open(Q(tga)));
    window->Mirror(true);
    files = {Q(temp / "Floor")};
    EXPECT_TRUE(window->Save());
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(window->FilePath(), Q(temp / "Floor.png"));
    EXPECT_EQ(QImage(Q(temp / "Floor.png")).pixel(3, 3), qRgb(0, 200, 0));
}

TEST_F(EditorWindowTest, UnsavedChangesAreAskedAboutBeforeTheyAreLost) {
    auto window = MakeEditor();
    ASSERT_TRUE(window->Open(Q(picture)));
    QCloseEvent unchanged;
    QApplication::sendEvent(window.get(), &unchanged);
    EXPECT_TRUE(unchanged.isAccepted());
    EXPECT_TRUE(asked.isEmpty());

    window->Mirror(false);
    answers = {QMessageBox::Cancel};
    QCloseEvent cancelled;
    QApplication::sendEvent(window.get(), &cancelled);
    EXPECT_FALSE(cancelled.isAccepted());
    EXPECT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked.front().contains("Image1.png"));

    // Opening another file asks too; Discard opens it without saving.
    const fs::path other = temp / "other.png";
    ASSERT_TRUE(Halves(10, 10).save(Q(other)));
    answers = {QMessageBox::Discard};
    ASSERT_TRUE(window->Open(Q(other)));
    EXPECT_EQ(QImage(Q(picture)), Halves(60, 40).convertToFormat(QImage(Q(picture)).format()));

    // Save from the question writes the file and lets the window close.
    window->Rotate(true);
    answers = {QMessageBox::Save};
    QCloseEvent saved;
    QApplication::sendEvent(window.get(), &saved);
    EXPECT_TRUE(saved.isAccepted());
    EXPECT_EQ(QImage(Q(other)).pixel(0, 0), qRgb(220, 20, 20));
    EXPECT_EQ(QImage(Q(other)).pixel(0, 9), qRgb(20, 20, 220));
}

TEST_F(EditorWindowTest, APictureThatCannotBeOpenedLeavesTheWindowAsItWas) {
    auto window = MakeEditor();
    ASSERT_TRUE(window->Open(Q(picture)));
    std::ofstream(temp / "bad.png") << "garbage";
    EXPECT_FALSE(window->Open(Q(temp / "bad.png")));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().contains("bad.png")) << errors.front().toStdString();
    EXPECT_EQ(window->Picture().size(), QSize(60, 40));
    EXPECT_EQ(window->FilePath(), Q(picture));

    // Without any picture the operations do nothing and say nothing.
    auto empty = MakeEditor();
    EXPECT_FALSE(Action(empty.get(), "actionRotateLeft")->isEnabled());
    EXPECT_FALSE(empty->Save());
    EXPECT_FALSE(empty->CropToSelection());
    EXPECT_EQ(empty->StatusSizeText(), "No picture");
}

TEST_F(EditorWindowTest, TheResizeAndColourDialogsApplyWhatIsChosen) {
    auto window = MakeEditor();
    ASSERT_TRUE(window->Open(Q(picture)));
    window->UserPrompts().runDialog = [](QDialog& dialog) {
        auto& resize = dynamic_cast<ResizeDialog&>(dialog);
        resize.WidthBox()->setValue(30);  // proportions kept: 30 x 20
        EXPECT_EQ(resize.HeightBox()->value(), 20);
        resize.KeepRatioBox()->setChecked(false);
        resize.HeightBox()->setValue(25);
        EXPECT_EQ(resize.WidthBox()->value(), 30);
        return true;
    };
    Action(window.get(), "actionResize")->trigger();
    EXPECT_EQ(window->Picture().size(), QSize(30, 25));

    // Neutral sliders, accepted: no step is added.
    const std::size_t depth = window->History().UndoDepth();
    window->UserPrompts().runDialog = [](QDialog&) { return true; };
    Action(window.get(), "actionAdjust")->trigger();
    EXPECT_EQ(window->History().UndoDepth(), depth);

    // The preview follows the sliders; Cancel leaves the picture alone.
    window->UserPrompts().runDialog = [](QDialog& dialog) {
        auto& adjust = dynamic_cast<AdjustDialog&>(dialog);
        const QRgb before = adjust.Preview().pixel(0, 0);
        adjust.Slider(0)->setValue(100);
        EXPECT_NE(adjust.Preview().pixel(0, 0), before);
        EXPECT_EQ(adjust.Preview().pixel(0, 0), qRgb(255, 255, 255));
        return false;
    };
    Action(window.get(), "actionAdjust")->trigger();
    EXPECT_EQ(window->History().UndoDepth(), depth);
    window->UserPrompts().runDialog = [](QDialog& dialog) {
        dynamic_cast<AdjustDialog&>(dialog).Slider(2)->setValue(-100);
        return true;
    };
    Action(window.get(), "actionAdjust")->trigger();
    const QRgb grey = window->Picture().pixel(0, 0);
    EXPECT_EQ(qRed(grey), qGreen(grey));
    EXPECT_EQ(window->History().UndoName(), "Colours");
}

}  // namespace
}  // namespace tessaly::editor
