#include "editor/ImageOps.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "core/images/PictureLimits.h"
#include "core/images/PictureReader.h"

namespace tessaly::editor {

namespace {

int ClampByte(double value) {
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

QImage Normalised(const QImage& image) {
    return image.format() == QImage::Format_ARGB32 ? image
                                                   : image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

std::optional<Aspect> ParseAspect(const QString& text) {
    static const QRegularExpression pattern(R"(^\s*(\d{1,6})\s*[:xX/]\s*(\d{1,6})\s*$)");
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    Aspect aspect{match.captured(1).toInt(), match.captured(2).toInt()};
    if (!aspect.Valid()) return std::nullopt;
    return aspect;
}

QImage LoadPicture(const QString& path, QString* error) {
    RgbaImage picture;
    try {
        picture = ReadPicture(path.toStdString());
    } catch (const std::exception& e) {
        if (error) *error = QString::fromStdString(e.what());
        return {};
    }
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    if (image.isNull()) {
        if (error) *error = QStringLiteral("Not enough memory for %1.").arg(path);
        return {};
    }
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = picture.Pixel(x, y);
            line[x] = qRgba(p[0], p[1], p[2], p[3]);
        }
    }
    return image;
}

QRect ClampToPicture(const QRect& rect, const QSize& picture) {
    const QRect cut = rect.normalized().intersected(QRect(QPoint(0, 0), picture));
    return cut.isEmpty() ? QRect() : cut;
}

QRect DragRectangle(const QPoint& anchor, const QPoint& current, const QSize& picture,
                    std::optional<Aspect> aspect) {
    const int ax = std::clamp(anchor.x(), 0, picture.width());
    const int ay = std::clamp(anchor.y(), 0, picture.height());
    const int cx = std::clamp(current.x(), 0, picture.width());
    const int cy = std::clamp(current.y(), 0, picture.height());
    const int sx = cx >= ax ? 1 : -1, sy = cy >= ay ? 1 : -1;
    double w = std::abs(cx - ax), h = std::abs(cy - ay);
    if (aspect && aspect->Valid()) {
        const double ratio = aspect->Ratio();
        // Room from the anchor to the picture's edge in the drag's direction.
        const double roomW = sx > 0 ? picture.width() - ax : ax;
        const double roomH = sy > 0 ? picture.height() - ay : ay;
        if (w >= h * ratio)
            h = w / ratio;
        else
            w = h * ratio;
        if (w > roomW) {
            w = roomW;
            h = w / ratio;
        }
        if (h > roomH) {
            h = roomH;
            w = h * ratio;
        }
    }
    const int iw = static_cast<int>(std::lround(w)), ih = static_cast<int>(std::lround(h));
    if (iw <= 0 || ih <= 0) return {};
    const QRect rect(sx > 0 ? ax : ax - iw, sy > 0 ? ay : ay - ih, iw, ih);
    return ClampToPicture(rect, picture);
}

QRect CentredRectangle(const QSize& picture, Aspect aspect) {
    if (!aspect.Valid() || picture.isEmpty()) return {};
    double w = picture.width(), h = w / aspect.Ratio();
    if (h > picture.height()) {
        h = picture.height();
        w = h * aspect.Ratio();
    }
    const int iw = std::max(1, static_cast<int>(std::lround(w)));
    const int ih = std::max(1, static_cast<int>(std::lround(h)));
    return QRect((picture.width() - iw) / 2, (picture.height() - ih) / 2, iw, ih);
}

QImage Crop(const QImage& image, const QRect& rect) {
    const QRect cut = ClampToPicture(rect, image.size());
    if (cut.isEmpty()) return image;
    return Normalised(image.copy(cut));
}

QImage Rotate90(const QImage& image, bool clockwise) {
    const QImage source = Normalised(image);
    const int w = source.width(), h = source.height();
    QImage turned(h, w, QImage::Format_ARGB32);
    if (turned.isNull()) return {};
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            // Clockwise: the left column becomes the top row, read bottom-up.
            const int tx = clockwise ? h - 1 - y : y;
            const int ty = clockwise ? x : w - 1 - x;
            reinterpret_cast<QRgb*>(turned.scanLine(ty))[tx] = line[x];
        }
    }
    return turned;
}

QImage Flip(const QImage& image, bool horizontal) {
    return Normalised(image).mirrored(horizontal, !horizontal);
}

bool SizeAllowed(const QSize& size) {
    return PictureSizeAllowed(size.width(), size.height());
}

int HeightForWidth(const QSize& original, int width) {
    if (original.isEmpty()) return 1;
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(width) * original.height() /
                                                    original.width())));
}

int WidthForHeight(const QSize& original, int height) {
    if (original.isEmpty()) return 1;
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(height) * original.width() /
                                                    original.height())));
}

QImage Resize(const QImage& image, const QSize& size) {
    if (!SizeAllowed(size) || image.isNull()) return image;
    if (size == image.size()) return image;
    const QImage scaled =
        Normalised(image).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled.isNull() ? QImage() : Normalised(scaled);
}

QImage AdjustColors(const QImage& image, const ColorAdjustment& adjustment) {
    if (adjustment.Neutral() || image.isNull()) return image;
    const double contrast = (100.0 + std::clamp(adjustment.contrast, -100, 100)) / 100.0;
    const double saturation = (100.0 + std::clamp(adjustment.saturation, -100, 100)) / 100.0;
    const double brightness = std::clamp(adjustment.brightness, -100, 100) * 2.55;
    // Contrast and brightness act on each channel alone: one table.
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[v] =
            static_cast<std::uint8_t>(ClampByte((v - 127.5) * contrast + 127.5 + brightness));
    QImage result = Normalised(image).copy();
    if (result.isNull()) return {};
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
            if (adjustment.saturation != 0) {
                const double grey = 0.299 * r + 0.587 * g + 0.114 * b;
                r = ClampByte(grey + (r - grey) * saturation);
                g = ClampByte(grey + (g - grey) * saturation);
                b = ClampByte(grey + (b - grey) * saturation);
            }
            line[x] = qRgba(table[r], table[g], table[b], qAlpha(line[x]));
        }
    }
    return result;
}

QByteArray SaveFormatFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "jpg" || suffix == "jpeg" || suffix == "jpe" || suffix == "jfif") return "JPEG";
    if (suffix == "png") return "PNG";
    if (suffix == "bmp" || suffix == "dib") return "BMP";
    return {};
}

bool SavePicture(const QImage& image, const QString& path, QString* error) {
    const auto fail = [error](const QString& text) {
        if (error) *error = text;
        return false;
    };
    const QByteArray format = SaveFormatFor(path);
    if (format.isEmpty())
        return fail(QStringLiteral("\"%1\" cannot be written: only JPEG, PNG and BMP files can be "
                                   "saved. Use Save As with one of those extensions.")
                        .arg(QFileInfo(path).fileName()));
    if (image.isNull()) return fail(QStringLiteral("There is no picture to save."));

    QImage output = Normalised(image);
    if (format != "PNG") {
        // These formats have no alpha: lay the picture over white so that
        // transparent parts do not come out in arbitrary colours.
        QImage flat(output.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, output);
        painter.end();
        output = flat;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    QImageWriter writer(&file, format);
    if (format == "JPEG") writer.setQuality(92);
    if (!writer.write(output)) {
        file.cancelWriting();
        return fail(QStringLiteral("Cannot write \"%1\": %2").arg(path, writer.errorString()));
    }
    if (!file.commit())
        return fail(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    return true;
}

}  // namespace tessaly::editor
