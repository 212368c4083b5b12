// ImageOps: the picture operations of the built-in editor, free of widgets so
// they can be tested on small pictures: loading through the program's own
// picture readers, crop (with the crop rectangle kept inside the picture and
// optionally locked to a face's proportions), quarter turns, mirroring,
// resizing, brightness/contrast/saturation, and saving over a file without
// ever leaving it half-written.
//
// Every picture is kept as QImage::Format_ARGB32 (straight alpha), so the
// operations see the stored colours unchanged. An operation that runs out of
// memory for its result returns a null image.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace tessaly::editor {

// Proportions width : height, both positive.
struct Aspect {
    int width = 0;
    int height = 0;
    bool Valid() const { return width > 0 && height > 0; }
    double Ratio() const { return static_cast<double>(width) / height; }
};

// "W:H", "WxH" or "W/H" with positive integers (blanks around the parts are
// allowed); nothing for anything else.
std::optional<Aspect> ParseAspect(const QString& text);

// Reads a picture with the program's picture readers (every format the image
// slots accept, with their size limits). On failure returns a null image and
// sets `error` to a message naming the file.
QImage LoadPicture(const QString& path, QString* error);

// `rect` normalised and cut to the picture; an empty rectangle when nothing of
// it lies inside.
QRect ClampToPicture(const QRect& rect, const QSize& picture);

// The rectangle the user means when dragging from `anchor` to `current` (both
// in picture pixels): with `aspect` it keeps those proportions, as large as the
// drag allows along its longer side and never leaving the picture; the corner
// at `anchor` stays put.
QRect DragRectangle(const QPoint& anchor, const QPoint& current, const QSize& picture,
                    std::optional<Aspect> aspect);

// The largest rectangle of the given proportions centred in the picture.
QRect CentredRectangle(const QSize& picture, Aspect aspect);

// The part of `image` inside `rect` (cut to the picture first); the image
// unchanged when the rectangle holds nothing.
QImage Crop(const QImage& image, const QRect& rect);

// A quarter turn, clockwise or anticlockwise.
QImage Rotate90(const QImage& image, bool clockwise);

// Mirrored left to right (`horizontal`) or top to bottom.
QImage Flip(const QImage& image, bool horizontal);

// True when a picture of this size may be made (the readers' limits).
bool SizeAllowed(const QSize& size);

// The other side for a new width or height keeping the picture's proportions
// (rounded, at least 1).
int HeightForWidth(const QSize& original, int width);
int WidthForHeight(const QSize& original, int height);

// Smoothly scaled to `size`; the image unchanged when the size is not allowed.
QImage Resize(const QImage& image, const QSize& size);

// Colour adjustments, each -100..100 with 0 meaning "unchanged".
struct ColorAdjustment {
    int brightness = 0;  // adds up to +-255 to every channel
    int contrast = 0;    // scales the distance from mid-grey by (100 + c) / 100
    int saturation = 0;  // scales the distance from the pixel's grey by (100 + s) / 100
    bool Neutral() const { return brightness == 0 && contrast == 0 && saturation == 0; }
};

// The adjusted picture; alpha is kept. Neutral values return the image as it
// is.
QImage AdjustColors(const QImage& image, const ColorAdjustment& adjustment);

// The format a file name asks for by its extension: "JPEG", "PNG" or "BMP";
// empty for any other extension.
QByteArray SaveFormatFor(const QString& path);

// Writes `image` to `path` in the format its extension names, through a
// temporary file beside it that replaces the file only once complete, so a
// failure leaves the old file as it was. JPEG and BMP hold no transparency:
// transparent pixels are laid over white first. Returns false with `error`
// set on failure.
bool SavePicture(const QImage& image, const QString& path, QString* error);

}  // namespace tessaly::editor
