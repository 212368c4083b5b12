#include "core/model/EmoModel.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/io/ByteReader.h"
#include "core/io/FileIO.h"

namespace tessaly {

namespace {

Rgba g_fadeColor{1, 1, 1, 1};

constexpr double kPi = 3.14159265;
constexpr std::size_t kFaceRecordSize = 52;

// Reads the model layout. Each value is read whole: data that ends exactly
// before a value ends the load (the `Read...` helpers return false), data
// that ends inside one is a format error.
class ModelParser {
  public:
    ModelParser(std::span<const std::uint8_t> data, std::string source)
        : reader_(data), source_(std::move(source)) {}

    void Parse(TmodelEMO& model) {
        if (!ReadFloat(model.ScaleX) || !ReadFloat(model.ScaleY) || !ReadFloat(model.ScaleZ))
            return;
        std::int32_t count = 0;
        if (!ReadInt(count)) return;
        // A present object holds at least its first colour value, so more
        // objects than 4-byte steps left cannot be real.
        if (count < 0 || !reader_.Fits(count, 4)) CountFault("", "object count", count);
        for (std::int32_t i = 0; i < count && !reader_.AtEnd(); ++i) {
            model.Objects.emplace_back();
            if (!ParseObject(model.Objects.back())) break;
        }
    }

  private:
    bool ParseObject(TobjectEMO& o) {
        for (Rgba* colour : {&o.Ambient, &o.Diffuse, &o.Color3, &o.Color4})
            for (float& c : *colour)
                if (!ReadFloat(c)) return false;
        if (!ReadString(o.Name, "object name")) return false;
        if (!ReadString(o.TextureFile, "texture file name of object \"" + o.Name + "\""))
            return false;
        for (bool* flag : {&o.Reserved1, &o.Textured, &o.Reserved2}) {
            if (reader_.AtEnd()) return false;
            *flag = reader_.U8() != 0;
        }
        if (!ReadFloat(o.ReservedValue) || !ReadFloat(o.AngleY)) return false;

        const std::string what = "object \"" + o.Name + "\": ";
        std::int32_t n = 0;
        if (!ReadCount(n, 12, what, "vertex count")) return false;
        o.Vertices.resize(static_cast<std::size_t>(n));
        for (Vec3& v : o.Vertices)
            for (float& c : v) c = reader_.F32();

        if (!ReadCount(n, 12, what, "normal count")) return false;
        o.Normals.resize(static_cast<std::size_t>(n));
        for (Vec3& v : o.Normals)
            for (float& c : v) c = reader_.F32();

        if (!ReadCount(n, 8, what, "texture coordinate count")) return false;
        o.TexCoords.resize(static_cast<std::size_t>(n));
        for (Vec2& t : o.TexCoords)
            for (float& c : t) c = reader_.F32();

        if (!ReadCount(n, kFaceRecordSize, what, "face count")) return false;
        o.Faces.resize(static_cast<std::size_t>(n));
        for (std::size_t f = 0; f < o.Faces.size(); ++f) {
            FaceEMO& face = o.Faces[f];
            for (std::int32_t& c : face.Corners) c = reader_.I32();
            for (Vec3& normal : face.Normals)
                for (float& c : normal) c = reader_.F32();
            reader_.Skip(4);
            CheckFace(o, f);
        }
        return true;
    }

    // Every corner must select an existing vertex and, when the object has
    // texture coordinates, an existing one of those too.
    void CheckFace(const TobjectEMO& o, std::size_t f) {
        for (std::int32_t c : o.Faces[f].Corners) {
            const bool badVertex = c < 0 || static_cast<std::size_t>(c) >= o.Vertices.size();
            const bool badTexCoord =
                !o.TexCoords.empty() && static_cast<std::size_t>(c) >= o.TexCoords.size();
            if (badVertex || badTexCoord)
                Fail("face " + std::to_string(f) + " of object \"" + o.Name + "\" uses index " +
                     std::to_string(c) + " but the object has " +
                     std::to_string(o.Vertices.size()) + " vertices and " +
                     std::to_string(o.TexCoords.size()) + " texture coordinates");
        }
    }

    bool ReadFloat(float& out) {
        if (reader_.AtEnd()) return false;
        Guard("a number", [&] { out = reader_.F32(); });
        return true;
    }

    bool ReadInt(std::int32_t& out) {
        if (reader_.AtEnd()) return false;
        Guard("a number", [&] { out = reader_.I32(); });
        return true;
    }

    bool ReadCount(std::int32_t& out, std::size_t elementSize, const std::string& context,
                   const char* what) {
        if (!ReadInt(out)) return false;
        if (out < 0 || !reader_.Fits(out, elementSize)) CountFault(context, what, out);
        return true;
    }

    [[noreturn]] void CountFault(const std::string& context, const char* what,
                                 std::int32_t count) const {
        Fail(context + what + " " + std::to_string(count) +
             (count < 0
                  ? std::string(" is negative")
                  : " does not fit in the " + std::to_string(reader_.Remaining()) + " bytes left"));
    }

    bool ReadString(std::string& out, const std::string& what) {
        std::int32_t length = 0;
        if (!ReadInt(length)) return false;
        if (length < 0) Fail("negative length " + std::to_string(length) + " of the " + what);
        if (!reader_.Fits(length, 1))
            Fail("the file ends inside the " + what + " (" + std::to_string(length) +
                 " bytes announced, " + std::to_string(reader_.Remaining()) + " left)");
        out = reader_.String(static_cast<std::size_t>(length));
        return true;
    }

    template <typename F>
    void Guard(const char* what, F&& read) {
        try {
            read();
        } catch (const ShortRead&) {
            Fail(std::string("the file ends inside ") + what);
        }
    }

    [[noreturn]] void Fail(const std::string& message) const {
        throw ModelFormatError("Model file \"" + source_ + "\": " + message + " (at byte " +
                               std::to_string(reader_.Position()) + ")");
    }

    ByteReader reader_;
    std::string source_;
};

// Height of every vertex under the view angles: scale, the object's own turn
// about Y, then angleZ about Z and minus angleX about X. The final turn by
// minus angleY is about the vertical axis and leaves the height alone.
std::vector<std::vector<float>> Heights(const TmodelEMO& model, float angleX, float angleZ) {
    const double beta = angleX * kPi / 180.0;
    const double gamma = angleZ * kPi / 180.0;
    const double cb = std::cos(beta), sb = std::sin(beta);
    const double cg = std::cos(gamma), sg = std::sin(gamma);
    std::vector<std::vector<float>> heights;
    heights.reserve(model.Objects.size());
    for (const TobjectEMO& o : model.Objects) {
        const double alpha = o.AngleY * kPi / 180.0;
        const double ca = std::cos(alpha), sa = std::sin(alpha);
        std::vector<float>& h = heights.emplace_back();
        h.reserve(o.Vertices.size());
        for (const Vec3& v : o.Vertices) {
            const double sx = double(v[0]) * model.ScaleX;
            const double sy = double(v[1]) * model.ScaleY;
            const double sz = double(v[2]) * model.ScaleZ;
            const double rx = ca * sx + sa * sz, ry = sy, rz = -sa * sx + ca * sz;
            const double ty = sg * rx + cg * ry, tz = rz;
            h.push_back(static_cast<float>(cb * ty + sb * tz));
        }
    }
    return heights;
}

}  // namespace

TobjectEMO::TobjectEMO() {
    g_fadeColor = {0, 0, 0, g_fadeColor[3]};
}

Vec2 TobjectEMO::TexCoordAt(std::int32_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= TexCoords.size()) return {0, 0};
    return TexCoords[static_cast<std::size_t>(i)];
}

float TobjectEMO::CornerAlpha(std::int32_t i) const {
    if (!Fade || i < 0 || static_cast<std::size_t>(i) >= FadeValues.size()) return 1.0f;
    return 1.0f - FadeValues[static_cast<std::size_t>(i)];
}

void TmodelEMO::LoadFromFile(const std::string& path, const TextureLoader& textureLoader) {
    const std::vector<std::uint8_t> data = ReadWholeFile(path);
    std::string folder = std::filesystem::path(path).parent_path().generic_string();
    LoadFromBytes(data, folder.empty() ? "./" : folder, textureLoader, path);
}

void TmodelEMO::LoadFromBytes(std::span<const std::uint8_t> data, const std::string& folder,
                              const TextureLoader& textureLoader, const std::string& sourceName) {
    // Parse into a fresh model so a malformed file leaves this one as it was.
    TmodelEMO loaded;
    ModelParser(data, sourceName).Parse(loaded);
    Folder = folder;
    if (Folder.empty() || Folder.back() != '/') Folder += '/';
    ScaleX = loaded.ScaleX;
    ScaleY = loaded.ScaleY;
    ScaleZ = loaded.ScaleZ;
    Objects = std::move(loaded.Objects);
    // Names of up to 4 characters stand for "no texture file".
    if (textureLoader)
        for (TobjectEMO& o : Objects)
            if (o.TextureFile.size() > 4) o.Texture = textureLoader(Folder + o.TextureFile);
}

void TmodelEMO::SetTextureByName(std::string_view name, std::uint32_t texture) {
    for (TobjectEMO& o : Objects)
        if (o.Name == name) {
            o.Texture = texture;
            o.Textured = true;
        }
}

void TmodelEMO::SetColorByName(std::string_view name, float r, float g, float b, float a) {
    for (TobjectEMO& o : Objects)
        if (o.Name == name) o.Ambient = o.Diffuse = {r, g, b, a};
}

void TmodelEMO::SetAngleByName(std::string_view name, float angle) {
    for (TobjectEMO& o : Objects)
        if (o.Name == name) o.AngleY = angle;
}

void TmodelEMO::SetFadeColor(float r, float g, float b) {
    g_fadeColor = {r, g, b, g_fadeColor[3]};
}

const Rgba& TmodelEMO::FadeColor() {
    return g_fadeColor;
}

void TmodelEMO::FadeOn() {
    for (TobjectEMO& o : Objects) o.Fade = true;
}

void TmodelEMO::FadeOff() {
    for (TobjectEMO& o : Objects) o.Fade = false;
}

float TmodelEMO::LowestPoint(float angleX, float angleY, float angleZ) const {
    bool any = false;
    float lowest = 0.0f;
    for (const auto& h : Heights(*this, angleX, angleZ))
        for (float y : h) {
            lowest = any ? std::min(lowest, y) : y;
            any = true;
        }
    return lowest;
}

float TmodelEMO::HighestPoint(float angleX, float angleY, float angleZ) const {
    bool any = false;
    float highest = 0.0f;
    for (const auto& h : Heights(*this, angleX, angleZ))
        for (float y : h) {
            highest = any ? std::max(highest, y) : y;
            any = true;
        }
    return highest;
}

void TmodelEMO::ComputeFade(float angleX, float angleY, float angleZ) {
    const auto heights = Heights(*this, angleX, angleZ);
    bool any = false;
    float lo = 0.0f, hi = 0.0f;
    for (const auto& h : heights)
        for (float y : h) {
            lo = any ? std::min(lo, y) : y;
            hi = any ? std::max(hi, y) : y;
            any = true;
        }
    const float span = (hi - lo) * FadeSpan;
    for (std::size_t i = 0; i < Objects.size(); ++i) {
        std::vector<float>& fade = Objects[i].FadeValues;
        fade.assign(heights[i].size(), 0.0f);
        if (span == 0.0f || !std::isfinite(span)) continue;
        for (std::size_t j = 0; j < fade.size(); ++j) fade[j] = (heights[i][j] - lo) / span;
    }
}

const TobjectEMO* TmodelEMO::FindObject(std::string_view name) const {
    for (const TobjectEMO& o : Objects)
        if (o.Name == name) return &o;
    return nullptr;
}

TobjectEMO* TmodelEMO::FindObject(std::string_view name) {
    for (TobjectEMO& o : Objects)
        if (o.Name == name) return &o;
    return nullptr;
}

}  // namespace tessaly
