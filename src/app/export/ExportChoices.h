// ExportChoices: what File > Export Picture... is asked for: a size in
// pixels, or in millimetres or inches at a resolution, one of the presets, a
// file format with its JPEG quality, and a transparent background (PNG
// only). The choices are remembered in settings.ini under keys of their own
// and read back with every doubtful value replaced by its default.
#pragma once

#include <string>

#include "core/images/PictureDepth.h"
#include "core/images/RowWriter.h"

namespace tessaly {

class TSettingsFile;

enum class SizeUnit { Pixels, Millimetres, Inches };

enum class ExportPreset { Custom, Panel, FullHd, Square, A4, Book6x9 };

struct ExportChoices {
    ExportPreset preset = ExportPreset::Panel;
    SizeUnit unit = SizeUnit::Pixels;
    // The sides in `unit`; whole numbers for pixels.
    double width = 0.0;
    double height = 0.0;
    int dpi = 300;
    PictureFileType type = PictureFileType::Png;
    int quality = kCaptureJpegQuality;
    bool transparent = false;
};

inline constexpr int kExportDefaultDpi = 300;

// A length in `unit` in whole pixels at `dpi` (rounded to the nearest pixel);
// pixels stay as they are.
int PixelsOf(double length, SizeUnit unit, int dpi);
// The length of `pixels` in `unit` at `dpi`.
double LengthOf(int pixels, SizeUnit unit, int dpi);

struct PixelSize {
    int width = 0;
    int height = 0;
};
PixelSize ExportPixels(const ExportChoices& choices);

// The choices with `preset` applied: its unit, size and (for the print
// presets) resolution. The panel preset takes the panel's size in pixels.
ExportChoices WithPreset(ExportChoices choices, ExportPreset preset, int panelWidth,
                         int panelHeight);

// The same sides in another unit (the pixel size stays, up to rounding).
ExportChoices WithUnit(ExportChoices choices, SizeUnit unit);

// Only a PNG holds the transparent background; only a JPEG has a quality.
inline bool TransparentAllowed(PictureFileType type) { return type == PictureFileType::Png; }
inline bool QualityApplies(PictureFileType type) { return type == PictureFileType::Jpeg; }

enum class ExportProblem { None, SizeOutOfRange, ResolutionOutOfRange };
ExportProblem ProblemOf(const ExportChoices& choices);

// How the picture is stored: 24-bit colour, the alpha channel when a PNG is
// to be transparent, the resolution and the JPEG quality.
RowFormat ExportRowFormat(const ExportChoices& choices);

// The file extension of a format, with its dot.
std::string ExportExtension(PictureFileType type);

// The remembered choices; `panelWidth` x `panelHeight` where nothing (or
// nothing usable) is remembered, and for the panel preset.
ExportChoices LoadExportChoices(const TSettingsFile& settings, int panelWidth, int panelHeight);
// Remembers the choices; a settings file that cannot be written leaves the
// remembered choices as they were.
void SaveExportChoices(TSettingsFile& settings, const ExportChoices& choices);

}  // namespace tessaly
