#include "app/export/ExportChoices.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "core/io/FileIO.h"
#include "core/settings/SettingsFile.h"
#include "render/PictureRender.h"

namespace tessaly {

namespace {

// Keys added to settings.ini by the first export. Each is bracketed, so none
// is found by the look-up of another key, nor finds one.
constexpr std::string_view kPresetKey = "[ExportPreset]";
constexpr std::string_view kSizeKey = "[ExportSize]";
constexpr std::string_view kDpiKey = "[ExportDpi]";
constexpr std::string_view kFormatKey = "[ExportFormat]";
constexpr std::string_view kQualityKey = "[ExportQuality]";
constexpr std::string_view kTransparentKey = "[ExportTransparent]";

constexpr std::array<std::string_view, 6> kPresetNames = {"custom",    "panel", "1920x1080",
                                                          "3000x3000", "a4",    "6x9in"};

double InchesPerUnit(SizeUnit unit) {
    switch (unit) {
        case SizeUnit::Millimetres:
            return 1.0 / 25.4;
        case SizeUnit::Inches:
            return 1.0;
        case SizeUnit::Pixels:
            break;
    }
    return 0.0;
}

// Numbers are read and written without the user's locale: settings.ini reads
// the same whatever language the desktop speaks.
std::optional<double> ParseNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string FormatNumber(double value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

std::optional<int> ParseWhole(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// "1920x1080", "210x297mm" or "6x9in": the unit and both sides.
bool ParseSize(std::string_view text, ExportChoices& choices) {
    SizeUnit unit = SizeUnit::Pixels;
    if (text.size() > 2 && text.substr(text.size() - 2) == "mm") {
        unit = SizeUnit::Millimetres;
        text.remove_suffix(2);
    } else if (text.size() > 2 && text.substr(text.size() - 2) == "in") {
        unit = SizeUnit::Inches;
        text.remove_suffix(2);
    }
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos) return false;
    const auto w = ParseNumber(text.substr(0, x));
    const auto h = ParseNumber(text.substr(x + 1));
    if (!w || !h || *w <= 0 || *h <= 0) return false;
    choices.unit = unit;
    choices.width = unit == SizeUnit::Pixels ? std::round(*w) : *w;
    choices.height = unit == SizeUnit::Pixels ? std::round(*h) : *h;
    return true;
}

}  // namespace

int PixelsOf(double length, SizeUnit unit, int dpi) {
    const double perUnit = InchesPerUnit(unit);
    const double pixels = perUnit == 0.0 ? std::round(length) : std::round(length * perUnit * dpi);
    // Far beyond any side a picture may have, but still a number.
    return static_cast<int>(std::clamp(pixels, -1.0, 1e9));
}

double LengthOf(int pixels, SizeUnit unit, int dpi) {
    const double perUnit = InchesPerUnit(unit);
    if (perUnit == 0.0 || dpi <= 0) return pixels;
    return pixels / (perUnit * dpi);
}

PixelSize ExportPixels(const ExportChoices& c) {
    return {PixelsOf(c.width, c.unit, c.dpi), PixelsOf(c.height, c.unit, c.dpi)};
}

ExportChoices WithPreset(ExportChoices c, ExportPreset preset, int panelWidth, int panelHeight) {
    c.preset = preset;
    auto set = [&c](SizeUnit unit, double w, double h) {
        c.unit = unit;
        c.width = w;
        c.height = h;
    };
    switch (preset) {
        case ExportPreset::Panel:
            set(SizeUnit::Pixels, std::max(1, panelWidth), std::max(1, panelHeight));
            break;
        case ExportPreset::FullHd:
            set(SizeUnit::Pixels, 1920, 1080);
            break;
        case ExportPreset::Square:
            set(SizeUnit::Pixels, 3000, 3000);
            break;
        case ExportPreset::A4:
            set(SizeUnit::Millimetres, 210, 297);
            c.dpi = 300;
            break;
        case ExportPreset::Book6x9:
            set(SizeUnit::Inches, 6, 9);
            c.dpi = 300;
            break;
        case ExportPreset::Custom:
            break;
    }
    return c;
}

ExportChoices WithUnit(ExportChoices c, SizeUnit unit) {
    if (unit == c.unit) return c;
    const PixelSize pixels = ExportPixels(c);
    c.unit = unit;
    // Millimetres to a hundredth, inches to a thousandth: at any usual
    // resolution the pixel size survives the round trip.
    const double step = unit == SizeUnit::Pixels        ? 1.0
                        : unit == SizeUnit::Millimetres ? 100.0
                                                        : 1000.0;
    c.width = std::round(LengthOf(pixels.width, unit, c.dpi) * step) / step;
    c.height = std::round(LengthOf(pixels.height, unit, c.dpi) * step) / step;
    return c;
}

ExportProblem ProblemOf(const ExportChoices& c) {
    if (c.dpi < 1 || c.dpi > kMaxDpi) return ExportProblem::ResolutionOutOfRange;
    const PixelSize size = ExportPixels(c);
    if (size.width < 1 || size.height < 1 || size.width > kMaxRenderSide ||
        size.height > kMaxRenderSide)
        return ExportProblem::SizeOutOfRange;
    return ExportProblem::None;
}

RowFormat ExportRowFormat(const ExportChoices& c) {
    RowFormat format;
    format.type = c.type;
    format.bitsPerPixel = 24;
    format.jpegQuality = std::clamp(c.quality, 1, 100);
    format.alpha = c.transparent && TransparentAllowed(c.type);
    format.dpi = std::clamp(c.dpi, 0, kMaxDpi);
    return format;
}

std::string ExportExtension(PictureFileType type) {
    switch (type) {
        case PictureFileType::Bmp:
            return ".bmp";
        case PictureFileType::Jpeg:
            return ".jpg";
        case PictureFileType::Png:
            break;
    }
    return ".png";
}

ExportChoices LoadExportChoices(const TSettingsFile& settings, int panelWidth, int panelHeight) {
    ExportChoices c = WithPreset(ExportChoices{}, ExportPreset::Panel, panelWidth, panelHeight);
    if (const auto dpi = ParseWhole(settings.ReadValue(kDpiKey), 1, kMaxDpi)) c.dpi = *dpi;
    // The format is kept as its extension without the dot.
    const std::string format = "." + settings.ReadValue(kFormatKey);
    for (PictureFileType type : {PictureFileType::Jpeg, PictureFileType::Bmp})
        if (format == ExportExtension(type)) c.type = type;
    if (const auto q = ParseWhole(settings.ReadValue(kQualityKey), 1, 100)) c.quality = *q;
    c.transparent = settings.ReadValue(kTransparentKey) == kSettingOn;

    const std::string preset = settings.ReadValue(kPresetKey);
    const auto* named = std::find(kPresetNames.begin(), kPresetNames.end(), preset);
    if (named == kPresetNames.end()) return c;
    const auto chosen = static_cast<ExportPreset>(named - kPresetNames.begin());
    if (chosen != ExportPreset::Custom) {
        // A print preset keeps its own resolution; the others keep the
        // remembered one.
        const int dpi = c.dpi;
        c = WithPreset(c, chosen, panelWidth, panelHeight);
        if (chosen != ExportPreset::A4 && chosen != ExportPreset::Book6x9) c.dpi = dpi;
        return c;
    }
    ExportChoices custom = c;
    custom.preset = ExportPreset::Custom;
    if (ParseSize(settings.ReadValue(kSizeKey), custom) && ProblemOf(custom) == ExportProblem::None)
        return custom;
    return c;
}

void SaveExportChoices(TSettingsFile& settings, const ExportChoices& c) {
    const char* unit = c.unit == SizeUnit::Millimetres ? "mm"
                       : c.unit == SizeUnit::Inches    ? "in"
                                                       : "";
    const std::string format = ExportExtension(c.type).substr(1);
    try {
        settings.WriteOrAddValue(kPresetKey, kPresetNames[static_cast<std::size_t>(c.preset)]);
        settings.WriteOrAddValue(kSizeKey,
                                 FormatNumber(c.width) + "x" + FormatNumber(c.height) + unit);
        settings.WriteOrAddValue(kDpiKey, std::to_string(c.dpi));
        settings.WriteOrAddValue(kFormatKey, format);
        settings.WriteOrAddValue(kQualityKey, std::to_string(c.quality));
        settings.WriteOrAddValue(kTransparentKey, c.transparent ? kSettingOn : kSettingOff);
    } catch (const FileError&) {
        // The export itself goes on; the dialog only opens with older
        // choices next time.
    }
}

}  // namespace tessaly
