// How face and floor pictures are sampled: a picture shown much smaller than
// its size shows its average rather than a moiré of its finest detail, a
// face's edge shows the picture's own edge and not the opposite one, and a
// picture bound for tiling repeats.
#include <vector>

#include "render/Capture.h"
#include "render/RenderFixture.h"
#include "render/Textures.h"

namespace tessaly::test {
namespace {

class TextureFiltering : public RenderFixture {
  protected:
    void TearDown() override { ReleaseTexture(texture_); }

    // An opaque RGB picture of width x height from a colour per pixel.
    template <typename Colour>
    GLuint MakeTexture(int width, int height, Colour colour) {
        std::vector<std::uint8_t> pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint8_t v = colour(x, y);
                pixels.insert(pixels.end(), {v, v, v});
            }
        texture_ = TextureFromPixels(width, height, PixelFormat::RGB, pixels.data());
        return texture_;
    }

    // Draws the bound texture, unlit, on a square of `side` pixels at the
    // frame's bottom-left corner with texture coordinates 0..uvMax, and
    // reads the frame back.
    static RgbaImage DrawSquare(int side, float uvMax) {
        glBindFramebuffer(GL_FRAMEBUFFER, Context().TargetFramebuffer());
        glViewport(0, 0, kFrameWidth, kFrameHeight);
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, kFrameWidth, 0, kFrameHeight, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        const auto s = static_cast<float>(side);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(0, 0);
        glTexCoord2f(uvMax, 0);
        glVertex2f(s, 0);
        glTexCoord2f(uvMax, uvMax);
        glVertex2f(s, s);
        glTexCoord2f(0, uvMax);
        glVertex2f(0, s);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, Context().TargetFramebuffer());
        return ReadFramePixels(kFrameWidth, kFrameHeight);
    }

    // The pixel at (x, y) counted from the frame's bottom-left corner.
    static int Grey(const RgbaImage& frame, int x, int y) {
        return PixelAt(frame, x, kFrameHeight - 1 - y).g;
    }

    GLuint texture_ = 0;
};

TEST_F(TextureFiltering, APictureShownSmallShowsItsAverage) {
    // Stripes one pixel wide, black and white, shown about 20 times smaller:
    // every pixel is the mid grey, where sampling the full picture alone
    // gives whatever mix of two stripes each pixel happens to hit.
    BindFaceTexture(MakeTexture(256, 256, [](int x, int) { return x % 2 ? 255 : 0; }));
    const RgbaImage frame = DrawSquare(13, 1.0f);
    for (int y = 1; y < 12; ++y)
        for (int x = 1; x < 12; ++x) EXPECT_NEAR(Grey(frame, x, y), 128, 24) << x << "," << y;
}

TEST_F(TextureFiltering, AFaceEdgeShowsThePicturesOwnEdge) {
    // Black with a white last column and top row, shown enlarged: the first
    // column and bottom row of the square stay black, as the picture's are
    // (wrapping round would mix in the white of the opposite edge).
    BindFaceTexture(MakeTexture(16, 16, [](int x, int y) { return x == 15 || y == 15 ? 255 : 0; }));
    const RgbaImage frame = DrawSquare(128, 1.0f);
    for (int i = 0; i < 100; ++i) {
        EXPECT_LT(Grey(frame, 0, i), 16) << "left column, row " << i;
        EXPECT_LT(Grey(frame, i, 0), 16) << "bottom row, column " << i;
    }
    EXPECT_GT(Grey(frame, 127, 60), 200) << "the white column itself";
}

TEST_F(TextureFiltering, ATiledPictureRepeatsAndAFaceAfterItIsClampedAgain) {
    // Black left half, white right half, over coordinates 0..2: tiled, the
    // pattern comes twice; the same texture bound for a face afterwards
    // shows it once, the rest held at the edge's white.
    const GLuint texture = MakeTexture(16, 16, [](int x, int) { return x < 8 ? 0 : 255; });
    BindTiledTexture(texture);
    const RgbaImage tiled = DrawSquare(128, 2.0f);
    EXPECT_LT(Grey(tiled, 16, 64), 16);
    EXPECT_GT(Grey(tiled, 48, 64), 240);
    EXPECT_LT(Grey(tiled, 80, 64), 16) << "the second copy";
    EXPECT_GT(Grey(tiled, 112, 64), 240);
    BindFaceTexture(texture);
    const RgbaImage face = DrawSquare(128, 2.0f);
    EXPECT_LT(Grey(face, 16, 64), 16);
    EXPECT_GT(Grey(face, 80, 64), 240) << "beyond the edge: the edge's colour";
}

}  // namespace
}  // namespace tessaly::test
