#include "cli/InspectCommand.h"

#include <algorithm>
#include <iostream>

#include "cli/Json.h"
#include "core/io/FileIO.h"
#include "core/model/EmoModel.h"

namespace tessaly::cli {

const char* const kInspectHelp = R"(Usage: tessaly-cli inspect FILE.emo

Prints a model file's scale and objects as JSON: for each object its name,
texture file, textured flag, angle, and its vertex, normal, texture
coordinate and face counts.

Exit status: 0 printed, 1 the file cannot be read or is malformed, 2 bad usage.
)";

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

void PrintModel(const std::string& path) {
    TmodelEMO model;
    const auto bytes = ReadWholeFile(path);
    model.LoadFromBytes(bytes, "/", {}, path);
    JsonWriter json(std::cout);
    json.BeginObject();
    json.Field("file", path).Field("format", "model");
    json.Key("scale").BeginArray().Number(model.ScaleX).Number(model.ScaleY).Number(model.ScaleZ).EndArray();
    json.Key("objects").BeginArray();
    for (const TobjectEMO& o : model.Objects) {
        json.BeginObject()
            .Field("name", o.Name)
            .Field("textureFile", o.TextureFile)
            .Field("textured", o.Textured)
            .Field("angle", o.AngleY)
            .Field("vertices", o.Vertices.size())
            .Field("normals", o.Normals.size())
            .Field("texCoords", o.TexCoords.size())
            .Field("faces", o.Faces.size())
            .EndObject();
    }
    json.EndArray();
    json.EndObject();
}

}  // namespace

int InspectCommand(Arguments& args) {
    auto files = args.TakePositionals();
    args.ExpectNothingLeft();
    if (files.size() != 1) throw UsageError("inspect: name exactly one file");
    const std::string& path = files[0];
    const std::string lower = Lower(path);
    if (lower.size() >= 4 && lower.substr(lower.size() - 4) == ".emo") {
        PrintModel(path);
        return 0;
    }
    throw UsageError("inspect: cannot tell what \"" + path + "\" is; model files end in .emo");
}

}  // namespace tessaly::cli
