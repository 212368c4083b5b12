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

namespace tessaly {

namespace {

// The largest side a texture is given: the driver's limit, at most
// kMaxTextureSide (a face never shows more).
int MaxTextureSide() {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    return maxSide <= 0 || maxSide > kMaxTextureSide ? kMaxTextureSide : maxSide;
}

}  // namespace

void FitToTextureSize(TexturePixels& p) {
    const TextureSize size = TextureSizeFor(p.width, p.height, MaxTextureSide());
    if (p.data.empty() || (size.width == p.width && size.height == p.height)) return;
    std::vector<std::uint8_t> scaled(static_cast<std::size_t>(size.width) * size.height *
                                     p.BytesPerPixel());
    ScaleByArea(p.data.data(), p.width, p.height, p.BytesPerPixel(), scaled.data(), size.width,
                size.height);
    p.data = std::move(scaled);
    p.width = size.width;
    p.height = size.height;
}

GLuint TextureFromPixels(int width, int height, PixelFormat format, const std::uint8_t* pixels) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // Rows are tightly packed whatever their width.
    GLint previousUnpack = 4, previousPack = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousUnpack);
    glGetIntegerv(GL_PACK_ALIGNMENT, &previousPack);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const GLenum layout = format == PixelFormat::RGBA ? GL_RGBA : GL_RGB;

    // The picture is brought to power-of-two sides, the size the GL utility
    // library's mipmap builder would choose, by area averaging (its own box
    // filter). Both filters sample level 0 only, so only level 0 is made:
    // the finer levels would never be read, and building them on the CPU
    // cost most of the time of opening a project with large photographs.
    // Sides are kept within kMaxTextureSide as well: a face never shows more.
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

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, format == PixelFormat::RGBA ? GL_RGBA : GL_RGB, width, height, 0,
                 layout, GL_UNSIGNED_BYTE, pixels);
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

}  // namespace

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

bool ReadBmpTexture(const std::string& path, GLuint& handle, UserPort& port) {
    return TextureFromResult(ReadBmpPixels(path), handle, port);
}

bool ReadJpegTexture(const std::string& path, GLuint& handle, UserPort& port) {
    return TextureFromResult(ReadJpegPixels(path), handle, port);
}

bool ReadTgaTexture(const std::string& path, GLuint& handle, UserPort& port) {
    return TextureFromResult(ReadTgaPixels(path), handle, port);
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

void ReleaseTexture(GLuint& handle) {
    if (handle) glDeleteTextures(1, &handle);
    handle = 0;
}

}  // namespace tessaly
