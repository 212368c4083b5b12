// The options of a job, as one table: each entry names an option (the long
// option of `render` without its dashes, which is also the key of a manifest
// line), how its value is read, its range and the member of JobRecord it
// fills. The command line and the manifest readers both go through it, so a
// new option is one line here and one member in JobRecord.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "cli/Arguments.h"
#include "cli/job/JobRecord.h"
#include "core/images/RowWriter.h"

namespace tessaly::cli {

enum class OptionKind {
    Number,   // a decimal number in [min, max]
    Integer,  // a whole number in [min, max]
    Color,    // #RRGGBB or r,g,b
    OnOff,    // on/off, yes/no, true/false, 1/0
    Flag,     // on the command line a bare flag; in a manifest an on/off value
    Path,     // a file; relative to the manifest's folder in a manifest
    Text,     // a word checked by CheckJob (format, cover type)
    Size,     // WIDTHxHEIGHT, each side 1..max
    Light,    // X,Y,Z with X in -10..10, Y and Z in 0..20
};

// A member of JobRecord an option fills; a function for the image slots,
// which live in arrays.
using OptionMember =
    std::variant<std::optional<double> JobRecord::*, std::optional<int> JobRecord::*,
                 int JobRecord::*, std::optional<unsigned> JobRecord::*,
                 std::optional<bool> JobRecord::*, bool JobRecord::*, std::string JobRecord::*,
                 std::string& (*)(JobRecord&), std::array<int, 2> JobRecord::*,
                 std::optional<std::array<double, 3>> JobRecord::*>;

struct JobOption {
    std::string_view name;   // "camera-lift"
    std::string_view alias;  // another long name ("front" for "image1"), or empty
    char shortName;          // 'o' for "-o", or 0
    OptionKind kind;
    double min;
    double max;
    OptionMember member;
};

std::span<const JobOption> JobOptions();
// The option a manifest key or long name (without dashes) names, or nullptr.
const JobOption* FindJobOption(std::string_view name);

// Reads `text` as the option's value into `job`. `label` names the option in
// errors ("--size" on the command line, "size" in a manifest); a relative
// path is joined to `baseFolder` when that is not empty. Throws UsageError.
void SetJobOption(JobRecord& job, const JobOption& option, const std::string& text,
                  const std::string& label, const std::string& baseFolder = {});

// Takes every job option from a command line (the caller checks that nothing
// else is left). When an option and its alias are both given the option wins.
JobRecord JobFromArguments(Arguments& args);

// Fills a job from the key/value pairs of one manifest line. An empty value
// counts as not given; an unknown or repeated key is an error.
JobRecord JobFromFields(const std::vector<std::pair<std::string, std::string>>& fields,
                        const std::string& baseFolder);

// Completes and checks a job before anything is drawn: the output is named,
// its format known (from `format` or the extension), the colour depth and
// cover type valid, the project and template are of their kind. `label`
// prefixes option names in messages ("--" on the command line). Throws
// UsageError. Picture files that do not exist are a std::runtime_error.
void CheckJob(JobRecord& job, const std::string& label);

// How a checked job's picture is stored.
RowFormat PictureFormatOf(const JobRecord& job);

}  // namespace tessaly::cli
