#include "cli/job/JobOptions.h"

#include <filesystem>
#include <stdexcept>

#include "cli/PictureSize.h"
#include "cli/ProjectSession.h"
#include "core/model/CoverTypes.h"
#include "render/Look.h"
#include "render/PictureRender.h"

namespace tessaly::cli {

namespace {

template <int Slot>
std::string& FaceImage(JobRecord& job) {
    return job.images[Slot];
}

template <int Book, int Image>
std::string& BookImage(JobRecord& job) {
    return job.bookImages[Book][Image];
}

using K = OptionKind;
using J = JobRecord;

// clang-format off
const JobOption kOptions[] = {
    // Output.
    {"output",          "", 'o', K::Path,    0, 0,     &J::output},
    {"format",          "", 0,   K::Text,    0, 0,     &J::format},
    {"size",            "", 0,   K::Size,    1, kMaxRenderSide, &J::size},
    {"dpi",             "", 0,   K::Integer, 1, kMaxDpi, &J::dpi},
    {"quality",         "", 0,   K::Integer, 1, 100,   &J::quality},
    {"transparent",     "", 0,   K::Flag,    0, 0,     &J::transparent},
    {"salvage",         "", 0,   K::Flag,    0, 0,     &J::salvage},
    {"tile-size",       "", 0,   K::Integer, 16, 16384, &J::tileSize},
    {"passes",          "", 0,   K::Integer, 1, 8,     &J::passes},
    {"color-depth",     "", 0,   K::Integer, 16, 32,   &J::colorDepth},
    {"log",             "", 0,   K::Path,    0, 0,     &J::log},
    {"model",           "", 0,   K::Path,    0, 0,     &J::model},
    // What is drawn.
    {"project",         "", 0,   K::Path,    0, 0,     &J::project},
    {"template",        "", 0,   K::Path,    0, 0,     &J::templateFile},
    {"type",            "", 0,   K::Text,    0, 0,     &J::type},
    {"image1",      "front", 0,  K::Path,    0, 0,     &FaceImage<0>},
    {"image2",      "side",  0,  K::Path,    0, 0,     &FaceImage<1>},
    {"image3",      "top",   0,  K::Path,    0, 0,     &FaceImage<2>},
    {"book1-front",     "", 0,   K::Path,    0, 0,     &BookImage<0, 0>},
    {"book1-back",      "", 0,   K::Path,    0, 0,     &BookImage<0, 1>},
    {"book1-side",      "", 0,   K::Path,    0, 0,     &BookImage<0, 2>},
    {"book2-front",     "", 0,   K::Path,    0, 0,     &BookImage<1, 0>},
    {"book2-back",      "", 0,   K::Path,    0, 0,     &BookImage<1, 1>},
    {"book2-side",      "", 0,   K::Path,    0, 0,     &BookImage<1, 2>},
    {"book3-front",     "", 0,   K::Path,    0, 0,     &BookImage<2, 0>},
    {"book3-back",      "", 0,   K::Path,    0, 0,     &BookImage<2, 1>},
    {"book3-side",      "", 0,   K::Path,    0, 0,     &BookImage<2, 2>},
    {"book4-front",     "", 0,   K::Path,    0, 0,     &BookImage<3, 0>},
    {"book4-back",      "", 0,   K::Path,    0, 0,     &BookImage<3, 1>},
    {"book4-side",      "", 0,   K::Path,    0, 0,     &BookImage<3, 2>},
    // Cover options.
    {"width",           "", 0,   K::Number,  0.1, 2,   &J::width},
    {"height",          "", 0,   K::Number,  0.1, 2,   &J::height},
    {"depth",           "", 0,   K::Number,  0.1, 2,   &J::depth},
    {"case-angle",      "", 0,   K::Integer, 0, 180,   &J::caseAngle},
    {"spine-color",     "", 0,   K::Color,   0, 0,     &J::spineColor},
    {"spiral-color",    "", 0,   K::Color,   0, 0,     &J::spiralColor},
    // Camera.
    {"distance",        "", 0,   K::Number,  3.5, 25,  &J::distance},
    {"camera-rotate",   "", 0,   K::Number,  0, 360,   &J::cameraRotate},
    {"camera-lift",     "", 0,   K::Number,  0, 90,    &J::cameraLift},
    {"elevation",       "", 0,   K::Number,  -0.75, 0.75, &J::elevation},
    {"strafe",          "", 0,   K::Number,  -1, 1,    &J::strafe},
    {"front-back",      "", 0,   K::Number,  -1, 1,    &J::frontBack},
    {"fov",             "", 0,   K::Integer, 20, 110,  &J::fov},
    // Cover position.
    {"cover-rotate",    "", 0,   K::Number,  0, 360,   &J::coverRotate},
    {"roll-x",          "", 0,   K::Number,  0, 360,   &J::rollX},
    {"roll-z",          "", 0,   K::Number,  0, 360,   &J::rollZ},
    {"cover-lift",      "", 0,   K::Number,  0, 2,     &J::coverLift},
    // Light, floor and background.
    {"light",           "", 0,   K::Light,   0, 0,     &J::light},
    {"light-color",     "", 0,   K::Color,   0, 0,     &J::lightColor},
    {"ambient",         "", 0,   K::Number,  0, 1,     &J::ambient},
    {"reflection",      "", 0,   K::Number,  0, 1,     &J::reflection},
    {"shadow",          "", 0,   K::OnOff,   0, 0,     &J::shadow},
    {"shadow-darkness", "", 0,   K::Number,  0, 0.5,   &J::shadowDarkness},
    {"background",      "", 0,   K::Color,   0, 0,     &J::background},
    {"floor-color",     "", 0,   K::Color,   0, 0,     &J::floorColor},
    {"floor-texture",   "", 0,   K::OnOff,   0, 0,     &J::floorTexture},
    {"axes",            "", 0,   K::Flag,    0, 0,     &J::axes},
    {"light-marker",    "", 0,   K::Flag,    0, 0,     &J::lightMarker},
    // Look.
    {"look",            "", 0,   K::Text,    0, 0,     &J::look},
    {"reflection-fade", "", 0,   K::Number,  kMinReflectionFade, kMaxReflectionFade, &J::reflectionFade},
};
// clang-format on

std::array<double, 3> ParseLight(const std::string& label, const std::string& t) {
    const auto c1 = t.find(',');
    const auto c2 = c1 == std::string::npos ? c1 : t.find(',', c1 + 1);
    if (c2 == std::string::npos) throw UsageError(label + ": expected X,Y,Z, not \"" + t + "\"");
    return {ParseNumber(label, t.substr(0, c1), -10, 10),
            ParseNumber(label, t.substr(c1 + 1, c2 - c1 - 1), 0, 20),
            ParseNumber(label, t.substr(c2 + 1), 0, 20)};
}

std::string ResolvePath(const std::string& text, const std::string& baseFolder) {
    if (baseFolder.empty() || text.empty()) return text;
    const std::filesystem::path p(text);
    if (p.is_absolute()) return text;
    return (std::filesystem::path(baseFolder) / p).lexically_normal().string();
}

}  // namespace

std::span<const JobOption> JobOptions() {
    return kOptions;
}

const JobOption* FindJobOption(std::string_view name) {
    for (const JobOption& o : kOptions)
        if (o.name == name || (!o.alias.empty() && o.alias == name)) return &o;
    return nullptr;
}

void SetJobOption(JobRecord& job, const JobOption& option, const std::string& text,
                  const std::string& label, const std::string& baseFolder) {
    const int min = static_cast<int>(option.min), max = static_cast<int>(option.max);
    std::visit(
        [&](auto member) {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, std::optional<double> J::*>) {
                job.*member = ParseNumber(label, text, option.min, option.max);
            } else if constexpr (std::is_same_v<M, std::optional<int> J::*> ||
                                 std::is_same_v<M, int J::*>) {
                job.*member = ParseInteger(label, text, min, max);
            } else if constexpr (std::is_same_v<M, std::optional<unsigned> J::*>) {
                job.*member = ParseColor(label, text);
            } else if constexpr (std::is_same_v<M, std::optional<bool> J::*> ||
                                 std::is_same_v<M, bool J::*>) {
                job.*member = ParseOnOff(label, text);
            } else if constexpr (std::is_same_v<M, std::string J::*>) {
                job.*member = option.kind == K::Path ? ResolvePath(text, baseFolder) : text;
            } else if constexpr (std::is_same_v<M, std::string& (*)(J&)>) {
                member(job) = ResolvePath(text, baseFolder);
            } else if constexpr (std::is_same_v<M, std::array<int, 2> J::*>) {
                // A print size waits for the resolution, which may come later.
                if (IsPrintSize(text))
                    job.printSize = text;
                else
                    ParseSize(label, text, max, (job.*member)[0], (job.*member)[1]);
            } else {
                job.*member = ParseLight(label, text);
            }
        },
        option.member);
}

JobRecord JobFromArguments(Arguments& args) {
    JobRecord job;
    for (const JobOption& o : kOptions) {
        const std::string name = "--" + std::string(o.name);
        if (o.kind == K::Flag) {
            if (args.TakeFlag(name)) SetJobOption(job, o, "on", name);
            continue;
        }
        if (!o.alias.empty()) {
            const std::string alias = "--" + std::string(o.alias);
            if (auto v = args.Take(alias)) SetJobOption(job, o, *v, alias);
        }
        const std::string shortName = o.shortName ? std::string{'-', o.shortName} : std::string();
        if (auto v = args.Take(name, shortName)) SetJobOption(job, o, *v, name);
    }
    return job;
}

JobRecord JobFromFields(const std::vector<std::pair<std::string, std::string>>& fields,
                        const std::string& baseFolder) {
    JobRecord job;
    std::vector<std::pair<const JobOption*, std::string>> seen;  // options given a value
    for (const auto& [key, value] : fields) {
        const JobOption* option = FindJobOption(key);
        if (!option) throw UsageError("unknown key \"" + key + "\"");
        if (value.empty()) continue;
        for (const auto& [other, otherKey] : seen)
            if (other == option)
                throw UsageError(otherKey == key ? "\"" + key + "\" is given twice"
                                                 : "\"" + key + "\" and \"" + otherKey +
                                                       "\" name the same option");
        seen.emplace_back(option, key);
        SetJobOption(job, *option, value, key, baseFolder);
    }
    return job;
}

void CheckJob(JobRecord& job, const std::string& label) {
    if (job.output.empty())
        throw UsageError(label == "--" ? "render: the output file is missing (-o FILE)"
                                       : "the output is missing");
    if (job.output == "-" && job.format.empty())
        throw UsageError("render: -o - writes to standard output and needs " + label +
                         "format bmp, jpg or png");
    if (!job.format.empty()) {
        const std::string& f = job.format;
        if (f == "bmp")
            job.fileType = PictureFileType::Bmp;
        else if (f == "jpg" || f == "jpeg")
            job.fileType = PictureFileType::Jpeg;
        else if (f == "png")
            job.fileType = PictureFileType::Png;
        else
            throw UsageError(label + "format: expected bmp, jpg or png, not \"" + f + "\"");
    } else {
        try {
            job.fileType = PictureTypeFromExtension(job.output);
        } catch (const std::exception&) {
            throw UsageError("cannot tell the format from \"" + job.output +
                             "\"; name it .bmp, .jpg or .png, or give " + label + "format");
        }
    }
    if (job.colorDepth != 16 && job.colorDepth != 24 && job.colorDepth != 32)
        throw UsageError(label + "color-depth: expected 16, 24 or 32");
    if (!job.printSize.empty())
        ParsePictureSize(label + "size", job.printSize, job.dpi, kMaxRenderSide, job.size[0],
                         job.size[1]);
    if (const std::string problem = RowFormatProblem(PictureFormatOf(job)); !problem.empty())
        throw UsageError(label + "transparent: " + problem);
    if (!IsKnownCoverType(job.type))
        throw UsageError(label + "type: unknown cover type \"" + job.type + "\"");
    if (!job.look.empty() && !LookFromName(job.look))
        throw UsageError(label + "look: expected classic or studio, not \"" + job.look + "\"");
    if (!job.templateFile.empty() && CoverFileTypeOf(job.templateFile) != CoverFileType::Template)
        throw UsageError(label + "template: \"" + job.templateFile + "\" is not a template (.tem)");
    if (!job.project.empty() && CoverFileTypeOf(job.project) != CoverFileType::Project)
        throw UsageError(label + "project: \"" + job.project + "\" is not a project (.eco)");
    if (!job.project.empty() && !job.model.empty())
        throw UsageError(label + "model cannot draw a project");

    auto checkFile = [](const std::string& image) {
        std::error_code ec;
        if (!image.empty() && !std::filesystem::is_regular_file(image, ec))
            throw std::runtime_error("no such picture file: " + image);
    };
    for (const auto& image : job.images) checkFile(image);
    // A model file that is missing or holds nothing would draw an empty
    // scene and report success.
    if (!job.model.empty()) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(job.model, ec))
            throw std::runtime_error("no such model file: " + job.model);
        if (std::filesystem::file_size(job.model, ec) == 0 || ec)
            throw std::runtime_error("the model file is empty: " + job.model);
    }
    for (const auto& book : job.bookImages)
        for (const auto& image : book) checkFile(image);
}

RowFormat PictureFormatOf(const JobRecord& job) {
    RowFormat format;
    format.type = job.fileType;
    format.bitsPerPixel = job.colorDepth;
    format.jpegQuality = job.quality;
    format.alpha = job.transparent;
    format.dpi = job.dpi;
    return format;
}

}  // namespace tessaly::cli
