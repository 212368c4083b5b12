#include "render/Textures.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "core/images/BmpReader.h"
#include "core/images/JpegCodec.h"
#include "core/images/PictureReader.h"
#include "core/images/TgaReader.h"
#include "core/ui/UserPort.h"

namespace tessaly {

GLuint TextureFromPixels(int width, int height, PixelFormat format, const std::uint8_t* pixels) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // Rows are tightly packed whatever their width.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (format == PixelFormat::RGBA)
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    else
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
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

bool Finish(TextureReadResult result, GLuint& handle, UserPort& port) {
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

}  // namespace

bool ReadBmpTexture(const std::string& path, GLuint& handle, UserPort& port) {
    return Finish(ReadBmpPixels(path), handle, port);
}

bool ReadJpegTexture(const std::string& path, GLuint& handle, UserPort& port) {
    return Finish(ReadJpegPixels(path), handle, port);
}

bool ReadTgaTexture(const std::string& path, GLuint& handle, UserPort& port) {
    return Finish(ReadTgaPixels(path), handle, port);
}

bool TextureFromFile(const std::string& path, GLuint& handle, UserPort& port) {
    if (path.size() < 4) return false;
    std::string ending = path.substr(path.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (ending == ".BMP") return ReadBmpTexture(path, handle, port);
    if (ending == ".JPG") return ReadJpegTexture(path, handle, port);
    if (ending == ".TGA") return ReadTgaTexture(path, handle, port);
    return false;
}

void TextureFromPicture(const RgbaImage& picture, GLuint& handle) {
    TexturePixels pixels = PictureToTexturePixels(picture);
    if (!FitsTexture(pixels)) return;
    handle = TextureFromPixels(pixels);
}

void ReleaseTexture(GLuint& handle) {
    if (handle) glDeleteTextures(1, &handle);
    handle = 0;
}

}  // namespace tessaly
