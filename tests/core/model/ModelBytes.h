// Hand-built model file bytes for the model tests: written field by field so
// that the reader and the writer are both checked against the layout itself.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/EmoModel.h"

namespace tessaly::test {

struct ModelBytes {
    std::vector<std::uint8_t> data;

    ModelBytes& U8(std::uint8_t v) {
        data.push_back(v);
        return *this;
    }
    ModelBytes& I32(std::int32_t v) {
        for (int s = 0; s < 32; s += 8) data.push_back(std::uint8_t(std::uint32_t(v) >> s));
        return *this;
    }
    ModelBytes& F32(float v) { return I32(std::bit_cast<std::int32_t>(v)); }
    ModelBytes& Str(const std::string& s) {
        I32(static_cast<std::int32_t>(s.size()));
        data.insert(data.end(), s.begin(), s.end());
        return *this;
    }
    ModelBytes& Header(std::int32_t objects, float scale = 1.0f) {
        return F32(scale).F32(scale).F32(scale).I32(objects);
    }
    // Colours, name, texture, flags, reserved value and angle of an object.
    ModelBytes& ObjectHead(const std::string& name, const std::string& texture = "",
                           bool textured = false, float angle = 0.0f) {
        for (int i = 0; i < 16; ++i) F32(0.5f);
        Str(name).Str(texture);
        return U8(0).U8(textured ? 1 : 0).U8(0).F32(1.0f).F32(angle);
    }
    ModelBytes& Vertices(const std::vector<Vec3>& vs) {
        I32(static_cast<std::int32_t>(vs.size()));
        for (const Vec3& v : vs) F32(v[0]).F32(v[1]).F32(v[2]);
        return *this;
    }
    ModelBytes& TexCoords(const std::vector<Vec2>& ts) {
        I32(static_cast<std::int32_t>(ts.size()));
        for (const Vec2& t : ts) F32(t[0]).F32(t[1]);
        return *this;
    }
    ModelBytes& Face(std::int32_t a, std::int32_t b, std::int32_t c) {
        I32(a).I32(b).I32(c);
        for (int i = 0; i < 9; ++i) F32(i % 3 == 2 ? 1.0f : 0.0f);
        return I32(0);
    }
};

// One complete object: a triangle with texture coordinates and one face.
inline ModelBytes& Triangle(ModelBytes& b, const std::string& name, const std::string& texture = "",
                            bool textured = false) {
    b.ObjectHead(name, texture, textured);
    b.Vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    b.Vertices({{0, 0, 1}, {0, 0, 1}, {0, 0, 1}});  // per-vertex normals
    b.TexCoords({{0, 0}, {1, 0}, {0, 1}});
    b.I32(1);
    return b.Face(0, 1, 2);
}

}  // namespace tessaly::test
