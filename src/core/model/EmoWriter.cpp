#include "core/model/EmoWriter.h"

#include <bit>
#include <limits>
#include <stdexcept>
#include <string>

#include "core/io/FileIO.h"

namespace tessaly {

namespace {

class ByteWriter {
  public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U32(std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(std::uint8_t(v >> shift));
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void F32(float v) { U32(std::bit_cast<std::uint32_t>(v)); }
    template <std::size_t N>
    void Floats(const std::array<float, N>& values) {
        for (float v : values) F32(v);
    }
    void Count(std::size_t n, const char* what) {
        if (n > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
            throw std::invalid_argument(std::string("too many ") + what + " for a model file");
        I32(static_cast<std::int32_t>(n));
    }
    void String(const std::string& s) {
        Count(s.size(), "characters in a name");
        bytes_.insert(bytes_.end(), s.begin(), s.end());
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

void CheckFaces(const TobjectEMO& o) {
    for (const FaceEMO& face : o.Faces)
        for (std::int32_t c : face.Corners) {
            const auto i = static_cast<std::size_t>(c);
            if (c < 0 || i >= o.Vertices.size() ||
                (!o.TexCoords.empty() && i >= o.TexCoords.size()))
                throw std::invalid_argument("object \"" + o.Name + "\" has a face corner " +
                                            std::to_string(c) + " outside its arrays");
        }
}

}  // namespace

std::vector<std::uint8_t> SaveModelToBytes(const TmodelEMO& model) {
    ByteWriter w;
    w.F32(model.ScaleX);
    w.F32(model.ScaleY);
    w.F32(model.ScaleZ);
    w.Count(model.Objects.size(), "objects");
    for (const TobjectEMO& o : model.Objects) {
        CheckFaces(o);
        w.Floats(o.Ambient);
        w.Floats(o.Diffuse);
        w.Floats(o.Color3);
        w.Floats(o.Color4);
        w.String(o.Name);
        w.String(o.TextureFile);
        w.U8(o.Reserved1 ? 1 : 0);
        w.U8(o.Textured ? 1 : 0);
        w.U8(o.Reserved2 ? 1 : 0);
        w.F32(o.ReservedValue);
        w.F32(o.AngleY);
        w.Count(o.Vertices.size(), "vertices");
        for (const Vec3& v : o.Vertices) w.Floats(v);
        w.Count(o.Normals.size(), "normals");
        for (const Vec3& n : o.Normals) w.Floats(n);
        w.Count(o.TexCoords.size(), "texture coordinates");
        for (const Vec2& t : o.TexCoords) w.Floats(t);
        w.Count(o.Faces.size(), "faces");
        for (const FaceEMO& face : o.Faces) {
            for (std::int32_t c : face.Corners) w.I32(c);
            for (const Vec3& n : face.Normals) w.Floats(n);
            w.U32(0);
        }
    }
    return w.Take();
}

void SaveModelToFile(const TmodelEMO& model, const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = SaveModelToBytes(model);
    WriteFileAtomically(path, bytes);
}

}  // namespace tessaly
