#include "cli/InspectCommand.h"

#include <algorithm>
#include <iostream>

#include "cli/Json.h"
#include "core/io/FileIO.h"
#include "core/model/CoverTypes.h"
#include "core/model/EmoModel.h"
#include "core/project/CoverFile.h"
#include "core/util/Sha256.h"

namespace tessaly::cli {

const char* const kInspectHelp = R"(Usage: tessaly-cli inspect FILE.emo|FILE.eco|FILE.tem

Prints a file as JSON.
  FILE.emo   a model file's scale and objects: for each object its name,
             texture file, textured flag, angle, and its vertex, normal,
             texture coordinate and face counts.
  FILE.eco, FILE.tem
             a project's or template's sections in file order: tag, name,
             offset and payload (type code and identifier, the stored
             integers, the check box flag, and for each embedded image its
             extension, length and SHA-256); "cutShort" when the file ends
             inside a section (exit status 1, as for a file that is not a
             project or template).

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

// Prints the sections read; false when the file is not of its kind or ends
// inside a section or an embedded image (malformed, though printed).
bool PrintCoverFile(const std::string& path, CoverFileKind kind) {
    const auto bytes = ReadWholeFile(path);
    const ParsedCoverFile parsed = ParseCoverFile(bytes, kind);
    JsonWriter json(std::cout);
    json.BeginObject();
    json.Field("file", path).Field("format", kind == CoverFileKind::Project ? "project" : "template");
    json.Field("size", bytes.size()).Field("magicOk", parsed.MagicOk);
    json.Key("sections").BeginArray();
    for (const CoverSection& s : parsed.Sections) {
        json.BeginObject().Field("tag", static_cast<int>(s.Tag)).Field("name", s.Known ? TagName(s.Tag) : "unknown");
        json.Field("offset", s.Offset);
        if (s.Known && s.Tag == cover_tag::Type)
            json.Field("code", static_cast<int>(s.Code)).Field("id", IdentifierForCode(s.Code));
        if (!s.Values.empty()) {
            json.Key("values").BeginArray();
            for (std::int32_t v : s.Values) json.Integer(v);
            json.EndArray();
        }
        if (s.Known && (s.Tag == cover_tag::Floor || s.Tag == cover_tag::LightShadow)) json.Field("flag", s.Flag);
        if (s.Known && (s.Tag == cover_tag::BookImages || (s.Tag >= cover_tag::Image1 && s.Tag <= cover_tag::FloorImage))) {
            json.Key("images").BeginArray();
            for (const ImageRecord& r : s.Images) {
                json.BeginObject()
                    .Field("extension", r.Extension)
                    .Field("length", r.Bytes.size())
                    .Field("declaredLength", static_cast<std::int64_t>(r.DeclaredLength))
                    .Field("sha256", Sha256Hex(r.Bytes));
                if (r.CutShort) json.Field("cutShort", true);
                json.EndObject();
            }
            json.EndArray();
        }
        json.EndObject();
    }
    json.EndArray();
    if (parsed.CutShort)
        json.Key("cutShort").BeginObject().Field("tag", static_cast<int>(parsed.CutShort->Tag))
            .Field("offset", parsed.CutShort->TagOffset).EndObject();
    json.EndObject();
    std::cout << '\n';
    bool imageCut = false;
    for (const CoverSection& s : parsed.Sections)
        for (const ImageRecord& r : s.Images) imageCut = imageCut || r.CutShort;
    if (!parsed.MagicOk) {
        std::cerr << "inspect: " << path << " is not a cover "
                  << (kind == CoverFileKind::Project ? "project" : "template") << "\n";
        return false;
    }
    if (parsed.CutShort || imageCut) {
        std::cerr << "inspect: " << path << " ends inside a section\n";
        return false;
    }
    return true;
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
    if (lower.size() >= 4 && lower.substr(lower.size() - 4) == ".eco") {
        return PrintCoverFile(path, CoverFileKind::Project) ? 0 : 1;
    }
    if (lower.size() >= 4 && lower.substr(lower.size() - 4) == ".tem") {
        return PrintCoverFile(path, CoverFileKind::Template) ? 0 : 1;
    }
    throw UsageError("inspect: cannot tell what \"" + path + "\" is; name a .emo, .eco or .tem file");
}

}  // namespace tessaly::cli
