// Arguments: a small reader of command-line options ("--name value",
// "--name=value", flags), with typed conversions that name the option in
// their errors. A UsageError means the command line itself is wrong (exit 2).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessaly::cli {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Arguments {
public:
    Arguments(int argc, char** argv, int first);

    // Takes "--name value" or "--name=value" (or a short alias); nullopt when
    // absent. The last occurrence wins.
    std::optional<std::string> Take(const std::string& name, const std::string& alias = {});
    bool TakeFlag(const std::string& name);
    // Remaining words that are not options, in order.
    std::vector<std::string> TakePositionals();
    // Throws UsageError for anything not taken.
    void ExpectNothingLeft() const;

private:
    std::vector<std::string> words_;
    std::vector<bool> used_;
};

double ParseNumber(const std::string& option, const std::string& text, double min, double max);
int ParseInteger(const std::string& option, const std::string& text, int min, int max);
bool ParseOnOff(const std::string& option, const std::string& text);
// "#RRGGBB", "RRGGBB" or "r,g,b" with 0..255 components; returns 0xBBGGRR.
unsigned ParseColor(const std::string& option, const std::string& text);
// "WxH" with each side 1..maxSide.
void ParseSize(const std::string& option, const std::string& text, int maxSide, int& w, int& h);

}  // namespace tessaly::cli
