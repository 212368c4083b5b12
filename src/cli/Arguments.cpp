#include "cli/Arguments.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tessaly::cli {

Arguments::Arguments(int argc, char** argv, int first) {
    for (int i = first; i < argc; ++i) words_.emplace_back(argv[i]);
    used_.assign(words_.size(), false);
}

std::optional<std::string> Arguments::Take(const std::string& name, const std::string& alias) {
    std::optional<std::string> value;
    for (std::size_t i = 0; i < words_.size(); ++i) {
        if (used_[i]) continue;
        const std::string& w = words_[i];
        if (w == name || (!alias.empty() && w == alias)) {
            if (i + 1 >= words_.size()) throw UsageError("option " + name + " needs a value");
            used_[i] = used_[i + 1] = true;
            value = words_[i + 1];
            ++i;
        } else if (w.rfind(name + "=", 0) == 0) {
            used_[i] = true;
            value = w.substr(name.size() + 1);
        }
    }
    return value;
}

bool Arguments::TakeFlag(const std::string& name) {
    bool found = false;
    for (std::size_t i = 0; i < words_.size(); ++i) {
        if (!used_[i] && words_[i] == name) {
            used_[i] = true;
            found = true;
        }
    }
    return found;
}

std::vector<std::string> Arguments::TakePositionals() {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < words_.size(); ++i) {
        if (used_[i]) continue;
        const std::string& w = words_[i];
        if (w.size() > 1 && w[0] == '-') continue;
        used_[i] = true;
        out.push_back(w);
    }
    return out;
}

void Arguments::ExpectNothingLeft() const {
    for (std::size_t i = 0; i < words_.size(); ++i)
        if (!used_[i]) throw UsageError("unknown option or argument: " + words_[i]);
}

double ParseNumber(const std::string& option, const std::string& text, double min, double max) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
        throw UsageError(option + ": \"" + text + "\" is not a number");
    if (v < min || v > max) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "%s: %s is outside %g..%g", option.c_str(), text.c_str(),
                      min, max);
        throw UsageError(buf);
    }
    return v;
}

int ParseInteger(const std::string& option, const std::string& text, int min, int max) {
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size())
        throw UsageError(option + ": \"" + text + "\" is not a whole number");
    if (v < min || v > max)
        throw UsageError(option + ": " + text + " is outside " + std::to_string(min) + ".." +
                         std::to_string(max));
    return v;
}

bool ParseOnOff(const std::string& option, const std::string& text) {
    if (text == "on" || text == "yes" || text == "true" || text == "1") return true;
    if (text == "off" || text == "no" || text == "false" || text == "0") return false;
    throw UsageError(option + ": expected on or off, not \"" + text + "\"");
}

unsigned ParseColor(const std::string& option, const std::string& text) {
    auto bad = [&] {
        return UsageError(option + ": \"" + text + "\" is not a colour (#RRGGBB or r,g,b)");
    };
    if (text.find(',') != std::string::npos) {
        unsigned c[3];
        std::size_t start = 0;
        for (int i = 0; i < 3; ++i) {
            const std::size_t comma = text.find(',', start);
            if ((i < 2) != (comma != std::string::npos)) throw bad();
            const std::string part =
                text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            c[i] = static_cast<unsigned>(ParseInteger(option, part, 0, 255));
            start = comma + 1;
        }
        return c[0] | (c[1] << 8) | (c[2] << 16);
    }
    std::string hex = text[0] == '#' ? text.substr(1) : text;
    unsigned rgb = 0;
    const auto [end, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), rgb, 16);
    if (hex.size() != 6 || ec != std::errc() || end != hex.data() + hex.size()) throw bad();
    const unsigned r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return r | (g << 8) | (b << 16);
}

void ParseSize(const std::string& option, const std::string& text, int maxSide, int& w, int& h) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        throw UsageError(option + ": expected WIDTHxHEIGHT, not \"" + text + "\"");
    w = ParseInteger(option, text.substr(0, x), 1, maxSide);
    h = ParseInteger(option, text.substr(x + 1), 1, maxSide);
}

}  // namespace tessaly::cli
