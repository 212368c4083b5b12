// Pictures drawn by tiles and handed on row by row: a tiled picture equals
// the one drawn whole, rows arrive in the order the writer asks, and a
// transparent picture has the alpha and straight colours that make it look,
// over any colour, like a render on that colour.
#include <cmath>

#include "render/Capture.h"
#include "render/Jitter.h"
#include "render/PictureRender.h"
#include "render/RenderFixture.h"
#include "support/ImageCompare.h"

namespace tessaly::test {
namespace {

// Collects the rows into a picture, top row first whatever the order.
class PictureRows : public RowWriter {
  public:
    PictureRows(int width, int height, bool bottomUp)
        : picture(width, height), bottomUp_(bottomUp), next_(bottomUp ? height - 1 : 0) {}
    bool BottomUp() const override { return bottomUp_; }
    void WriteRow(const std::uint8_t* rgba) override {
        ASSERT_TRUE(next_ >= 0 && next_ < picture.height) << "more rows than the picture has";
        std::copy(rgba, rgba + picture.width * 4, picture.Pixel(0, next_));
        next_ += bottomUp_ ? -1 : 1;
    }
    void Finish() override { finished = true; }

    RgbaImage picture;
    bool finished = false;

  private:
    bool bottomUp_;
    int next_;
};

class PictureRenderTest : public RenderFixture {
  protected:
    static RgbaImage Render(int width, int height, int tileSize, bool transparent = false,
                            bool bottomUp = false) {
        PictureRequest request;
        request.width = width;
        request.height = height;
        request.tileSize = tileSize;
        request.transparent = transparent;
        PictureRows rows(width, height, bottomUp);
        RenderPicture(Session().Frames, Context(), TheScene(), request, rows);
        EXPECT_TRUE(rows.finished);
        return rows.picture;
    }

    void SetUp() override {
        RenderFixture::SetUp();
        Settings().FloorOpacity = 0.5f;
        Settings().ShadowDarkness = 0.3f;
    }
};

TEST_F(PictureRenderTest, WholePictureIsTheCapture) {
    const RgbaImage whole = Render(kFrameWidth, kFrameHeight, 0);
    const RgbaImage captured = Capture();
    EXPECT_EQ(whole.pixels, captured.pixels);
}

TEST_F(PictureRenderTest, TiledEqualsUntiledAtSeveralTileSizes) {
    const RgbaImage whole = Render(kFrameWidth, kFrameHeight, 0);
    // 160 divides both sides, 100 and 77 divide neither, 16 is the smallest.
    for (int tile : {160, 100, 77, 16}) {
        SCOPED_TRACE(tile);
        const RgbaImage tiled = Render(kFrameWidth, kFrameHeight, tile);
        const ImageDifference d = CompareImages(whole, tiled);
        EXPECT_TRUE(d.Matches()) << d.differing << " pixels differ, by up to " << d.largest;
        // Not just within the rule: seams would show as whole rows or
        // columns; only scattered edge pixels may round differently.
        EXPECT_LT(d.differing, 40);
    }
    // The band order of a bitmap writer gives the same picture.
    const RgbaImage bottomUp = Render(kFrameWidth, kFrameHeight, 100, false, true);
    EXPECT_TRUE(CompareImages(whole, bottomUp).Matches());
}

TEST_F(PictureRenderTest, SettingsAreRestoredAfterwards) {
    Settings().AAPasses = 1;
    const Rgb background = Settings().BackgroundColor;
    Render(200, 100, 64, true);
    EXPECT_EQ(Settings().AAPasses, 1);
    EXPECT_EQ(Settings().BackgroundColor, background);
    EXPECT_FALSE(TheScene().FloorSurfaceHidden);
    EXPECT_FALSE(Session().Frames.Window.has_value());
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], kFrameWidth);
    EXPECT_EQ(viewport[3], kFrameHeight);
}

TEST_F(PictureRenderTest, BadSizesAndCancellingThrow) {
    PictureRequest request;
    request.width = 0;
    request.height = 10;
    PictureRows rows(1, 1, false);
    EXPECT_THROW(RenderPicture(Session().Frames, Context(), TheScene(), request, rows),
                 CaptureError);
    request.width = kMaxRenderSide + 1;
    EXPECT_THROW(RenderPicture(Session().Frames, Context(), TheScene(), request, rows),
                 CaptureError);
    request.width = 64;
    request.height = 64;
    request.tileSize = 16;
    PictureRows some(64, 64, false);
    int calls = 0;
    EXPECT_THROW(RenderPicture(Session().Frames, Context(), TheScene(), request, some,
                               [&](int done, int total) {
                                   EXPECT_EQ(total, 16);
                                   ++calls;
                                   return done < 3;
                               }),
                 RenderCancelled);
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(some.finished);
}

// `picture` over an opaque colour, 8 bits a channel.
RgbaImage Over(const RgbaImage& picture, int r, int g, int b) {
    RgbaImage out = picture;
    const int bg[3] = {r, g, b};
    for (std::size_t i = 0; i < out.pixels.size(); i += 4) {
        const int a = picture.pixels[i + 3];
        for (int c = 0; c < 3; ++c)
            out.pixels[i + c] = static_cast<std::uint8_t>(
                (picture.pixels[i + c] * a + bg[c] * (255 - a) + 127) / 255);
        out.pixels[i + 3] = 255;
    }
    return out;
}

TEST_F(PictureRenderTest, TransparentPictureHasAlphaWhereTheSceneIs) {
    Settings().DrawShadow = true;
    const RgbaImage t = Render(kFrameWidth, kFrameHeight, 0, true);
    const int w = kFrameWidth, h = kFrameHeight;
    // Background and floor surface are clear.
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        EXPECT_EQ(t.Pixel(x, y)[3], 0) << x << "," << y;
    // The cover is opaque.
    EXPECT_EQ(t.Pixel(w / 2, h / 2 - 20)[3], 255);
    // Shadow and reflection: partly covered pixels in the lower half, away
    // from the cover's edges.
    long partial = 0, dark = 0;
    for (int y = h / 2; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = t.Pixel(x, y);
            if (p[3] > 20 && p[3] < 235) ++partial;
            if (p[3] > 20 && p[3] < 235 && p[0] < 10 && p[1] < 10 && p[2] < 10) ++dark;
        }
    EXPECT_GT(partial, 2000);
    EXPECT_GT(dark, 300) << "the shadow is black with partial alpha";

    // Over white and over black it is the render on white and on black with
    // the floor surface hidden.
    TheScene().FloorSurfaceHidden = true;
    Settings().BackgroundColor = {1.0f, 1.0f, 1.0f};
    const RgbaImage onWhite = Capture();
    Settings().BackgroundColor = {0.0f, 0.0f, 0.0f};
    const RgbaImage onBlack = Capture();
    TheScene().FloorSurfaceHidden = false;
    EXPECT_TRUE(MatchesBaseline(onWhite, "hidden_floor_on_white"));
    for (auto [over, name] :
         {std::pair{Over(t, 255, 255, 255), "white"}, {Over(t, 0, 0, 0), "black"}}) {
        SCOPED_TRACE(name);
        const ImageDifference d = CompareImages(name[0] == 'w' ? onWhite : onBlack, over);
        EXPECT_TRUE(d.Matches()) << d.differing << " pixels differ, by up to " << d.largest;
        EXPECT_LE(d.largest, 3) << "straight colours round to within a few levels";
    }
}

TEST_F(PictureRenderTest, TransparentTilesJoinToo) {
    const RgbaImage whole = Render(kFrameWidth, kFrameHeight, 0, true);
    const RgbaImage tiled = Render(kFrameWidth, kFrameHeight, 77, true);
    EXPECT_TRUE(CompareImages(Over(whole, 255, 0, 255), Over(tiled, 255, 0, 255)).Matches());
}

TEST(Unblend, StraightColourAndAlphaFromBlackAndWhite) {
    const std::uint8_t black[] = {0, 0, 0}, white[] = {255, 255, 255};
    std::uint8_t out[4];
    UnblendPixel(black, white, out);  // nothing there
    EXPECT_EQ(out[3], 0);
    const std::uint8_t red[] = {200, 10, 10};
    UnblendPixel(red, red, out);  // opaque
    EXPECT_EQ(out[3], 255);
    EXPECT_EQ(out[0], 200);
    // Half-covered mid grey: over black 64, over white 64 + 128.
    const std::uint8_t k[] = {64, 64, 64}, w[] = {192, 192, 192};
    UnblendPixel(k, w, out);
    EXPECT_EQ(out[3], 127);
    EXPECT_NEAR(out[0], 128, 1);
    // A 30 % shadow: black over black, 70 % white over white.
    const std::uint8_t s[] = {179, 179, 179};
    UnblendPixel(black, s, out);
    EXPECT_NEAR(out[3], 76, 1);
    EXPECT_EQ(out[0], 0);
}

TEST(TileFrustum, WholeWindowIsTheJitteredPerspectiveAndTilesAbut) {
    const double fovy = 45, n = 0.1, f = 1000;
    const int w = 640, h = 480;
    const double top = n * std::tan(fovy * 3.14159265358979323846 / 360.0);
    const double right = top * w / h;
    const FrustumPlanes expected =
        JitteredFrustumPlanes(-right, right, -top, top, n, f, 0.3, -0.2, 0, 0, 1, w, h);
    const FrustumPlanes whole = TileFrustumPlanes(fovy, n, f, 0.3, -0.2, w, h, 0, 0, w, h);
    EXPECT_NEAR(whole.left, expected.left, 1e-12);
    EXPECT_NEAR(whole.right, expected.right, 1e-12);
    EXPECT_NEAR(whole.bottom, expected.bottom, 1e-12);
    EXPECT_NEAR(whole.top, expected.top, 1e-12);
    // Neighbouring tiles share their edge; a tile is its pixels' share.
    const FrustumPlanes a = TileFrustumPlanes(fovy, n, f, 0.3, -0.2, w, h, 0, 100, 200, 50);
    const FrustumPlanes b = TileFrustumPlanes(fovy, n, f, 0.3, -0.2, w, h, 200, 150, 200, 50);
    EXPECT_NEAR(a.right, b.left, 1e-12);
    EXPECT_NEAR(a.top, b.bottom, 1e-12);
    EXPECT_NEAR(a.right - a.left, (expected.right - expected.left) * 200 / w, 1e-12);
}

TEST(TileGrid, BandsStayWithinTheirBudget) {
    // The program's own choice: small pictures whole, larger ones in
    // full-width bands of equal height, the last cut short by less than a
    // row a band.
    EXPECT_TRUE(PlanTiles(320, 240, 0, 16384).Whole());
    const TileGrid hd = PlanTiles(1920, 1080, 0, 16384);
    EXPECT_EQ(hd.tileWidth, 1920);
    EXPECT_EQ(hd.columns, 1);
    EXPECT_GT(hd.bands, 1);
    EXPECT_GE(hd.tileHeight * hd.bands, 1080);
    EXPECT_LT(hd.tileHeight * hd.bands, 1080 + hd.bands);
    EXPECT_LE(std::int64_t{hd.tileWidth} * hd.tileHeight, std::int64_t{1} << 17);
    const TileGrid small = PlanTiles(320, 240, 77, 16384);
    EXPECT_EQ(small.columns, 5);
    EXPECT_EQ(small.bands, 4);
    const TileGrid wide = PlanTiles(30000, 30000, 0, 16384);
    EXPECT_EQ(wide.tileWidth, kDefaultTileSize);
    EXPECT_LE(std::int64_t{30000} * wide.tileHeight * 4, std::int64_t{96} << 20);
    EXPECT_EQ(PlanTiles(5000, 100, 0, 1024).tileWidth, 1024);  // the driver's limit
}

}  // namespace
}  // namespace tessaly::test
