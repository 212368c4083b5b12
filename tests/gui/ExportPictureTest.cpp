// File > Export Picture... and the copy with a transparent background on
// Qt's offscreen platform: the dialog's sizes, presets and greyed-out
// choices, its choices remembered across reopening and a restart, exports
// read back in size, format and resolution, a cancelled export that leaves
// no file, and the clipboard's PNG with clear corners.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <deque>
#include <filesystem>
#include <fstream>

#include "GuiTestApp.h"
#include "app/language/LanguageSwitch.h"
#include "core/io/FileIO.h"
#include "core/settings/SettingsFile.h"
#include "gui/ExportPictureDialog.h"
#include "gui/GlPanel.h"
#include "gui/PictureExportCommands.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

class ExportPictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program = test::MakeProgramFolder(temp.Path(), "view");
        fs::create_directories(out);
        TSettingsFile shipped;
        shipped.Load(program / "settings.ini");
        look = shipped.ReadValue("Look");
        window = Open();
    }

    std::unique_ptr<MainWindow> Open() {
        auto w = test::OpenWindowIn(program, [this](QtUserPort& port) {
            port.Answer = [this](const std::string& key, const std::string& text, MessageButtons) {
                messages.push_back(key.empty() ? text : key);
                return MessageAnswer::Ok;
            };
            port.FileAnswer = [this](const std::string& dialog) -> std::optional<std::string> {
                dialogs.push_back(dialog);
                return file;
            };
            port.OpenAnswer = [this](const std::string& target) {
                opened.push_back(target);
                return true;
            };
        });
        EXPECT_TRUE(w->StartupDone());
        w->resize(700, 500);
        return w;
    }

    // Opens the dialog; `answer` sets its controls and returns whether to
    // accept it. What the dialog showed on opening is kept in `shown`.
    void RunExport(const std::function<bool(ExportPictureDialog&)>& answer) {
        window->Exports().DialogAnswer = [&](ExportPictureDialog& d) {
            shown = d.Choices();
            if (answer(d))
                d.findChild<QDialogButtonBox*>("exportButtons")
                    ->button(QDialogButtonBox::Ok)
                    ->click();
            else
                d.reject();
        };
        window->Exports().ExportAction()->trigger();
    }

    template <typename T>
    static T* Child(QWidget& parent, const char* name) {
        T* w = parent.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    test::TempDir temp;
    fs::path program;
    fs::path out = temp / "out";
    std::unique_ptr<MainWindow> window;
    std::optional<std::string> file;
    std::vector<std::string> messages, dialogs, opened;
    ExportChoices shown;
    std::string look;
};

TEST_F(ExportPictureTest, DialogConvertsSizesAndGreysOutWhatTheFormatLacks) {
    RunExport([](ExportPictureDialog& d) {
        auto* preset = Child<QComboBox>(d, "exportPreset");
        auto* width = Child<QDoubleSpinBox>(d, "exportWidth");
        auto* height = Child<QDoubleSpinBox>(d, "exportHeight");
        auto* unit = Child<QComboBox>(d, "exportUnit");
        auto* dpi = Child<QSpinBox>(d, "exportDpi");
        auto* result = Child<QLabel>(d, "exportResult");
        auto* format = Child<QComboBox>(d, "exportFormat");
        auto* quality = Child<QSpinBox>(d, "exportQuality");
        auto* transparent = Child<QCheckBox>(d, "exportTransparent");
        QPushButton* ok = Child<QDialogButtonBox>(d, "exportButtons")->button(QDialogButtonBox::Ok);

        // Every control says what it is for.
        for (QWidget* w : d.findChildren<QWidget*>())
            if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                qobject_cast<QCheckBox*>(w) || qobject_cast<QPushButton*>(w))
                EXPECT_FALSE(w->toolTip().isEmpty()) << w->objectName().toStdString();

        preset->activated(static_cast<int>(ExportPreset::Book6x9));
        EXPECT_EQ(unit->currentIndex(), static_cast<int>(SizeUnit::Inches));
        EXPECT_EQ(dpi->value(), 300);
        EXPECT_EQ(result->text(), "The picture: 1800 × 2700 pixels");
        preset->activated(static_cast<int>(ExportPreset::A4));
        EXPECT_EQ(width->value(), 210.0);
        EXPECT_EQ(result->text(), "The picture: 2480 × 3508 pixels");
        // In inches the pixels stay; at another resolution they change and
        // the preset is a custom size.
        unit->setCurrentIndex(static_cast<int>(SizeUnit::Inches));
        EXPECT_NEAR(width->value(), 8.267, 0.001);
        EXPECT_EQ(result->text(), "The picture: 2480 × 3508 pixels");
        EXPECT_EQ(preset->currentIndex(), static_cast<int>(ExportPreset::A4));
        dpi->setValue(150);
        EXPECT_EQ(result->text(), "The picture: 1240 × 1754 pixels");
        EXPECT_EQ(preset->currentIndex(), static_cast<int>(ExportPreset::Custom));
        preset->activated(static_cast<int>(ExportPreset::FullHd));
        EXPECT_EQ(unit->currentIndex(), static_cast<int>(SizeUnit::Pixels));
        EXPECT_EQ(width->value(), 1920.0);
        EXPECT_EQ(dpi->value(), 150);  // kept: a pixel preset has no resolution of its own
        // A side typed by hand makes a custom size.
        height->setValue(1000);
        EXPECT_EQ(preset->currentIndex(), static_cast<int>(ExportPreset::Custom));
        EXPECT_EQ(result->text(), "The picture: 1920 × 1000 pixels");
        // Too large for a picture: said, and the Export button is off.
        unit->setCurrentIndex(static_cast<int>(SizeUnit::Inches));
        dpi->setValue(10000);
        EXPECT_EQ(result->text(), "Each side must be 1 to 30000 pixels.");
        EXPECT_FALSE(ok->isEnabled());
        dpi->setValue(300);
        EXPECT_TRUE(ok->isEnabled());

        // Quality for JPEG only, transparency for PNG only.
        transparent->setChecked(true);
        for (int i = 0; i < format->count(); ++i) {
            format->setCurrentIndex(i);
            const auto type = static_cast<PictureFileType>(format->itemData(i).toInt());
            SCOPED_TRACE(format->currentText().toStdString());
            EXPECT_EQ(quality->isEnabled(), type == PictureFileType::Jpeg);
            EXPECT_EQ(transparent->isEnabled(), type == PictureFileType::Png);
            EXPECT_EQ(transparent->isChecked(), type == PictureFileType::Png);
            EXPECT_EQ(ExportRowFormat(d.Choices()).alpha, type == PictureFileType::Png);
        }
        return false;
    });
    EXPECT_TRUE(dialogs.empty()) << "a cancelled dialog asks for no file";
}

TEST_F(ExportPictureTest, ChoicesAreRememberedOnReopeningAndAfterARestart) {
    const QSize panel = window->Panel()->size() * window->Panel()->devicePixelRatioF();
    RunExport([&](ExportPictureDialog& d) {
        EXPECT_EQ(shown.preset, ExportPreset::Panel);
        EXPECT_EQ(ExportPixels(shown).width, panel.width());
        Child<QComboBox>(d, "exportPreset")->activated(static_cast<int>(ExportPreset::A4));
        auto* format = Child<QComboBox>(d, "exportFormat");
        format->setCurrentIndex(format->findData(static_cast<int>(PictureFileType::Jpeg)));
        Child<QSpinBox>(d, "exportQuality")->setValue(61);
        return true;
    });
    ASSERT_EQ(dialogs, std::vector<std::string>{"ExportJpegDialog"});  // no file chosen
    auto expectRemembered = [this] {
        EXPECT_EQ(shown.preset, ExportPreset::A4);
        EXPECT_EQ(shown.type, PictureFileType::Jpeg);
        EXPECT_EQ(shown.quality, 61);
    };
    RunExport([](ExportPictureDialog&) { return false; });
    expectRemembered();

    window.reset();
    window = Open();
    RunExport([](ExportPictureDialog&) { return false; });
    expectRemembered();
    TSettingsFile settings;
    settings.Load(program / "settings.ini");
    EXPECT_EQ(settings.ReadValue("[ExportFormat]"), "jpg");
    EXPECT_EQ(settings.ReadValue("Look"), look) << "the shipped keys keep their values";
}

TEST_F(ExportPictureTest, ExportsReadBackInSizeFormatAndResolution) {
    window->State().Options.CheckBox1.Checked = true;  // open the picture after saving
    struct Case {
        PictureFileType type;
        SizeUnit unit;
        double width, height;
        int dpi;
        int pixelsWide, pixelsHigh;
        const char* name;
        const char* reader;
    };
    const Case cases[] = {
        {PictureFileType::Png, SizeUnit::Pixels, 240, 180, 150, 240, 180, "a.png", "png"},
        {PictureFileType::Jpeg, SizeUnit::Millimetres, 25.4, 12.7, 254, 254, 127, "b.jpg", "jpeg"},
        {PictureFileType::Bmp, SizeUnit::Inches, 1.5, 1.0, 96, 144, 96, "c.bmp", "bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        file = (out / c.name).string();
        RunExport([&](ExportPictureDialog& d) {
            auto* format = Child<QComboBox>(d, "exportFormat");
            format->setCurrentIndex(format->findData(static_cast<int>(c.type)));
            Child<QSpinBox>(d, "exportDpi")->setValue(c.dpi);
            Child<QComboBox>(d, "exportUnit")->setCurrentIndex(static_cast<int>(c.unit));
            Child<QDoubleSpinBox>(d, "exportWidth")->setValue(c.width);
            Child<QDoubleSpinBox>(d, "exportHeight")->setValue(c.height);
            return true;
        });
        QImageReader reader(QString::fromStdString(*file));
        EXPECT_EQ(reader.format().toStdString(), c.reader);
        const QImage image = reader.read();
        EXPECT_EQ(image.width(), c.pixelsWide);
        EXPECT_EQ(image.height(), c.pixelsHigh);
        EXPECT_NEAR(image.dotsPerMeterX(), c.dpi / 0.0254, 1.0);
        EXPECT_FALSE(image.hasAlphaChannel());
        EXPECT_EQ(window->statusBar()->currentMessage().toStdString(), "Saved to " + *file);
        ASSERT_FALSE(opened.empty());
        EXPECT_EQ(opened.back(), *file);
    }
    EXPECT_TRUE(messages.empty()) << messages.front();

    // A transparent PNG: clear where the background was, the cover opaque.
    file = (out / "clear.png").string();
    RunExport([](ExportPictureDialog& d) {
        auto* format = Child<QComboBox>(d, "exportFormat");
        format->setCurrentIndex(format->findData(static_cast<int>(PictureFileType::Png)));
        Child<QComboBox>(d, "exportUnit")->setCurrentIndex(static_cast<int>(SizeUnit::Pixels));
        Child<QDoubleSpinBox>(d, "exportWidth")->setValue(200);
        Child<QDoubleSpinBox>(d, "exportHeight")->setValue(150);
        Child<QCheckBox>(d, "exportTransparent")->setChecked(true);
        return true;
    });
    const QImage clear(QString::fromStdString(*file));
    ASSERT_TRUE(clear.hasAlphaChannel());
    EXPECT_EQ(qAlpha(clear.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(clear.pixel(199, 0)), 0);
    EXPECT_EQ(qAlpha(clear.pixel(100, 60)), 255);
}

TEST_F(ExportPictureTest, CancelledExportLeavesNoFile) {
    file = (out / "big.png").string();
    int watched = 0;
    window->Exports().ProgressWatch = [&](QProgressDialog& progress, int, int) {
        if (++watched == 2) progress.cancel();  // after the first part is drawn
    };
    const QString before = window->statusBar()->currentMessage();
    RunExport([](ExportPictureDialog& d) {
        Child<QComboBox>(d, "exportUnit")->setCurrentIndex(static_cast<int>(SizeUnit::Pixels));
        Child<QDoubleSpinBox>(d, "exportWidth")->setValue(300);
        Child<QDoubleSpinBox>(d, "exportHeight")->setValue(200);
        return true;
    });
    EXPECT_EQ(watched, 2);
    EXPECT_TRUE(fs::is_empty(out)) << "neither the picture nor its temporary file is left";
    EXPECT_EQ(window->statusBar()->currentMessage(), before);
    EXPECT_TRUE(messages.empty());

    // An older file of that name stays as it was.
    std::ofstream(*file) << "older";
    watched = 0;
    RunExport([](ExportPictureDialog&) { return true; });
    EXPECT_EQ(ReadWholeFile(*file).size(), 5u);
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);
}

TEST_F(ExportPictureTest, TransparentCopyPutsAPngWithAlphaOnTheClipboard) {
    ASSERT_TRUE(window->Exports().CopyAction()->isEnabled());
    EXPECT_EQ(window->Exports().CopyAction()->text(), "Copy with Transparent Background");
    ASSERT_TRUE(window->Exports().CopyTransparent());
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasFormat("image/png"));
    QImage png;
    ASSERT_TRUE(png.loadFromData(data->data("image/png"), "PNG"));
    const QSize panel = window->Panel()->size() * window->Panel()->devicePixelRatioF();
    EXPECT_EQ(png.size(), panel);
    ASSERT_TRUE(png.hasAlphaChannel());
    const int w = png.width() - 1, h = png.height() - 1;
    for (QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
        EXPECT_EQ(qAlpha(png.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(qAlpha(png.pixel(w / 2, h / 2)), 255);
    // The bitmap beside it carries the same alpha.
    ASSERT_TRUE(data->hasImage());
    const QImage bitmap = qvariant_cast<QImage>(data->imageData());
    ASSERT_TRUE(bitmap.hasAlphaChannel());
    EXPECT_EQ(qAlpha(bitmap.pixel(0, 0)), 0);
    EXPECT_EQ(bitmap.convertToFormat(QImage::Format_RGBA8888),
              png.convertToFormat(QImage::Format_RGBA8888));
}

TEST_F(ExportPictureTest, MenuEntriesSitBesideTheirNeighboursInTheLanguageInUse) {
    QMenu* fileMenu = window->findChild<QMenu*>("File1");
    ASSERT_NE(fileMenu, nullptr);
    const QList<QAction*> actions = fileMenu->actions();
    const auto at = [&](const char* name) {
        for (qsizetype i = 0; i < actions.size(); ++i)
            if (actions[i]->objectName() == name) return static_cast<int>(i);
        return -1;
    };
    EXPECT_EQ(at("ExportPicture1"), at("SaveImage1") + 1);
    EXPECT_EQ(at("CopyTransparent1"), at("CopytoClipboard1") + 1);
    EXPECT_EQ(window->Exports().ExportAction()->text(), "Export Picture...");

    // Another language: the menu entries, and the dialog when it opens next.
    SwitchLanguage(window->State(), "German.ini");
    EXPECT_EQ(window->Exports().ExportAction()->text(), "Bild exportieren...");
    EXPECT_EQ(window->Exports().CopyAction()->text(), "Mit transparentem Hintergrund kopieren");
    RunExport([](ExportPictureDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Bild exportieren");
        EXPECT_EQ(Child<QCheckBox>(d, "exportTransparent")->text(),
                  "Transparenter Hintergrund (nur PNG)");
        EXPECT_EQ(Child<QComboBox>(d, "exportPreset")->itemText(4), "A4 bei 300 dpi");
        return false;
    });
}

}  // namespace
}  // namespace tessaly
