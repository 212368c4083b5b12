// The editor's picture operations on small pictures: the crop rectangle and
// its proportions lock, where pixels land after turns and flips, resizing,
// colour adjustments (neutral values change nothing), the undo history, and
// saving that keeps the format and never leaves a file half-written.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <filesystem>
#include <fstream>

#include "EditorTestApp.h"
#include "editor/ImageHistory.h"
#include "editor/ImageOps.h"
#include "support/TestPaths.h"

namespace tessaly::editor {
namespace {

namespace fs = std::filesystem;

// Every pixel different: red = x, green = y, blue = 7, alpha varies.
QImage Numbered(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgba(x * 10, y * 10, 7, 255 - x - y));
    return image;
}

QImage Random(int w, int h, quint32 seed) {
    QRandomGenerator random(seed);
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, random.generate());
    return image;
}

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

std::string Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ImageOpsTest, AspectTextsAreReadAndNonsenseIsRefused) {
    for (const char* good : {"400:400", "280x400", " 3 / 4 ", "16X9"}) {
        const auto aspect = ParseAspect(good);
        ASSERT_TRUE(aspect) << good;
        EXPECT_TRUE(aspect->Valid());
    }
    EXPECT_EQ(ParseAspect("280x400")->width, 280);
    EXPECT_EQ(ParseAspect("280x400")->height, 400);
    for (const char* bad : {"", "0:4", "4:0", "4:", "a:b", "-3:4", "3:4:5", "1234567:1"})
        EXPECT_FALSE(ParseAspect(bad)) << bad;
}

TEST(ImageOpsTest, CropKeepsTheRectangleInsideThePicture) {
    const QImage image = Numbered(10, 8);
    const QImage part = Crop(image, QRect(2, 3, 4, 2));
    EXPECT_EQ(part.size(), QSize(4, 2));
    EXPECT_EQ(part.pixel(0, 0), image.pixel(2, 3));
    EXPECT_EQ(part.pixel(3, 1), image.pixel(5, 4));

    // Sticking out on two sides: cut to the picture.
    const QImage corner = Crop(image, QRect(7, 5, 10, 10));
    EXPECT_EQ(corner.size(), QSize(3, 3));
    EXPECT_EQ(corner.pixel(0, 0), image.pixel(7, 5));
    // Nothing inside: the picture stays as it is.
    EXPECT_EQ(Crop(image, QRect(20, 20, 5, 5)), image);
    EXPECT_EQ(Crop(image, QRect()), image);
}

TEST(ImageOpsTest, DragRectangleFollowsTheMouseAndHoldsLockedProportions) {
    const QSize picture(200, 100);
    // Free: exactly the dragged box, whichever way the drag goes.
    EXPECT_EQ(DragRectangle({10, 10}, {60, 40}, picture, std::nullopt), QRect(10, 10, 50, 30));
    EXPECT_EQ(DragRectangle({60, 40}, {10, 10}, picture, std::nullopt), QRect(10, 10, 50, 30));
    // Beyond the picture: stops at its edge.
    EXPECT_EQ(DragRectangle({150, 50}, {400, 300}, picture, std::nullopt), QRect(150, 50, 50, 50));
    EXPECT_TRUE(DragRectangle({5, 5}, {5, 40}, picture, std::nullopt).isEmpty());

    // Locked to 1:2 (a tall face): the longer side of the drag decides, the
    // anchor corner stays.
    const Aspect tall{1, 2};
    EXPECT_EQ(DragRectangle({10, 10}, {30, 20}, picture, tall), QRect(10, 10, 20, 40));
    EXPECT_EQ(DragRectangle({100, 90}, {90, 30}, picture, tall), QRect(70, 30, 30, 60));
    // Near the bottom edge the height is what is left, the width follows.
    EXPECT_EQ(DragRectangle({10, 80}, {100, 95}, picture, tall), QRect(10, 80, 10, 20));

    // Any drag, any anchor: inside the picture and within a pixel of 3:2.
    const Aspect wide{3, 2};
    QRandomGenerator random(7);
    for (int i = 0; i < 500; ++i) {
        const QPoint a(random.bounded(-20, 220), random.bounded(-20, 120));
        const QPoint b(random.bounded(-20, 220), random.bounded(-20, 120));
        const QRect r = DragRectangle(a, b, picture, wide);
        if (r.isEmpty()) continue;
        EXPECT_TRUE(QRect(QPoint(), picture).contains(r)) << i;
        EXPECT_NEAR(r.width(), r.height() * 1.5, 1.5) << i;
    }
}

TEST(ImageOpsTest, CentredRectangleIsTheLargestOfItsProportions) {
    EXPECT_EQ(CentredRectangle({200, 100}, {1, 1}), QRect(50, 0, 100, 100));
    EXPECT_EQ(CentredRectangle({200, 100}, {4, 1}), QRect(0, 25, 200, 50));
    EXPECT_EQ(CentredRectangle({280, 400}, {280, 400}), QRect(0, 0, 280, 400));
    EXPECT_TRUE(CentredRectangle({200, 100}, {0, 1}).isNull());
}

TEST(ImageOpsTest, QuarterTurnsAndFlipsMovePixelsWhereExpected) {
    const QImage image = Numbered(3, 2);  // 3 wide, 2 high
    const QImage right = Rotate90(image, true);
    ASSERT_EQ(right.size(), QSize(2, 3));
    // Clockwise: the bottom-left corner comes to the top-left.
    EXPECT_EQ(right.pixel(0, 0), image.pixel(0, 1));
    EXPECT_EQ(right.pixel(1, 0), image.pixel(0, 0));
    EXPECT_EQ(right.pixel(1, 2), image.pixel(2, 0));
    const QImage left = Rotate90(image, false);
    ASSERT_EQ(left.size(), QSize(2, 3));
    // Anticlockwise: the top-right corner comes to the top-left.
    EXPECT_EQ(left.pixel(0, 0), image.pixel(2, 0));
    EXPECT_EQ(left.pixel(0, 2), image.pixel(0, 0));
    EXPECT_EQ(left.pixel(1, 2), image.pixel(0, 1));

    EXPECT_EQ(Rotate90(right, false), image);
    EXPECT_EQ(Rotate90(Rotate90(right, true), true), Rotate90(image, false));

    const QImage mirrored = Flip(image, true);
    EXPECT_EQ(mirrored.pixel(0, 0), image.pixel(2, 0));
    EXPECT_EQ(mirrored.pixel(2, 1), image.pixel(0, 1));
    const QImage upsideDown = Flip(image, false);
    EXPECT_EQ(upsideDown.pixel(0, 0), image.pixel(0, 1));
    EXPECT_EQ(upsideDown.pixel(2, 1), image.pixel(2, 0));
    EXPECT_EQ(Flip(mirrored, true), image);
    // Two flips are a half turn.
    EXPECT_EQ(Flip(upsideDown, true), Rotate90(right, true));
}

TEST(ImageOpsTest, ResizeScalesAndKeepsProportionsWhenAsked) {
    EXPECT_EQ(HeightForWidth({400, 300}, 200), 150);
    EXPECT_EQ(WidthForHeight({400, 300}, 30), 40);
    EXPECT_EQ(HeightForWidth({1000, 1}, 10), 1);  // never 0

    QImage flat(40, 30, QImage::Format_ARGB32);
    flat.fill(qRgba(200, 100, 50, 255));
    const QImage half = Resize(flat, {20, 15});
    EXPECT_EQ(half.size(), QSize(20, 15));
    EXPECT_EQ(half.format(), QImage::Format_ARGB32);
    EXPECT_EQ(half.pixel(10, 7), flat.pixel(0, 0));
    EXPECT_EQ(Resize(flat, {200, 7}).size(), QSize(200, 7));
    // Sizes the readers would refuse are refused here too.
    EXPECT_EQ(Resize(flat, {0, 10}), flat);
    EXPECT_EQ(Resize(flat, {100000, 10}), flat);
    EXPECT_FALSE(SizeAllowed({20000, 20000}));
}

TEST(ImageOpsTest, ColourAdjustmentsAtNeutralChangeNothingAndOtherwiseAct) {
    const QImage image = Random(17, 9, 3);
    EXPECT_EQ(AdjustColors(image, {}), image);
    const auto all = [](const QImage& img, auto test) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (!test(img.pixel(x, y))) return false;
        return true;
    };
    const QImage white = AdjustColors(image, {100, 0, 0});
    EXPECT_TRUE(
        all(white, [](QRgb p) { return qRed(p) == 255 && qGreen(p) == 255 && qBlue(p) == 255; }));
    const QImage black = AdjustColors(image, {-100, 0, 0});
    EXPECT_TRUE(all(black, [](QRgb p) { return qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) == 0; }));
    const QImage grey = AdjustColors(image, {0, -100, 0});
    EXPECT_TRUE(all(grey, [](QRgb p) { return qRed(p) == 128 && qBlue(p) == 128; }));
    const QImage washed = AdjustColors(image, {0, 0, -100});
    EXPECT_TRUE(all(washed, [](QRgb p) { return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p); }));
    // Alpha is never touched.
    for (const QImage& adjusted : {white, black, grey, washed})
        for (int x = 0; x < image.width(); ++x)
            EXPECT_EQ(qAlpha(adjusted.pixel(x, 4)), qAlpha(image.pixel(x, 4)));

    // More saturation pushes a colour away from its grey; more contrast
    // pushes dark darker and bright brighter.
    QImage one(1, 1, QImage::Format_ARGB32);
    one.setPixel(0, 0, qRgba(180, 120, 100, 255));
    const QRgb vivid = AdjustColors(one, {0, 0, 50}).pixel(0, 0);
    EXPECT_GT(qRed(vivid), 180);
    EXPECT_LT(qBlue(vivid), 100);
    const QRgb sharp = AdjustColors(one, {0, 50, 0}).pixel(0, 0);
    EXPECT_GT(qRed(sharp), 180);
    EXPECT_LT(qBlue(sharp), 100);
}

TEST(ImageOpsTest, HistoryUndoesRedoesAndKnowsWhatIsSaved) {
    const QImage a = Numbered(2, 2), b = Numbered(3, 3), c = Numbered(4, 4), d = Numbered(5, 5);
    ImageHistory history;
    EXPECT_TRUE(history.Empty());
    EXPECT_FALSE(history.Modified());
    history.Reset(a);
    EXPECT_FALSE(history.Modified());
    history.Push(b, "Crop");
    history.Push(c, "Rotate Right");
    EXPECT_TRUE(history.Modified());
    EXPECT_EQ(history.UndoName(), "Rotate Right");
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(history.Current(), b);
    EXPECT_EQ(history.RedoName(), "Rotate Right");
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(history.Current(), a);
    EXPECT_FALSE(history.Modified());  // back where the file is
    EXPECT_FALSE(history.Undo());
    ASSERT_TRUE(history.Redo());
    history.MarkSaved();
    EXPECT_FALSE(history.Modified());
    // A new step cuts off what could have been redone.
    history.Push(d, "Resize");
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(history.Modified());
    history.Undo();
    EXPECT_FALSE(history.Modified());  // b is saved
    history.Undo();                    // a
    history.Push(c, "Flip");           // the saved b can never come back
    history.Undo();
    EXPECT_EQ(history.Current(), a);
    EXPECT_TRUE(history.Modified());

    // Only so many steps are kept; the oldest go first.
    history.Reset(a);
    for (std::size_t i = 0; i < ImageHistory::kMaxUndo + 5; ++i) history.Push(b, "Step");
    EXPECT_EQ(history.UndoDepth(), ImageHistory::kMaxUndo);
    while (history.Undo()) {
    }
    EXPECT_EQ(history.Current(), b);
    EXPECT_TRUE(history.Modified());  // the opened picture was dropped
}

class SaveTest : public ::testing::Test {
  protected:
    // The image writers are plug-ins, found through the application.
    void SetUp() override { test::App(); }
    tessaly::test::TempDir temp;
};

TEST_F(SaveTest, TheExtensionChoosesTheFormatAndPngKeepsEveryPixel) {
    EXPECT_EQ(SaveFormatFor("a/b/Image1.JPG"), "JPEG");
    EXPECT_EQ(SaveFormatFor("x.jpeg"), "JPEG");
    EXPECT_EQ(SaveFormatFor("x.Png"), "PNG");
    EXPECT_EQ(SaveFormatFor("x.bmp"), "BMP");
    EXPECT_TRUE(SaveFormatFor("x.tga").isEmpty());
    EXPECT_TRUE(SaveFormatFor("noextension").isEmpty());

    const QImage image = Random(13, 7, 11);
    QString error;
    ASSERT_TRUE(SavePicture(image, Q(temp / "p.png"), &error)) << error.toStdString();
    EXPECT_EQ(LoadPicture(Q(temp / "p.png"), &error), image);

    ASSERT_TRUE(SavePicture(image, Q(temp / "Upper.JPG"), &error));
    EXPECT_EQ(Bytes(temp / "Upper.JPG").substr(0, 2), "\xFF\xD8");
    ASSERT_TRUE(SavePicture(image, Q(temp / "b.bmp"), &error));
    EXPECT_EQ(Bytes(temp / "b.bmp").substr(0, 2), "BM");
    EXPECT_EQ(LoadPicture(Q(temp / "b.bmp"), &error).size(), image.size());
}

TEST_F(SaveTest, FormatsWithoutAlphaGetTransparencyOverWhite) {
    QImage clear(4, 4, QImage::Format_ARGB32);
    clear.fill(qRgba(0, 0, 0, 0));
    QString error;
    ASSERT_TRUE(SavePicture(clear, Q(temp / "c.bmp"), &error));
    const QImage back = LoadPicture(Q(temp / "c.bmp"), &error);
    ASSERT_FALSE(back.isNull()) << error.toStdString();
    EXPECT_EQ(back.pixel(2, 2), qRgba(255, 255, 255, 255));
}

TEST_F(SaveTest, SavingReplacesTheFileWholeAndFailuresLeaveItAlone) {
    const fs::path target = temp / "Image1.png", kept = temp / "kept.png";
    const QImage before = Random(8, 8, 1), after = Random(6, 5, 2);
    QString error;
    ASSERT_TRUE(SavePicture(before, Q(target), &error));
    // A second name for the same file: writing in place would change it too.
    fs::create_hard_link(target, kept);
    const std::string old = Bytes(kept);
    ASSERT_TRUE(SavePicture(after, Q(target), &error));
    EXPECT_EQ(Bytes(kept), old);
    EXPECT_EQ(LoadPicture(Q(target), &error), after);
    // Nothing else is left lying in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 2);

    // Failures: a format that cannot be written, a folder that is not there,
    // nothing to save. The file stays as it was and the reason is told.
    const std::string current = Bytes(target);
    EXPECT_FALSE(SavePicture(after, Q(temp / "Image1.tga"), &error));
    EXPECT_TRUE(error.contains("Image1.tga"));
    EXPECT_FALSE(fs::exists(temp / "Image1.tga"));
    EXPECT_FALSE(SavePicture(after, Q(temp / "missing" / "x.png"), &error));
    EXPECT_FALSE(SavePicture(QImage(), Q(target), &error));
    if (geteuid() != 0) {
        fs::permissions(temp.Path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(SavePicture(before, Q(target), &error));
        fs::permissions(temp.Path(), fs::perms::owner_all);
    }
    EXPECT_EQ(Bytes(target), current);
}

TEST_F(SaveTest, PicturesThatCannotBeReadAreReportedByName) {
    QString error;
    EXPECT_TRUE(LoadPicture(Q(temp / "nothing.png"), &error).isNull());
    EXPECT_TRUE(error.contains("nothing.png")) << error.toStdString();
    std::ofstream(temp / "broken.jpg") << "not a picture at all";
    error.clear();
    EXPECT_TRUE(LoadPicture(Q(temp / "broken.jpg"), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace tessaly::editor
