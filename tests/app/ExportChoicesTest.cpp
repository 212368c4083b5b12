// The choices of File > Export Picture...: print sizes into pixels, the
// presets, units changed without changing the picture, what can be
// exported, and the choices remembered in settings.ini across runs, with
// damaged values read as defaults.
#include "app/export/ExportChoices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsRepair.h"
#include "render/PictureRender.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

PixelSize PresetPixels(ExportPreset preset, int dpi = 300) {
    ExportChoices c;
    c.dpi = dpi;
    return ExportPixels(WithPreset(c, preset, 640, 480));
}

TEST(ExportChoices, PresetsAndPrintSizesGiveTheirPixels) {
    auto expect = [](PixelSize size, int w, int h) {
        EXPECT_EQ(size.width, w);
        EXPECT_EQ(size.height, h);
    };
    expect(PresetPixels(ExportPreset::Panel), 640, 480);
    expect(PresetPixels(ExportPreset::FullHd), 1920, 1080);
    expect(PresetPixels(ExportPreset::Square), 3000, 3000);
    // The print presets bring their own resolution.
    expect(PresetPixels(ExportPreset::A4, 72), 2480, 3508);
    expect(PresetPixels(ExportPreset::Book6x9, 72), 1800, 2700);
    EXPECT_EQ(WithPreset({}, ExportPreset::A4, 1, 1).dpi, 300);

    // Rounded to the nearest pixel; pixels are whole.
    EXPECT_EQ(PixelsOf(21.0, SizeUnit::Millimetres, 300), 248);   // 248.03
    EXPECT_EQ(PixelsOf(29.7, SizeUnit::Millimetres, 300), 351);   // 350.79
    EXPECT_EQ(PixelsOf(1.5, SizeUnit::Inches, 96), 144);
    EXPECT_EQ(PixelsOf(799.6, SizeUnit::Pixels, 300), 800);
    EXPECT_EQ(PixelsOf(1e12, SizeUnit::Inches, 300), 1000000000);  // no overflow
}

TEST(ExportChoices, AnotherUnitKeepsThePixels) {
    ExportChoices c = WithPreset({}, ExportPreset::A4, 1, 1);
    for (int dpi : {72, 96, 150, 300, 600, 1200}) {
        c.dpi = dpi;
        const PixelSize before = ExportPixels(c);
        for (SizeUnit unit : {SizeUnit::Inches, SizeUnit::Pixels, SizeUnit::Millimetres,
                              SizeUnit::Pixels, SizeUnit::Inches, SizeUnit::Millimetres}) {
            c = WithUnit(c, unit);
            EXPECT_EQ(ExportPixels(c).width, before.width) << dpi;
            EXPECT_EQ(ExportPixels(c).height, before.height) << dpi;
        }
    }
    ExportChoices px = WithPreset({}, ExportPreset::FullHd, 1, 1);
    px.dpi = 300;
    const ExportChoices inches = WithUnit(px, SizeUnit::Inches);
    EXPECT_DOUBLE_EQ(inches.width, 6.4);
    EXPECT_DOUBLE_EQ(inches.height, 3.6);
}

TEST(ExportChoices, ProblemsAndStoredFormat) {
    ExportChoices c = WithPreset({}, ExportPreset::FullHd, 1, 1);
    EXPECT_EQ(ProblemOf(c), ExportProblem::None);
    c.width = kMaxRenderSide + 1;
    EXPECT_EQ(ProblemOf(c), ExportProblem::SizeOutOfRange);
    c = WithPreset({}, ExportPreset::A4, 1, 1);
    c.dpi = 3000;  // 24803 x 35079 pixels
    EXPECT_EQ(ProblemOf(c), ExportProblem::SizeOutOfRange);
    c.dpi = 0;
    EXPECT_EQ(ProblemOf(c), ExportProblem::ResolutionOutOfRange);
    c = WithPreset({}, ExportPreset::Panel, 0, 0);  // a panel not shown yet
    EXPECT_EQ(ProblemOf(c), ExportProblem::None);

    // Transparency is kept for PNG alone, the quality goes to every format;
    // every combination the dialog can make can be written.
    c = WithPreset({}, ExportPreset::FullHd, 1, 1);
    c.transparent = true;
    c.quality = 55;
    for (PictureFileType type : {PictureFileType::Png, PictureFileType::Jpeg, PictureFileType::Bmp}) {
        c.type = type;
        const RowFormat format = ExportRowFormat(c);
        EXPECT_EQ(format.alpha, type == PictureFileType::Png);
        EXPECT_EQ(format.alpha, TransparentAllowed(type));
        EXPECT_EQ(QualityApplies(type), type == PictureFileType::Jpeg);
        EXPECT_EQ(format.jpegQuality, 55);
        EXPECT_EQ(format.dpi, 300);
        EXPECT_EQ(RowFormatProblem(format), "");
    }
    EXPECT_EQ(ExportExtension(PictureFileType::Jpeg), ".jpg");
}

class ExportSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ofstream(file) << "[DefaultEditor]\r\nPBRUSH\r\n[OpenPic]\r\non\r\n[UpdateCheck]\r\non\r\n"
                               "[capture]\r\nview\r\n[CDepth]\r\n24\r\n[Language]\r\nEnglish.ini\r\n"
                               "[dWarning]\r\non\r\n[frms]\r\n20\r\n[Look]\r\nclassic\r\n";
        settings.Load(file);
    }
    ExportChoices Reloaded(int panelWidth = 800, int panelHeight = 600) {
        TSettingsFile again;
        again.Load(file);
        return LoadExportChoices(again, panelWidth, panelHeight);
    }
    test::TempDir dir;
    fs::path file = dir / "settings.ini";
    TSettingsFile settings;
};

TEST_F(ExportSettingsTest, ChoicesAreRememberedAcrossRuns) {
    // Nothing remembered: the panel's size as a PNG at 300 dpi.
    ExportChoices first = LoadExportChoices(settings, 800, 600);
    EXPECT_EQ(first.preset, ExportPreset::Panel);
    EXPECT_EQ(ExportPixels(first).width, 800);
    EXPECT_EQ(first.type, PictureFileType::Png);
    EXPECT_EQ(first.dpi, kExportDefaultDpi);
    EXPECT_EQ(first.quality, kCaptureJpegQuality);
    EXPECT_FALSE(first.transparent);

    ExportChoices custom;
    custom.preset = ExportPreset::Custom;
    custom.unit = SizeUnit::Millimetres;
    custom.width = 105.5;
    custom.height = 148.25;
    custom.dpi = 600;
    custom.type = PictureFileType::Jpeg;
    custom.quality = 93;
    custom.transparent = true;
    SaveExportChoices(settings, custom);
    ExportChoices read = Reloaded();
    EXPECT_EQ(read.preset, ExportPreset::Custom);
    EXPECT_EQ(read.unit, SizeUnit::Millimetres);
    EXPECT_DOUBLE_EQ(read.width, 105.5);
    EXPECT_DOUBLE_EQ(read.height, 148.25);
    EXPECT_EQ(read.dpi, 600);
    EXPECT_EQ(read.type, PictureFileType::Jpeg);
    EXPECT_EQ(read.quality, 93);
    EXPECT_TRUE(read.transparent);

    // The panel preset follows the panel; a print preset keeps its own
    // resolution, the others the remembered one.
    SaveExportChoices(settings, WithPreset(custom, ExportPreset::Panel, 800, 600));
    read = Reloaded(1024, 700);
    EXPECT_EQ(ExportPixels(read).width, 1024);
    EXPECT_EQ(ExportPixels(read).height, 700);
    EXPECT_EQ(read.dpi, 600);
    SaveExportChoices(settings, WithPreset(custom, ExportPreset::Book6x9, 800, 600));
    read = Reloaded();
    EXPECT_EQ(read.preset, ExportPreset::Book6x9);
    EXPECT_EQ(ExportPixels(read).width, 1800);

    // The shipped keys keep their values, and keys added later are no damage.
    EXPECT_EQ(settings.ReadValue("Look"), "classic");
    EXPECT_EQ(settings.ReadValue("capture"), "view");
    EXPECT_EQ(settings.ReadValue("OpenPic"), "on");
    EXPECT_FALSE(SettingsDamaged(settings));
}

TEST_F(ExportSettingsTest, DamagedValuesReadAsDefaults) {
    std::ofstream(file, std::ios::app) << "[ExportPreset]\r\ncustom\r\n[ExportSize]\r\n99999x2\r\n"
                                          "[ExportDpi]\r\n-4\r\n[ExportFormat]\r\ngif\r\n"
                                          "[ExportQuality]\r\n101\r\n[ExportTransparent]\r\nmaybe\r\n";
    ExportChoices read = Reloaded();
    EXPECT_EQ(read.preset, ExportPreset::Panel);  // the size is too large
    EXPECT_EQ(ExportPixels(read).width, 800);
    EXPECT_EQ(read.dpi, kExportDefaultDpi);
    EXPECT_EQ(read.type, PictureFileType::Png);
    EXPECT_EQ(read.quality, kCaptureJpegQuality);
    EXPECT_FALSE(read.transparent);

    for (const char* size : {"", "x", "12", "axb", "10x0in", "3x4cm", "1e400x5", "nanx5"}) {
        SCOPED_TRACE(size);
        settings.Load(file);
        settings.WriteOrAddValue("[ExportSize]", size);
        EXPECT_EQ(Reloaded().preset, ExportPreset::Panel);
    }
    settings.WriteOrAddValue("[ExportSize]", "6.5x9.25in");
    EXPECT_EQ(Reloaded().unit, SizeUnit::Inches);
}

}  // namespace
}  // namespace tessaly
