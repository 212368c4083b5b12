// Texture loading: every picture shown on the cover or the floor becomes an
// OpenGL texture here. Two roads: the file road (placeholders, floor, model
// textures) reads .bmp, .jpg and .tga files with the program's own readers;
// the picture road turns any decoded picture into a texture. Both end in
// TextureFromPixels. Failures are shown through the user port and leave the
// caller's handle unchanged.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/images/RgbaImage.h"
#include "core/images/TexturePixels.h"
#include "render/GL.h"

namespace tessaly {

class UserPort;

// A new texture object from bottom-row-first pixels: brought to power-of-two
// sides by area averaging, linear filters, level 0 only.
GLuint TextureFromPixels(int width, int height, PixelFormat format, const std::uint8_t* pixels);
GLuint TextureFromPixels(const TexturePixels& pixels);
// Brings pixels to the sides TextureFromPixels would give them, once, for
// pixels that make several textures.
void FitToTextureSize(TexturePixels& pixels);

// Chooses the reader by the path's last four characters (".BMP", ".JPG",
// ".TGA", any letter case). Any other ending makes no texture and shows
// nothing. On success stores the new texture name in `handle`.
bool TextureFromFile(const std::string& path, GLuint& handle, UserPort& port);
// The two halves of TextureFromFile, for a file that fills several slots:
// read once (an unknown ending gives a failed result with no message), then
// make as many textures from the pixels as needed.
TextureReadResult ReadTextureFile(const std::string& path);
bool TextureFromResult(const TextureReadResult& result, GLuint& handle, UserPort& port);
bool ReadBmpTexture(const std::string& path, GLuint& handle, UserPort& port);
bool ReadJpegTexture(const std::string& path, GLuint& handle, UserPort& port);
bool ReadTgaTexture(const std::string& path, GLuint& handle, UserPort& port);

// The picture road: a decoded picture (any format the picture readers know)
// made into an RGBA texture with alpha 255.
void TextureFromPicture(const RgbaImage& picture, GLuint& handle);

// Reads the picture at `path` (decoded straight to at most the texture's
// size where the format allows) and replaces `handle` by a texture made from
// it. When the picture cannot be read, `handle` is left as it was and the
// reader's message is returned; nothing is shown.
std::optional<std::string> ReplaceTextureFromPicture(const std::string& path, GLuint& handle);

// Deletes a texture name and sets it to 0 (no-op for 0).
void ReleaseTexture(GLuint& handle);

}  // namespace tessaly
