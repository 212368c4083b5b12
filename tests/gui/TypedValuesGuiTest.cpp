// Typed values on the real window: double-clicking a slider's value label
// opens an editor; Enter moves the slider there exactly as a move by hand
// would (label, scene, Modified, one undo step), with the locale's decimal
// separator; out-of-range and unreadable input is refused with the editor
// left open, and Escape closes it with nothing changed.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include "GuiTestApp.h"
#include "core/model/CoverParameters.h"
#include "gui/EditHistory.h"
#include "gui/ValueEditors.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

std::string Local(std::string text) {
    for (char& ch : text)
        if (ch == '.') ch = LocaleDecimalSeparator();
    return text;
}

class TypedValuesGuiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto program = test::MakeProgramFolder(temp.Path(), "view");
        // Unsaved changes are not saved when a new cover is made.
        window = test::OpenWindowIn(program, [](QtUserPort& port) {
            port.Answer = [](const std::string&, const std::string&, MessageButtons) {
                return MessageAnswer::No;
            };
        });
        ASSERT_TRUE(window->StartupDone());
    }

    static void Settle(int ms = 30) {
        test::WaitFor([] { return false; }, ms);
    }
    QLabel* Label(const char* name) {
        auto* label = window->findChild<QLabel*>(name);
        EXPECT_NE(label, nullptr) << name;
        return label;
    }
    QScrollBar* Slider(const char* name) {
        auto* slider = window->findChild<QScrollBar*>(name);
        EXPECT_NE(slider, nullptr) << name;
        return slider;
    }
    // Shows the label's tab, double-clicks the label and types `text`
    // followed by `key`; the editor that was open, or nullptr.
    QLineEdit* OpenEditor(const char* label) {
        QLabel* target = Label(label);
        auto* tabs = window->findChild<QTabWidget*>("PageControl1");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(target)) tabs->setCurrentIndex(i);
        Settle();
        // A double click as the system delivers it: the second press comes as
        // the double click, then the button is let go.
        const QPoint middle = target->rect().center();
        QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, middle);
        QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, middle);
        QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier, middle);
        QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, middle);
        QLineEdit* editor = window->TypedValues().Editor();
        EXPECT_NE(editor, nullptr) << label;
        return editor;
    }
    QLineEdit* Type(const char* label, const QString& text, Qt::Key key = Qt::Key_Return) {
        QLineEdit* editor = OpenEditor(label);
        if (!editor) return nullptr;
        editor->clear();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, key);
        Settle();
        return editor;
    }
    bool Modified() { return window->State().Cover.Modified; }
    std::size_t Steps() { return window->History().History().Steps(); }

    test::TempDir temp;
    std::unique_ptr<MainWindow> window;
};

TEST_F(TypedValuesGuiTest, ATypedValueMovesTheSliderAsAHandMoveWouldAndUndoesInOneStep) {
    MainState& state = window->State();
    auto* distance = Slider("distanceSB");
    const int before = distance->value();
    const std::size_t steps = Steps();
    ASSERT_FALSE(Modified());

    // The editor opens with the value shown, over the label.
    QLineEdit* editor = OpenEditor("DistanceValue");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text().toStdString(), Label("DistanceValue")->text().toStdString());
    EXPECT_TRUE(editor->geometry().intersects(Label("DistanceValue")->geometry()));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(window->TypedValues().Editor(), nullptr);
    // From the keyboard: F2 on the slider.
    QTest::keyClick(distance, Qt::Key_F2);
    ASSERT_NE(window->TypedValues().Editor(), nullptr);
    QTest::keyClick(window->TypedValues().Editor(), Qt::Key_Escape);

    Type("DistanceValue", QString::fromStdString(Local("7.52")));
    EXPECT_EQ(window->TypedValues().Editor(), nullptr);
    EXPECT_EQ(distance->value(), 150);  // snapped to the slider's step of 0.05
    EXPECT_EQ(state.Controls.distanceSB.Position, 150);
    EXPECT_FLOAT_EQ(state.Session.TheScene.Settings.Distance, 7.5f);
    EXPECT_EQ(Label("DistanceValue")->text().toStdString(), Local("7.5"));
    EXPECT_TRUE(Modified());
    EXPECT_EQ(Steps(), steps + 1);

    Type("Label44", "90");  // camera rotation, in degrees
    EXPECT_EQ(Slider("rotateSB")->value(), 90);
    EXPECT_EQ(Label("Label44")->text(), QString::fromUtf8("90\u00B0"));
    EXPECT_EQ(Steps(), steps + 2);

    auto* undo = window->History().UndoAction();
    undo->trigger();
    EXPECT_EQ(Slider("rotateSB")->value(), 0);
    EXPECT_EQ(distance->value(), 150);
    undo->trigger();
    EXPECT_EQ(distance->value(), before);
    EXPECT_EQ(Label("DistanceValue")->text().toStdString(), "5");
    EXPECT_FALSE(Modified());
    window->History().RedoAction()->trigger();
    EXPECT_EQ(distance->value(), 150);

    // The dimension bars of the customizable box take the factor.
    window->findChild<QAction*>("Customizablebox1")->trigger();
    Settle();
    Type("Label49", QString::fromStdString(Local("1.5")));
    EXPECT_EQ(Slider("BWidthSB")->value(), 147);
    EXPECT_NEAR(state.Cover.WidthFactor, 1.4965, 1e-4);
}

TEST_F(TypedValuesGuiTest, TheLocalesDecimalSeparatorIsTheOneTyped) {
    window->TypedValues().DecimalSeparator = ',';
    Type("Label40", "-7,4");  // light X
    EXPECT_EQ(Slider("LightXSB")->value(), 26);
    EXPECT_FLOAT_EQ(window->State().Session.TheScene.MainLight.GetX(), -7.4f);
    // The other separator is not a number here.
    QLineEdit* editor = Type("Label40", "3.5");
    EXPECT_EQ(window->TypedValues().Editor(), editor);
    EXPECT_EQ(Slider("LightXSB")->value(), 26);
}

TEST_F(TypedValuesGuiTest, OutOfRangeAndUnreadableInputIsRefusedAndEscapeChangesNothing) {
    auto* distance = Slider("distanceSB");
    const int before = distance->value();
    const std::size_t steps = Steps();
    for (const char* bad : {"30", "3", "-1", "far", "1e2", ""}) {
        SCOPED_TRACE(bad);
        QLineEdit* editor = Type("DistanceValue", bad);
        ASSERT_NE(editor, nullptr);
        // Still open, marked, and the status bar says what it takes.
        EXPECT_EQ(window->TypedValues().Editor(), editor);
        EXPECT_FALSE(editor->styleSheet().isEmpty());
        const QString note = window->statusBar()->currentMessage();
        EXPECT_TRUE(note.contains("25") && note.contains(QString::fromStdString(Local("3.5"))))
            << note.toStdString();
        EXPECT_EQ(distance->value(), before);
        QTest::keyClick(editor, Qt::Key_Escape);
        Settle();
        EXPECT_EQ(window->TypedValues().Editor(), nullptr);
    }
    // A good value typed but escaped is not applied either.
    Type("DistanceValue", "10", Qt::Key_Escape);
    EXPECT_EQ(window->TypedValues().Editor(), nullptr);
    EXPECT_EQ(distance->value(), before);
    EXPECT_FALSE(window->State().Cover.Modified);
    EXPECT_EQ(Steps(), steps);
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
}

}  // namespace
}  // namespace tessaly
