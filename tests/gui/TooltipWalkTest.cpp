// Tooltips on the real window: a walk over every button, slider and colour
// swatch of the main window and its tabs finds a tooltip on each, in every
// shipped language; the tooltips follow a language switch, and a language
// lacking a tooltip shows the English one.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QHelpEvent>
#include <QLabel>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "GuiTestApp.h"
#include "app/language/LanguageSwitch.h"
#include "core/i18n/LanguageCatalogue.h"
#include "core/i18n/Tooltips.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TooltipWalkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::App();
        program = test::MakeProgramFolder(temp.Path(), "view");
        // A languages folder of its own, so that a partial language can lie
        // beside the shipped ones.
        const fs::path languages = program / "Languages";
        fs::remove(languages);
        fs::copy(fs::path(TESSALY_PROGRAM_DIR) / "Languages", languages);
        std::istringstream german(ReadText(languages / "German.ini"));
        std::ofstream partial(languages / "Partial.ini", std::ios::binary);
        for (std::string line; std::getline(german, line);)
            if (!line.starts_with("tipdistance=") && !line.starts_with("tipcolor="))
                partial << line << "\n";
        partial.close();

        window = test::OpenWindowIn(program);
        ASSERT_TRUE(window->StartupDone());
    }

    // Every button, slider and swatch of the main window itself (its dialogs
    // are windows of their own), less Qt's own parts (scroll areas' bars,
    // the tab bar's arrows) and the update panels' spare buttons, which have
    // no role and are never shown.
    std::vector<QWidget*> Controls() const {
        std::vector<QWidget*> found;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (w->window() != window.get()) continue;
            const bool control = qobject_cast<QAbstractButton*>(w) ||
                                 qobject_cast<QAbstractSlider*>(w) ||
                                 w->property("colorSwatch").toBool();
            if (!control) continue;
            const QWidget* parent = w->parentWidget();
            if (w->objectName().startsWith("qt_") ||
                (parent && (parent->objectName().startsWith("qt_") || parent->inherits("QTabBar"))))
                continue;
            if (w->objectName() == "Button2" || w->objectName() == "Button4") continue;
            found.push_back(w);
        }
        return found;
    }

    QString Tip(const char* name) const {
        QWidget* w = window->findChild<QWidget*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w ? w->toolTip() : QString();
    }

    test::TempDir temp;
    fs::path program;
    std::unique_ptr<MainWindow> window;
};

TEST_F(TooltipWalkTest, EveryButtonSliderAndSwatchHasATooltipInEveryShippedLanguage) {
    const std::vector<QWidget*> controls = Controls();
    int swatches = 0, sliders = 0;
    for (QWidget* w : controls) {
        swatches += w->property("colorSwatch").toBool();
        sliders += qobject_cast<QAbstractSlider*>(w) != nullptr;
    }
    EXPECT_EQ(swatches, 5);
    EXPECT_EQ(sliders, 23);
    EXPECT_GE(controls.size(), 60u);

    const fs::path languages = program / "Languages";
    const auto catalogue = ParseLanguageCatalogue(ReadText(languages / kLanguageCatalogueName));
    ASSERT_EQ(catalogue.size(), 8u);
    const QString englishDistance = Tip("distanceSB");
    for (const LanguageCatalogueEntry& entry : catalogue) {
        SCOPED_TRACE(entry.FileName);
        SwitchLanguage(window->State(), entry.FileName);
        for (QWidget* w : controls)
            EXPECT_FALSE(w->toolTip().trimmed().isEmpty()) << w->objectName().toStdString();
        // The language's own text, not English left over.
        if (entry.FileName != "English.ini") {
            EXPECT_NE(Tip("distanceSB"), englishDistance);
        }
        EXPECT_EQ(Tip("BitBtn27").toStdString(),
                  TooltipTextOf(languages / entry.FileName, "tipcolor"));
    }
    SwitchLanguage(window->State(), "English.ini");
    EXPECT_EQ(Tip("distanceSB"), englishDistance);
    EXPECT_EQ(Tip("SpineShape"), "The color in use. Click Change to choose another.");
}

TEST_F(TooltipWalkTest, ALanguageLackingATooltipShowsTheEnglishOne) {
    SwitchLanguage(window->State(), "German.ini");
    const QString germanRotate = Tip("rotateSB");
    SwitchLanguage(window->State(), "Partial.ini");
    // (A long tooltip comes in a box that wraps it.)
    EXPECT_TRUE(
        Tip("distanceSB").contains(QString::fromStdString(TooltipTextOf({}, "tipdistance"))))
        << Tip("distanceSB").toStdString();
    EXPECT_EQ(Tip("BitBtn1"), "Choose another color.");
    EXPECT_EQ(Tip("BitBtn3"), "Choose another color.");
    EXPECT_EQ(Tip("rotateSB"), germanRotate);  // the keys it has are its own
}

TEST_F(TooltipWalkTest, ValueLabelsSayTheyTakeTypedValuesWithTheRange) {
    auto* label = window->findChild<QLabel*>("DistanceValue");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->toolTip().contains("25")) << label->toolTip().toStdString();
    EXPECT_TRUE(label->toolTip().startsWith("Double-click"));
    EXPECT_TRUE(window->findChild<QLabel*>("Label44")->toolTip().contains(
        QString::fromUtf8("from 0\u00B0 to 360\u00B0")));
    // Asked for again after a switch, it is in the new language.
    SwitchLanguage(window->State(), "German.ini");
    QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), label->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(label, &tip);
    EXPECT_TRUE(label->toolTip().startsWith("Doppelklicken")) << label->toolTip().toStdString();
}

}  // namespace
}  // namespace tessaly
