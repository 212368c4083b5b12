#include "cli/PictureOptions.h"

#include <cmath>

#include "render/PictureRender.h"

namespace tessaly::cli {

void ParsePictureSize(const std::string& option, const std::string& text, int dpi, int maxSide,
                      int& width, int& height) {
    double perUnit = 0.0;  // inches per unit; 0 for pixels
    std::string numbers = text;
    auto endsWith = [&](const char* unit, double inches) {
        const std::string u = unit;
        if (numbers.size() > u.size() &&
            numbers.compare(numbers.size() - u.size(), u.size(), u) == 0) {
            numbers.resize(numbers.size() - u.size());
            perUnit = inches;
            return true;
        }
        return false;
    };
    endsWith("in", 1.0) || endsWith("mm", 1.0 / 25.4) || endsWith("cm", 1.0 / 2.54) ||
        endsWith("px", 0.0);
    if (perUnit == 0.0) {
        ParseSize(option, numbers, maxSide, width, height);
        return;
    }
    if (dpi <= 0)
        throw UsageError(option + ": a size in " + text.substr(numbers.size()) +
                         " needs a resolution (--dpi N)");
    const std::size_t x = numbers.find_first_of("xX");
    if (x == std::string::npos)
        throw UsageError(option + ": expected WIDTHxHEIGHT with a unit, not \"" + text + "\"");
    const double w = ParseNumber(option, numbers.substr(0, x), 0.0, 1e6);
    const double h = ParseNumber(option, numbers.substr(x + 1), 0.0, 1e6);
    const double pw = std::round(w * perUnit * dpi), ph = std::round(h * perUnit * dpi);
    if (pw < 1 || ph < 1 || pw > maxSide || ph > maxSide)
        throw UsageError(option + ": " + text + " at " + std::to_string(dpi) + " dpi is " +
                         std::to_string(static_cast<long long>(pw)) + " x " +
                         std::to_string(static_cast<long long>(ph)) +
                         " pixels; each side must be 1 to " + std::to_string(maxSide));
    width = static_cast<int>(pw);
    height = static_cast<int>(ph);
}

PictureOptions ReadPictureOptions(Arguments& a) {
    PictureOptions o;
    auto out = a.Take("--output", "-o");
    if (!out)
        throw UsageError(
            "render: the output file is missing (-o FILE, or -o - for standard output)");
    o.output = *out;
    if (auto f = a.Take("--format")) {
        if (*f == "bmp")
            o.format.type = PictureFileType::Bmp;
        else if (*f == "jpg" || *f == "jpeg")
            o.format.type = PictureFileType::Jpeg;
        else if (*f == "png")
            o.format.type = PictureFileType::Png;
        else
            throw UsageError("--format: expected bmp, jpg or png, not \"" + *f + "\"");
    } else if (o.ToStandardOutput()) {
        throw UsageError(
            "render: -o - writes to standard output and needs --format bmp, jpg or png");
    } else {
        try {
            o.format.type = PictureTypeFromExtension(o.output);
        } catch (const std::exception&) {
            throw UsageError("render: cannot tell the format from \"" + o.output +
                             "\"; name it .bmp, .jpg or .png, or give --format");
        }
    }
    if (auto v = a.Take("--dpi")) o.format.dpi = ParseInteger("--dpi", *v, 1, kMaxDpi);
    if (auto v = a.Take("--size"))
        ParsePictureSize("--size", *v, o.format.dpi, kMaxRenderSide, o.width, o.height);
    if (auto v = a.Take("--passes")) o.passes = ParseInteger("--passes", *v, 1, 8);
    if (auto v = a.Take("--color-depth")) {
        o.format.bitsPerPixel = ParseInteger("--color-depth", *v, 16, 32);
        if (o.format.bitsPerPixel != 16 && o.format.bitsPerPixel != 24 &&
            o.format.bitsPerPixel != 32)
            throw UsageError("--color-depth: expected 16, 24 or 32");
    }
    if (auto v = a.Take("--quality")) o.format.jpegQuality = ParseInteger("--quality", *v, 1, 100);
    if (auto v = a.Take("--tile-size")) o.tileSize = ParseInteger("--tile-size", *v, 16, 16384);
    o.transparent = a.TakeFlag("--transparent");
    o.format.alpha = o.transparent;
    o.quiet = a.TakeFlag("--quiet");
    if (const std::string problem = RowFormatProblem(o.format); !problem.empty())
        throw UsageError("--transparent: " + problem);
    return o;
}

}  // namespace tessaly::cli
