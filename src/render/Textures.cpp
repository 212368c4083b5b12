#include "render/Textures.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <vector>

#include "core/images/AreaScale.h"
#include "core/images/BmpReader.h"
#include "core/images/JpegCodec.h"
#include "core/images/PictureReader.h"
#include "core/images/TgaReader.h"
#include "core/ui/UserPort.h"
#include "render/DriverTraits.h"

namespace tessaly {

namespace {

// Largest anisotropy asked for: enough to keep a cover face seen almost edge
// on (a spine, a page edge) sharp along its length.
constexpr GLfloat kAnisotropy = 8.0f;
// Without anisotropic filtering: how many levels finer than the standard
// choice a picture is sampled. Two levels keep the lettering on a spine
// seen at a slant as sharp as it was before there were levels at all, while
// a picture shown more than four times smaller (page edges, the far floor)
// is still averaged.
constexpr GLfloat kSlantLodBias = -2.0f;

// Sampling of a face picture: trilinear over a full chain of levels, and
// anisotropic where the driver has it and it is cheap. The levels are made
// at the first bind for a face (MakeLevelsOnce), not at the upload: many
// pictures are loaded and never shown on a face (the floor, model textures),
// and making their levels cost a start-up about a fifth of its time on the
// software rasteriser.
void SetFaceFiltering() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (AnisotropicFilteringWorthIt()) {
        GLfloat largest = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &largest);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT,
                        std::clamp(largest, 1.0f, kAnisotropy));
    } else {
        // Without it the level is chosen by the direction in which the face
        // shrinks most, which blurs a face seen at a slant (a spine, a box's
        // side) along its length until its lettering is lost. Sampling finer
        // keeps it legible; the antialiasing passes, which sample each pixel
        // at eight places, smooth the finer level's grain.
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, kSlantLodBias);
    }
    // Until its levels are made the texture has level 0 only.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
}

// Makes the bound texture's levels the first time it is drawn on a face: a
// largest level of 0 marks a texture whose levels are not made yet. Each
// level is the one above averaged in 2 x 2 blocks, as glGenerateMipmap
// makes them, but on the CPU: the software rasteriser makes them by drawing,
// and building its drawing program for that cost a render command a fifth
// of its time.
void MakeLevelsOnce() {
    GLint maxLevel = 1;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, &maxLevel);
    if (maxLevel != 0) return;
    GLint width = 0, height = 0, internalFormat = GL_RGBA;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internalFormat);
    if (width < 1 || height < 1) return;
    GLint previousPack = 4, previousUnpack = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &previousPack);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousUnpack);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::vector<std::uint8_t> level(static_cast<std::size_t>(width) * height * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, level.data());
    std::vector<std::uint8_t> next;
    int made = 0;
    while (width > 1 || height > 1) {
        const int w = std::max(1, width / 2), h = std::max(1, height / 2);
        next.resize(static_cast<std::size_t>(w) * h * 4);
        ScaleByArea(level.data(), width, height, 4, next.data(), w, h);
        glTexImage2D(GL_TEXTURE_2D, ++made, internalFormat, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     next.data());
        level.swap(next);
        width = w;
        height = h;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, made);
    glPixelStorei(GL_PACK_ALIGNMENT, previousPack);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousUnpack);
}

// The largest side a texture is given: the driver's limit, at most
// kMaxTextureSide (a face never shows more).
int MaxTextureSide() {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    return maxSide <= 0 || maxSide > kMaxTextureSide ? kMaxTextureSide : maxSide;
}

}  // namespace

GLuint TextureFromPixels(int width, int height, PixelFormat format, const std::uint8_t* pixels) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Rows are tightly packed whatever their width.
    GLint previousUnpack = 4, previousPack = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousUnpack);
    glGetIntegerv(GL_PACK_ALIGNMENT, &previousPack);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const GLenum layout = format == PixelFormat::RGBA ? GL_RGBA : GL_RGB;

    // The picture is brought to power-of-two sides by area averaging (a box
    // filter), and to at most kMaxTextureSide: a face never shows more. The
    // smaller levels wait for the texture's first bind for a face
    // (MakeLevelsOnce).
    const TextureSize size = TextureSizeFor(width, height, MaxTextureSide());
    const int texWidth = size.width;
    const int texHeight = size.height;
    std::vector<std::uint8_t> scaled;
    if (texWidth != width || texHeight != height) {
        const int components = format == PixelFormat::RGBA ? 4 : 3;
        scaled.resize(static_cast<std::size_t>(texWidth) * texHeight * components);
        ScaleByArea(pixels, width, height, components, scaled.data(), texWidth, texHeight);
        width = texWidth;
        height = texHeight;
        pixels = scaled.data();
    }

    glTexImage2D(GL_TEXTURE_2D, 0, format == PixelFormat::RGBA ? GL_RGBA : GL_RGB, width, height, 0,
                 layout, GL_UNSIGNED_BYTE, pixels);
    SetFaceFiltering();
    // A face's picture ends at its edges: sampled at the edge it must not
    // take in the opposite edge's colours (a seam of foreign pixels along
    // every edge of a face). Pictures that tile, such as the floor's, are
    // drawn through BindTiledTexture.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousUnpack);
    glPixelStorei(GL_PACK_ALIGNMENT, previousPack);
    return name;
}

GLuint TextureFromPixels(const TexturePixels& p) {
    return TextureFromPixels(p.width, p.height, p.format, p.data.data());
}

namespace {

// Texture sides are handed on as 16-bit values; wider pictures cannot be
// made into a texture.
bool FitsTexture(const TexturePixels& p) {
    return p.width > 0 && p.height > 0 && p.width <= std::numeric_limits<std::uint16_t>::max() &&
           p.height <= std::numeric_limits<std::uint16_t>::max();
}

bool TextureFromResult(const TextureReadResult& result, GLuint& handle, UserPort& port) {
    if (!result.ok) {
        if (!result.message.empty())
            port.ShowMessage(MessageKind::Error, result.message, result.caption,
                             MessageButtons::Ok);
        return false;
    }
    if (!FitsTexture(result.pixels)) return false;
    handle = TextureFromPixels(result.pixels);
    return true;
}

TextureReadResult ReadTextureFile(const std::string& path) {
    if (path.size() < 4) return {};
    std::string ending = path.substr(path.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (ending == ".BMP") return ReadBmpPixels(path);
    if (ending == ".JPG") return ReadJpegPixels(path);
    if (ending == ".TGA") return ReadTgaPixels(path);
    return {};
}

}  // namespace

bool ReadBmpTexture(const std::string& path, GLuint& handle, UserPort& port) {
    return TextureFromResult(ReadBmpPixels(path), handle, port);
}

bool ReadJpegTexture(const std::string& path, GLuint& handle, UserPort& port) {
    return TextureFromResult(ReadJpegPixels(path), handle, port);
}

bool ReadTgaTexture(const std::string& path, GLuint& handle, UserPort& port) {
    return TextureFromResult(ReadTgaPixels(path), handle, port);
}

bool TextureFromFile(const std::string& path, GLuint& handle, UserPort& port) {
    return TextureFromResult(ReadTextureFile(path), handle, port);
}

void TextureFromPicture(const RgbaImage& picture, GLuint& handle) {
    TexturePixels pixels = PictureToTexturePixels(picture);
    if (!FitsTexture(pixels)) return;
    handle = TextureFromPixels(pixels);
}

std::optional<std::string> ReplaceTextureFromPicture(const std::string& path, GLuint& handle) {
    RgbaImage picture;
    try {
        picture = ReadPicture(path, kMaxTextureSide);
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
    ReleaseTexture(handle);
    TextureFromPicture(picture, handle);
    return std::nullopt;
}

namespace {

void BindSampled(GLuint texture, GLint wrap, GLint minFilter) {
    glBindTexture(GL_TEXTURE_2D, texture);
    if (texture == 0) return;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
}

}  // namespace

void BindTiledTexture(GLuint texture) {
    BindSampled(texture, GL_REPEAT, GL_LINEAR);
}

void BindFaceTexture(GLuint texture) {
    BindSampled(texture, GL_CLAMP_TO_EDGE, GL_LINEAR_MIPMAP_LINEAR);
    if (texture != 0) MakeLevelsOnce();
}

void ReleaseTexture(GLuint& handle) {
    if (handle) glDeleteTextures(1, &handle);
    handle = 0;
}

}  // namespace tessaly
