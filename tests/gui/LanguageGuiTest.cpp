// The language engine on the real windows: every listed caption of every
// window follows a language switch made in the options dialog, the options
// dialog's controls write "settings.ini", and the software renderer warning.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <set>

#include "GuiTestApp.h"
#include "app/options/RendererWarning.h"
#include "core/i18n/Messages.h"
#include "core/i18n/TranslatedProperties.h"
#include "core/settings/SettingsFile.h"
#include "gui/OptionsDialog.h"
#include "gui/QtTranslations.h"
#include "gui/ShellDialogs.h"
#include "gui/SizeDialog.h"
#include "gui/WarningDialog.h"
#include "render/EglContext.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

// A language whose every listed caption reads "<tag>|<path>".
std::string FullLanguage(const std::string& tag) {
    std::string text = "[Translations]\n";
    for (std::string_view path : kMainTranslatedProperties)
        text += std::string(path) + "=" + tag + "|" + std::string(path) + "\n";
    text += "[Messages]\nufe=" + tag + " unknown file\nstdbox=" + tag + " box\n";
    for (int i = 1; i <= 5; ++i)
        text += "wline" + std::to_string(i) + "=" + tag + " line " + std::to_string(i) + "\n";
    return text;
}

class LanguageGuiTest : public ::testing::Test {
  protected:
    LanguageGuiTest() {
        test::App();
        program = temp.Path() / "program";
        fs::create_directories(program / "Languages");
        for (const char* name : {"Data", "Tsym", "_incov", "_resettem"}) {
            const fs::path from = test::ProgramDir() / name;
            if (fs::exists(from)) fs::create_symlink(from, program / name);
        }
        std::ofstream(program / "Languages/English.ini") << FullLanguage("E");
        std::ofstream(program / "Languages/German.ini") << FullLanguage("G");
        std::ofstream(program / "Languages/Languages.ini")
            << "--\nEnglish\nEnglish.ini\n--\nDeutsch\nGerman.ini\n";
        WriteSettings("off");
    }

    void WriteSettings(const std::string& warning, const std::string& capture = "view") {
        std::ofstream(program / "settings.ini", std::ios::binary)
            << "[DefaultEditor]\r\nPBRUSH\r\n[OpenPic]\r\non\r\n[UpdateCheck]\r\noff\r\n"
               "[capture]\r\n"
            << capture << "\r\n[CDepth]\r\n32\r\n[Language]\r\nEnglish.ini\r\n[dWarning]\r\n"
            << warning << "\r\n[frms]\r\n0\r\n";
    }

    std::unique_ptr<MainWindow> Open() {
        MainWindow::Options options;
        options.programFolder = program.string() + "/";
        options.context = std::make_unique<EglContext>();
        options.preparePort = [this](QtUserPort& port) {
            port.Answer = [this](const std::string& key, const std::string& text, MessageButtons) {
                messages.push_back(key.empty() ? text : key);
                return answer;
            };
        };
        auto window = std::make_unique<MainWindow>(std::move(options));
        EXPECT_TRUE(window->StartupDone());
        return window;
    }

    std::string Stored(const std::string& key) {
        TSettingsFile file;
        file.Load(program / "settings.ini");
        return file.ReadValue(key);
    }

    // The component a path names and its property, or nullptr.
    static LanguageComponent* Walk(MainWindow& window, std::string_view path,
                                   std::string& property) {
        LanguageComponent* c = &window.Shell().Tree().Application();
        std::string rest(path);
        for (std::size_t dot = rest.find('.'); dot != std::string::npos; dot = rest.find('.')) {
            if (c) c = c->FindOwned(rest.substr(0, dot));
            rest.erase(0, dot + 1);
        }
        property = rest;
        return c;
    }

    test::TempDir temp;
    fs::path program;
    std::vector<std::string> messages;
    MessageAnswer answer = MessageAnswer::Ok;
};

// Lines that name no control of this program: retired buttons, the empty
// name and the template menu's old entries.
const std::set<std::string> kUnmatched = {"mForm.Button5.Caption", "mForm.Button6.Caption",
                                          "mForm..Caption", "mForm.emplate1.Caption",
                                          "mForm.SendTemplatebyemail1.Caption"};

// The about box, the credits window and the update panels are made by the
// help and update code, which may leave them out of a window built here.
bool MadeElsewhere(std::string_view path) {
    static const std::set<std::string> panels = {"Label74", "Label85", "BitBtn29", "BitBtn30",
                                                 "UL1",     "UL2",     "BYes",     "BNo",
                                                 "Button2", "Button4"};
    if (path.starts_with("aboutForm.") || path.starts_with("creditsForm.")) return true;
    const std::string rest(path.substr(path.find('.') + 1));
    return path.starts_with("mForm.") && panels.contains(rest.substr(0, rest.find('.')));
}

TEST_F(LanguageGuiTest, SwitchingInTheOptionsDialogChangesEveryCaptionOfEveryWindowAtOnce) {
    auto window = Open();
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(window->objectName(), "mForm");
    EXPECT_EQ(window->SizeForm().objectName(), "dForm");
    EXPECT_EQ(window->Shell().Options().objectName(), "oForm");
    EXPECT_EQ(window->Shell().Warning().objectName(), "warningForm");

    // The list holds the catalogue's languages, the first selected.
    QComboBox* list = window->Shell().Options().Form().LangCB;
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), "Deutsch");
    EXPECT_EQ(list->currentIndex(), 0);
    // The caption is the program's name after the project's in the title.
    EXPECT_TRUE(window->windowTitle().endsWith(QString::fromUtf8("[*] \u2014 E|mForm.Caption")))
        << window->windowTitle().toStdString();

    list->setCurrentIndex(1);
    emit list->activated(1);  // the user's pick

    int translated = 0;
    for (std::string_view path : kMainTranslatedProperties) {
        std::string property;
        LanguageComponent* c = Walk(*window, path, property);
        if (!c) {
            EXPECT_TRUE(kUnmatched.contains(std::string(path)) || MadeElsewhere(path)) << path;
            continue;
        }
        // The window's caption is the end of its title (checked below).
        if (path == "mForm.Caption") {
            ++translated;
            continue;
        }
        // The "Optimal size" labels show the current cover type's sizes again
        // after the switch, whatever the language file holds for them.
        if (path.find(".LSize") != std::string_view::npos) {
            EXPECT_NE(c->PropertyText(property).find('x'), std::string::npos) << path;
            continue;
        }
        EXPECT_EQ(c->PropertyText(property), "G|" + std::string(path)) << path;
        ++translated;
    }
    EXPECT_GE(translated, 150);
    // A few by their widgets, to be sure the walk reached the real ones.
    EXPECT_TRUE(window->windowTitle().endsWith(QString::fromUtf8("[*] \u2014 G|mForm.Caption")))
        << window->windowTitle().toStdString();
    EXPECT_EQ(window->findChild<QAction*>("Options1")->text(), "G|mForm.Options1.Caption");
    EXPECT_EQ(window->SizeForm().findChild<QLabel*>("Label3")->text(), "G|dForm.Label3.Caption");
    EXPECT_EQ(window->Shell().Options().windowTitle(), "G|oForm.Caption");
    EXPECT_EQ(window->Shell().Warning().windowTitle(), "G|warningForm.Caption");

    // The next message, the cover-type list and the stored choice follow.
    EXPECT_EQ(window->Text("ufe", "?"), "G unknown file");
    EXPECT_EQ(window->findChild<QComboBox*>("ModelsComboBox")->itemText(0), "G box");
    EXPECT_EQ(Stored("Language"), "German.ini");
    EXPECT_TRUE(messages.empty());
}

TEST_F(LanguageGuiTest, NamesMatchWithoutRegardToCaseAndMissingLanguagesAreReported) {
    std::ofstream(program / "Languages/Languages.ini")
        << "--\nEnglish\nEnglish.ini\n--\nFrancais\nFrench.ini\n";
    std::ofstream(program / "Languages/English.ini")
        << "[Translations]\nMFORM.label33.CAPTION=Abstand:\n[Messages]\ncclf=Missing: \n";
    auto window = Open();
    EXPECT_EQ(messages, (std::vector<std::string>{"File French.ini not found"}));
    // The file's key in other letters reaches the label at start.
    EXPECT_EQ(window->findChild<QLabel*>("Label33")->text(), "Abstand:");
    std::string property;
    LanguageComponent* c = Walk(*window, "MFORM.label33.CAPTION", property);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->PropertyText(property), "Abstand:");
    // Paths with blanks around their names, on a tab page and a menu.
    TLanguage& language = window->State().Languages.Language;
    language.ApplyValue(window->Shell().Tree().Application(), " mform . PSCENE . caption ",
                        "Szene");
    language.ApplyValue(window->Shell().Tree().Application(), "mForm.file1.Caption", "Datei");
    language.ApplyValue(window->Shell().Tree().Application(), "oForm.Caption", "");
    EXPECT_EQ(window->findChild<QTabWidget*>("PageControl1")->tabText(3), "Szene");
    EXPECT_EQ(window->findChild<QMenu*>("File1")->title(), "Datei");
    EXPECT_EQ(window->Shell().Options().windowTitle(), "General options");  // empty: kept
    // Controls of another window are not the main window's.
    EXPECT_EQ(Walk(*window, "mForm.LangCB.Caption", property), nullptr);
    EXPECT_NE(Walk(*window, "oForm.LangCB.Caption", property), nullptr);

    messages.clear();
    SwitchLanguage(window->State(), "Klingon.ini");
    EXPECT_EQ(messages, (std::vector<std::string>{"cclf"}));
    EXPECT_EQ(window->findChild<QLabel*>("Label33")->text(), "Abstand:");
}

TEST_F(LanguageGuiTest, OptionsDialogControlsWriteTheSettingsFile) {
    auto window = Open();
    OptionsDialog& dialog = window->Shell().Options();
    Ui::OptionsDialog& ui = dialog.Form();
    EXPECT_TRUE(window->findChild<QAction*>("Options1")->isEnabled());
    EXPECT_EQ(ui.Label6->text(), "PBRUSH");
    EXPECT_TRUE(ui.RadioButton2->isChecked());
    EXPECT_TRUE(ui.RadioButton5->isChecked());
    EXPECT_TRUE(ui.CheckBox1->isChecked());

    ui.RadioButton3->click();
    EXPECT_EQ(Stored("CDepth"), "16");
    EXPECT_FALSE(ui.RadioButton5->isChecked());
    ui.RadioButton1->click();
    EXPECT_EQ(Stored("capture"), "pref");
    EXPECT_FALSE(window->State().Options.CaptureSameAsView);
    ui.CheckBox1->click();
    EXPECT_EQ(Stored("OpenPic"), "off");
    ui.CheckBox2->click();
    EXPECT_EQ(Stored("UpdateCheck"), "on");

    answer = MessageAnswer::Yes;
    ui.BitBtn3->click();
    const std::string builtIn = program.string() + "/builtined";
    EXPECT_EQ(ui.Label6->text().toStdString(), builtIn);
    EXPECT_EQ(Stored("DefaultEditor"), builtIn);
    answer = MessageAnswer::No;
    ui.DefSwitch->click();
    EXPECT_EQ(Stored("DefaultEditor"), builtIn);

    // Each opening re-reads the stored size mode; OK stores the checked one.
    window->State().Session.Settings.WriteValue("capture", "view");
    bool shown = false;
    QTimer::singleShot(0, &dialog, [&] {
        shown = dialog.isVisible();
        EXPECT_TRUE(ui.RadioButton2->isChecked());
        ui.RadioButton1->click();
        ui.BitBtn2->click();
    });
    window->findChild<QAction*>("Options1")->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Stored("capture"), "pref");

    // A depth that is not a number keeps the dialog closed and says why.
    window->State().Session.Settings.WriteValue("CDepth", "deep");
    messages.clear();
    window->findChild<QAction*>("Options1")->trigger();
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("deep"), std::string::npos);
}

TEST_F(LanguageGuiTest, SoftwareRendererWarning) {
    WriteSettings("oN");
    auto window = Open();
    WarningDialog& warning = window->Shell().Warning();
    // At start it shows exactly when the driver is a software rasteriser.
    window->MakeCurrent();
    EXPECT_EQ(warning.isVisible(), IsSoftwareRenderer(CurrentRendererName()))
        << CurrentRendererName();
    warning.hide();

    ASSERT_TRUE(warning.CheckRendererWarning("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(warning.isVisible());
    // Lines that end mid-sentence run on, for the window to wrap.
    EXPECT_EQ(warning.Form().wMemo->toPlainText().toStdString(),
              "E line 1 E line 2 E line 3 E line 4 E line 5");
    warning.Form().wCheckBox->click();
    EXPECT_EQ(Stored("dWarning"), "off");
    warning.Form().wCheckBox->click();
    EXPECT_EQ(Stored("dWarning"), "on");
    warning.Form().wButton->click();
    EXPECT_FALSE(warning.isVisible());

    EXPECT_FALSE(warning.CheckRendererWarning("NVIDIA H100 80GB HBM3/PCIe/SSE2"));
    window->State().Session.Settings.WriteValue("[dWarning]", "off");
    EXPECT_FALSE(warning.CheckRendererWarning("llvmpipe"));
    EXPECT_FALSE(warning.isVisible());
}

// Qt's own texts (standard buttons, file and colour dialogs) follow the
// chosen language; English, and a language Qt has no texts for, leave them
// in English.
TEST(QtTranslationsTest, QtsOwnTextsFollowTheLanguage) {
    test::App();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(folder + "/qtbase_de.qm")) GTEST_SKIP() << "no Qt translations here";
    auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    QtTranslations texts;
    EXPECT_TRUE(texts.Apply("/program/Languages/German.ini"));
    EXPECT_EQ(cancel(), "Abbrechen");
    EXPECT_TRUE(texts.Apply("French.ini"));
    EXPECT_EQ(cancel(), "Annuler");
    EXPECT_FALSE(texts.Apply("English.ini"));
    EXPECT_EQ(cancel(), "Cancel");
    EXPECT_FALSE(texts.Apply("Klingon.ini"));
    EXPECT_EQ(QtTranslations::LocaleOf("Brazilian.ini"), "pt_BR");
}

}  // namespace
}  // namespace tessaly
