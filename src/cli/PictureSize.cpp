#include "cli/PictureSize.h"

#include <cmath>

namespace tessaly::cli {

bool IsPrintSize(const std::string& text) {
    for (const char* unit : {"in", "mm", "cm"})
        if (text.size() > 2 && text.compare(text.size() - 2, 2, unit) == 0) return true;
    return false;
}

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
    endsWith("in", 1.0) || endsWith("mm", 1.0 / 25.4) || endsWith("cm", 1.0 / 2.54);
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

}  // namespace tessaly::cli
