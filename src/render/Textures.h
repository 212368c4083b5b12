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
// sides by area averaging, clamped at its edges. Drawn on a face it gets a
// chain of smaller levels, made once at its first such bind, and is sampled
// trilinearly (and anisotropically where the driver does that cheaply).
GLuint TextureFromPixels(int width, int height, PixelFormat format, const std::uint8_t* pixels);
GLuint TextureFromPixels(const TexturePixels& pixels);

// Chooses the reader by the path's last four characters (".BMP", ".JPG",
// ".TGA", any letter case). Any other ending makes no texture and shows
// nothing. On success stores the new texture name in `handle`.
bool TextureFromFile(const std::string& path, GLuint& handle, UserPort& port);
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

// Binds `texture` on the active unit's 2D target for a picture that repeats
// across its surface (the floor) or one that ends at the surface's edges (a
// face). The wrap and the filter are set at each bind, as one texture can
// serve both: a batch of renders keeps one texture per picture file, and a
// job may put the same file on a face and on the floor. A face samples the
// smaller levels; the floor samples its full-size picture only, as it always
// has: it covers most of the picture, and on a software rasteriser sampling
// two levels there made a frame about a quarter slower.
void BindTiledTexture(GLuint texture);
void BindFaceTexture(GLuint texture);

// Deletes a texture name and sets it to 0 (no-op for 0).
void ReleaseTexture(GLuint& handle);

}  // namespace tessaly
