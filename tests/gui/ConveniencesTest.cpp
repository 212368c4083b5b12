// The window's conveniences on Qt's offscreen platform: the title, undo and
// redo through the Edit menu, the wheel over the panel, files dropped on the
// image slots, the panel and the window, and File > Open Recent across a
// restart.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <set>
#include <span>

#include "GuiTestApp.h"
#include "app/images/DroppedFiles.h"
#include "app/images/ImageSlots.h"
#include "app/view/FitToView.h"
#include "core/io/FileIO.h"
#include "core/settings/SettingsFile.h"
#include "gui/ArtworkWatcher.h"
#include "gui/DropTargets.h"
#include "gui/EditHistory.h"
#include "gui/GlPanel.h"
#include "gui/RecentMenu.h"
#include "render/ViewGeometry.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

class ConveniencesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program = test::MakeProgramFolder(temp.Path(), "view");
        window = Open();
    }

    std::unique_ptr<MainWindow> Open() {
        auto w = test::OpenWindowIn(program, [this](QtUserPort& port) {
            port.Answer = [this](const std::string& key, const std::string& text, MessageButtons) {
                asked.push_back(key.empty() ? text : key);
                return answers.empty() ? MessageAnswer::Ok : Next(answers);
            };
            port.FileAnswer = [this](const std::string& dialog) -> std::optional<std::string> {
                dialogs.push_back(dialog);
                if (files.empty()) return std::nullopt;
                return Next(files);
            };
        });
        EXPECT_TRUE(w->StartupDone());
        return w;
    }

    template <typename T>
    static T Next(std::deque<T>& queue) {
        T front = queue.front();
        queue.pop_front();
        return front;
    }
    template <typename T>
    T* Widget(const char* name) {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Lets the deferred commits run.
    static void Settle(int ms = 30) {
        test::WaitFor([] { return false; }, ms);
    }
    fs::path Picture(const std::string& name, QColor colour, int w = 40, int h = 50) {
        const fs::path path = temp / name;
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(QString::fromStdString(path.string())));
        return path;
    }
    void DropOn(QWidget* target, const QList<QUrl>& urls, QPoint at = {5, 5}) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        Settle();
    }
    static QUrl Url(const fs::path& path) {
        return QUrl::fromLocalFile(QString::fromStdString(path.string()));
    }
    QString Title() const {
        return window->windowTitle().replace("[*]", window->isWindowModified() ? "*" : "");
    }

    test::TempDir temp;
    fs::path program;
    std::unique_ptr<MainWindow> window;
    std::vector<std::string> asked;
    std::deque<MessageAnswer> answers;
    std::vector<std::string> dialogs;
    std::deque<std::optional<std::string>> files;
};

TEST_F(ConveniencesTest, TheTitleFollowsChangesSavingAndUndo) {
    EXPECT_EQ(Title(), QString::fromUtf8("Untitled \u2014 Tessaly"));
    Widget<QScrollBar>("rotateSB")->setValue(45);
    Settle();
    EXPECT_EQ(Title(), QString::fromUtf8("Untitled* \u2014 Tessaly"));

    const fs::path project = temp / "My Box.eco";
    files.push_back(project.string());
    Widget<QAction>("SaveeCover1")->trigger();
    Settle();
    EXPECT_EQ(Title(), QString::fromUtf8("My Box.eco \u2014 Tessaly"));
    // The status bar says what was written where.
    EXPECT_EQ(window->statusBar()->currentMessage(),
              QString::fromStdString("Saved to " + project.string()));
    Widget<QScrollBar>("rotateSB")->setValue(60);
    Settle();
    EXPECT_EQ(Title(), QString::fromUtf8("My Box.eco* \u2014 Tessaly"));
    window->History().UndoAction()->trigger();
    EXPECT_EQ(Title(), QString::fromUtf8("My Box.eco \u2014 Tessaly"));
    window->History().UndoAction()->trigger();
    EXPECT_EQ(Title(), QString::fromUtf8("My Box.eco* \u2014 Tessaly"));

    // A new cover has no file again; nothing was asked but the save question.
    answers.push_back(MessageAnswer::No);
    Widget<QAction>("Book1")->trigger();
    Settle();
    EXPECT_EQ(Title(), QString::fromUtf8("Untitled \u2014 Tessaly"));
    EXPECT_FALSE(window->History().UndoAction()->isEnabled());
    EXPECT_EQ(asked, std::vector<std::string>{"sceco"});
}

TEST_F(ConveniencesTest, SliderChangesUndoAndRedoExactlyWithModifiedAtEachStep) {
    MainState& state = window->State();
    auto* rotate = Widget<QScrollBar>("rotateSB");
    auto* light = Widget<QScrollBar>("LightXSB");
    auto* undo = window->History().UndoAction();
    auto* redo = window->History().RedoAction();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    const int rotate0 = rotate->value(), light0 = light->value();

    rotate->setValue(30);  // a click or key: one step
    Settle();
    // A drag of the thumb is one step, however far it went on the way.
    rotate->setSliderDown(true);
    for (int v = 31; v <= 90; v += 7) rotate->setSliderPosition(v);
    Settle();
    rotate->setSliderDown(false);
    Settle();
    light->setValue(10);
    Settle();
    EXPECT_EQ(window->History().History().Steps(), 4u);
    EXPECT_TRUE(state.Cover.Modified);
    const int dragged = rotate->value();

    const std::vector<std::pair<int, int>> expected = {
        {dragged, light0}, {30, light0}, {rotate0, light0}};
    for (const auto& [r, l] : expected) {
        ASSERT_TRUE(undo->isEnabled());
        undo->trigger();
        EXPECT_EQ(rotate->value(), r);
        EXPECT_EQ(light->value(), l);
        EXPECT_EQ(state.Controls.rotateSB.Position, r);
        EXPECT_FLOAT_EQ(state.Session.TheScene.Settings.CameraRotate, static_cast<float>(r));
    }
    EXPECT_FALSE(state.Cover.Modified);
    EXPECT_FALSE(undo->isEnabled());
    for (int i = 0; i < 3; ++i) redo->trigger();
    EXPECT_EQ(rotate->value(), dragged);
    EXPECT_EQ(light->value(), 10);
    EXPECT_TRUE(state.Cover.Modified);
    EXPECT_FALSE(redo->isEnabled());
    // The shortcuts are those desktop programs use.
    EXPECT_EQ(undo->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
}

TEST_F(ConveniencesTest, TheWheelZoomsInTheSlidersStepsAndAFlickIsOneStep) {
    MainState& state = window->State();
    auto* distance = Widget<QScrollBar>("distanceSB");
    // What a notch does to the slider itself.
    const int start = distance->value();
    QWheelEvent onSlider(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(distance, &onSlider);
    const int sliderStep = std::abs(distance->value() - start);
    ASSERT_GT(sliderStep, 0);
    distance->setValue(start);
    Settle();
    const std::size_t steps = window->History().History().Steps();

    GlPanel* panel = window->Panel();
    auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(panel, &event);
    };
    wheel(120);  // away from the user: nearer
    EXPECT_EQ(distance->value(), start - sliderStep);
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(distance->value(), start + sliderStep);
    wheel(-60);  // half notches of a touchpad add up
    EXPECT_EQ(distance->value(), start + sliderStep);
    wheel(-60);
    EXPECT_EQ(distance->value(), start + 2 * sliderStep);
    EXPECT_FLOAT_EQ(state.Session.TheScene.Settings.Distance,
                    static_cast<float>(distance->value()) / DistanceScale);
    // The range is the slider's.
    for (int i = 0; i < 400; ++i) wheel(120);
    EXPECT_EQ(distance->value(), distance->minimum());
    EXPECT_TRUE(test::WaitFor([&] { return window->History().History().Steps() > steps; }, 3000));
    EXPECT_EQ(window->History().History().Steps(), steps + 1);
    window->History().UndoAction()->trigger();
    EXPECT_EQ(distance->value(), start);
}

TEST_F(ConveniencesTest, PicturesDroppedOnEachSlotLoadIntoIt) {
    MainState& state = window->State();
    const std::vector<std::pair<const char*, int>> targets = {{"Image1", 1},
                                                              {"BitBtn8", 2},
                                                              {"Image3", 3},
                                                              {"Background", kFloorSlot},
                                                              {"BitBtn14", kFloorSlot}};
    int n = 0;
    for (const auto& [name, slot] : targets) {
        ++n;
        const fs::path picture =
            Picture("drop" + std::to_string(n) + ".png", QColor(20 * n, 90, 200));
        DropOn(Widget<QWidget>(name), {Url(picture)});
        const std::string working = SlotPath(state, slot);
        EXPECT_EQ(ReadWholeFile(working), ReadWholeFile(picture)) << name;
        EXPECT_TRUE(state.Controls.EditButton(slot).Enabled) << name;
    }
    // The book panel: book 2's second image.
    answers.push_back(MessageAnswer::No);
    Widget<QAction>("N3BooksBox1")->trigger();
    const fs::path book = Picture("book.png", Qt::darkGreen);
    DropOn(Widget<QWidget>("Book2Image2"), {Url(book)});
    EXPECT_EQ(ReadWholeFile(state.Session.BookPaths[1][1]), ReadWholeFile(book));
    EXPECT_TRUE(state.Controls.BookImageFlags[1][1]);
    EXPECT_EQ(asked, std::vector<std::string>{"sceco"});
}

TEST_F(ConveniencesTest, PicturesDroppedOnThePanelGoToTheFaceUnderThePointer) {
    MainState& state = window->State();
    GlPanel* panel = window->Panel();
    panel->resize(400, 300);
    // Turn and tilt the box so that its front and its top both show.
    Widget<QScrollBar>("rotateSB")->setValue(35);
    Widget<QScrollBar>("liftSB")->setValue(20);
    const CoverProjection projection(state.Session.TheScene.Settings, *state.CurrentModel(),
                                     panel->width(), panel->height());
    // A point well inside the object: of the sample points on it, the one
    // nearest their middle.
    auto find = [&](const std::string& object) -> std::optional<QPoint> {
        std::vector<QPoint> on;
        for (int y = 0; y < panel->height(); y += 2)
            for (int x = 0; x < panel->width(); x += 2)
                if (projection.ObjectAt(x, y) == object) on.emplace_back(x, y);
        if (on.empty()) return std::nullopt;
        QPoint sum;
        for (const QPoint& p : on) sum += p;
        const QPoint middle = sum / static_cast<int>(on.size());
        return *std::min_element(on.begin(), on.end(), [&](QPoint a, QPoint b) {
            return (a - middle).manhattanLength() < (b - middle).manhattanLength();
        });
    };
    const auto front = find("Front");
    const auto top = find("Top");
    std::set<std::string> seen;
    for (int y = 0; y < panel->height(); y += 8)
        for (int x = 0; x < panel->width(); x += 8)
            if (auto name = projection.ObjectAt(x + 0.5f, y + 0.5f)) seen.insert(*name);
    ASSERT_TRUE(front && top) << ::testing::PrintToString(seen);
    const fs::path red = Picture("front.png", Qt::red), green = Picture("top.png", Qt::green);
    const auto frontSlot =
        SlotAtPanel(state, front->x(), front->y(), panel->width(), panel->height());
    ASSERT_TRUE(frontSlot);
    EXPECT_EQ(frontSlot->Face, 1);
    DropOn(panel, {Url(red)}, *front);
    DropOn(panel, {Url(green)}, *top);
    EXPECT_EQ(ReadWholeFile(state.Session.ImagePaths[0]), ReadWholeFile(red));
    EXPECT_EQ(ReadWholeFile(state.Session.ImagePaths[2]), ReadWholeFile(green));
    // The sky above the box takes nothing.
    DropOn(panel, {Url(red)}, QPoint(panel->width() / 2, 2));
    EXPECT_EQ(asked, std::vector<std::string>{"dropnoface"});
}

TEST_F(ConveniencesTest, DroppedFilesThatAreNotLocalOrNotOursAreRefused) {
    MainState& state = window->State();
    const std::string before = state.Session.ImagePaths[0];
    const auto bytes = ReadWholeFile(before);
    QWidget* slot = Widget<QWidget>("Image1");
    DropOn(slot, {QUrl("https://example.com/cover.png")});
    const fs::path text = temp / "notes.txt";
    std::ofstream(text) << "hello";
    DropOn(slot, {Url(text)});
    DropOn(slot, {Url(temp / "gone.png")});
    EXPECT_EQ(asked, (std::vector<std::string>{"dropnotlocal", "dropunknown", "dropmissing"}));
    EXPECT_EQ(state.Session.ImagePaths[0], before);
    EXPECT_EQ(ReadWholeFile(before), bytes);
    EXPECT_FALSE(state.Cover.Modified);
}

TEST_F(ConveniencesTest, ADroppedProjectAsksFirstAndCancelKeepsTheChanges) {
    MainState& state = window->State();
    const fs::path project = temp / "saved.eco";
    Widget<QScrollBar>("rotateSB")->setValue(100);
    files.push_back(project.string());
    Widget<QAction>("SaveeCover1")->trigger();
    Widget<QScrollBar>("rotateSB")->setValue(200);
    Settle();

    answers.push_back(MessageAnswer::Cancel);
    DropOn(window.get(), {Url(project)});
    EXPECT_EQ(state.Controls.rotateSB.Position, 200);
    EXPECT_TRUE(state.Cover.Modified);

    answers.push_back(MessageAnswer::No);
    DropOn(Widget<QWidget>("Image2"), {Url(project)});
    EXPECT_EQ(state.Controls.rotateSB.Position, 100);
    EXPECT_FALSE(state.Cover.Modified);
    EXPECT_EQ(asked, (std::vector<std::string>{"sceco", "sceco"}));
    EXPECT_FALSE(window->History().UndoAction()->isEnabled());
}

TEST_F(ConveniencesTest, RecentFilesSurviveARestartAndMissingOnesAreDropped) {
    const fs::path first = temp / "first.eco", second = temp / "second.eco",
                   view = temp / "view.tem";
    files = {first.string(), second.string(), view.string()};
    Widget<QAction>("SaveeCover1")->trigger();
    Widget<QAction>("SaveeCover1")->trigger();
    Widget<QAction>("SaveTemplate1")->trigger();
    answers = {};
    files = {first.string()};
    Widget<QAction>("OpeneCover1")->trigger();
    const std::vector<std::string> expected = {first.string(), view.string(), second.string()};
    EXPECT_EQ(window->Recent().Files().Files(), expected);

    window.reset();
    window = Open();
    EXPECT_EQ(window->Recent().Files().Files(), expected);
    QMenu* menu = Widget<QMenu>("OpenRecentMenu");
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_TRUE(menu->actions()[1]->text().endsWith("view.tem"));

    fs::remove(second);
    window->Recent().OpenEntry(2);
    EXPECT_EQ(asked.back(), "recentmissing");
    EXPECT_EQ(window->Recent().Files().Files(),
              (std::vector<std::string>{first.string(), view.string()}));
    window->Recent().OpenEntry(1);  // the template: the view, no question
    EXPECT_EQ(window->State().TemplateFile, view.string());
    EXPECT_EQ(asked.size(), 1u);

    window.reset();
    window = Open();
    EXPECT_EQ(window->Recent().Files().Files().size(), 2u);
}

TEST_F(ConveniencesTest, SizePlaceTabAndAntialiasingSurviveARestart) {
    window->setGeometry(60, 70, 940, 720);
    Widget<QTabWidget>("PageControl1")->setCurrentIndex(3);
    window->State().Controls.TrackBar1.SetPosition(4);
    window->close();
    window.reset();

    window = Open();
    EXPECT_EQ(window->size(), QSize(940, 720));
    EXPECT_EQ(Widget<QTabWidget>("PageControl1")->currentIndex(), 3);
    EXPECT_EQ(window->State().Controls.TrackBar1.Position, 4);

    // Values that do not fit are ignored.
    {
        TSettingsFile settings;
        settings.Load(program / "settings.ini");
        settings.WriteOrAddValue("[SelectedTab]", "17");
        settings.WriteOrAddValue("[AntialiasPasses]", "99");
        settings.WriteOrAddValue("[WindowGeometry]", "not a geometry");
    }
    window.reset();
    window = Open();
    EXPECT_EQ(Widget<QTabWidget>("PageControl1")->currentIndex(), 0);
    EXPECT_EQ(window->State().Controls.TrackBar1.Position, 1);
}

TEST_F(ConveniencesTest, FitToViewFramesEveryCoverType) {
    MainState& state = window->State();
    GlPanel* panel = window->Panel();
    panel->resize(480, 320);
    auto* fit = Widget<QAction>("FitToViewAction");
    EXPECT_EQ(fit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
    ComboBox& types = state.Controls.ModelsComboBox;
    ASSERT_GT(types.Items.size(), 10u);
    for (int i = 0; i < static_cast<int>(types.Items.size()); ++i) {
        types.Pick(i);
        // From far away, turned and tilted, and for the customizable box at
        // its largest.
        state.Controls.distanceSB.SetPosition(state.Controls.distanceSB.Max);
        state.Controls.rotateSB.SetPosition(30 + 20 * i);
        state.Controls.liftSB.SetPosition(15);
        state.Controls.BWidthSB.SetPosition(state.Controls.BWidthSB.Max);
        fit->trigger();
        const double share = CoverViewShare(state, panel->width(), panel->height());
        EXPECT_GE(share, 0.6) << types.Items[static_cast<std::size_t>(i)];
        EXPECT_LE(share, 0.9) << types.Items[static_cast<std::size_t>(i)];
        // Centred from top to bottom.
        const ScreenBox box =
            CoverProjection(state.Session.TheScene.Settings, *state.CurrentModel(), panel->width(),
                            panel->height())
                .Bounds();
        EXPECT_NEAR((box.Top + box.Bottom) / 2, panel->height() / 2.0, panel->height() * 0.1)
            << types.Items[static_cast<std::size_t>(i)];
    }
    // One step of the history.
    Settle();
    const int fitted = state.Controls.distanceSB.Position;
    window->History().UndoAction()->trigger();
    EXPECT_NE(state.Controls.distanceSB.Position, fitted);
}

TEST_F(ConveniencesTest, APictureRewrittenOnDiskReloadsItsSlotOnceAndNeverHalfWritten) {
    MainState& state = window->State();
    DropOn(Widget<QWidget>("Image1"), {Url(Picture("art.png", Qt::blue, 64, 64))});
    Settle(300);
    const std::string copy = state.Session.ImagePaths[0];
    ArtworkWatcher& artwork = window->Artwork();
    const int version = state.Controls.Image1.PictureVersion;
    const GLuint texture = state.Session.ImageTextures[0];

    // An editor writing the file: first only its beginning.
    const fs::path edited = Picture("edited.png", Qt::yellow, 64, 64);
    const auto bytes = ReadWholeFile(edited);
    WriteFileAtomically(copy, std::span(bytes).first(40));
    test::WaitFor([] { return false; }, 1200);
    EXPECT_EQ(artwork.Reloads(), 0);
    EXPECT_EQ(state.Controls.Image1.PictureVersion, version);
    EXPECT_EQ(state.Session.ImageTextures[0], texture);
    // Then the whole picture: one reload.
    WriteFileAtomically(copy, bytes);
    EXPECT_TRUE(test::WaitFor([&] { return artwork.Reloads() == 1; }, 5000));
    test::WaitFor([] { return false; }, 800);
    EXPECT_EQ(artwork.Reloads(), 1);
    EXPECT_EQ(state.Controls.Image1.PictureVersion, version + 1);
    EXPECT_TRUE(state.Cover.Modified);

    // Undo writes the old picture back itself: no reload of its own.
    window->History().UndoAction()->trigger();
    EXPECT_EQ(ReadWholeFile(copy), ReadWholeFile(temp / "art.png"));
    test::WaitFor([] { return false; }, 1000);
    EXPECT_EQ(artwork.Reloads(), 1);
    EXPECT_TRUE(asked.empty()) << asked.front();
}

}  // namespace
}  // namespace tessaly
