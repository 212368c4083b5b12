// Malformed model data: every fault is reported as ModelFormatError naming
// the source, and no input reads outside the data (run under ASan).
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>

#include "ModelBytes.h"
#include "core/model/EmoModel.h"
#include "core/model/EmoWriter.h"

namespace tessaly {
namespace {

using test::ModelBytes;

// Loads into a model holding one object, so a failed load can be seen to
// leave it alone. Returns the error message, empty on success.
std::string LoadError(const std::vector<std::uint8_t>& data) {
    TmodelEMO m;
    m.Objects.emplace_back().Name = "Before";
    try {
        m.LoadFromBytes(data, "/m", {}, "hostile.emo");
    } catch (const ModelFormatError& e) {
        EXPECT_EQ(m.Objects.size(), 1u);
        EXPECT_EQ(m.Objects[0].Name, "Before");
        EXPECT_EQ(m.Folder, "/");
        return e.what();
    }
    return {};
}

void ExpectError(const ModelBytes& b, const std::string& fragment) {
    const std::string message = LoadError(b.data);
    EXPECT_NE(message.find("hostile.emo"), std::string::npos) << message;
    EXPECT_NE(message.find(fragment), std::string::npos) << message;
}

ModelBytes WithVertexCount(std::int32_t count) {
    ModelBytes b;
    b.Header(1);
    b.ObjectHead("O").I32(count);
    for (int i = 0; i < 6; ++i) b.F32(1.0f);  // room for two vertices
    return b;
}

TEST(EmoHostile, NegativeOrImpossibleCountsAreRejected) {
    ExpectError(WithVertexCount(-1), "vertex count -1");
    ExpectError(WithVertexCount(INT_MIN), "vertex count");
    ExpectError(WithVertexCount(INT_MAX), "vertex count");
    ExpectError(WithVertexCount(3), "does not fit");
    EXPECT_EQ(LoadError(WithVertexCount(2).data), "");

    ModelBytes faces;
    faces.Header(1);
    faces.ObjectHead("O").Vertices({{0, 0, 0}}).I32(0).I32(0).I32(1000);
    faces.Face(0, 0, 0);
    ExpectError(faces, "face count 1000");

    ModelBytes objects;
    objects.Header(INT_MAX);
    test::Triangle(objects, "T");
    ExpectError(objects, "object count");
    ModelBytes negative;
    negative.Header(-3);
    ExpectError(negative, "object count -3");
}

TEST(EmoHostile, StringsMustFitInTheData) {
    ModelBytes cut;
    cut.Header(1);
    for (int i = 0; i < 16; ++i) cut.F32(1.0f);
    cut.I32(10).U8('F').U8('r');
    ExpectError(cut, "ends inside the object name");

    ModelBytes negative;
    negative.Header(1);
    for (int i = 0; i < 16; ++i) negative.F32(1.0f);
    negative.I32(-5);
    ExpectError(negative, "negative length");

    ModelBytes texture;
    texture.Header(1);
    for (int i = 0; i < 16; ++i) texture.F32(1.0f);
    texture.Str("Front").I32(INT_MAX).U8('a');
    ExpectError(texture, "texture file name of object \"Front\"");
}

TEST(EmoHostile, DataEndingInsideANumberIsRejected) {
    ModelBytes b;
    b.Header(1);
    test::Triangle(b, "T");
    b.data.resize(b.data.size() - 2);  // inside the face's last bytes: the count no longer fits
    ExpectError(b, "face count");

    ModelBytes header;
    header.F32(1.0f).U8(0).U8(0);
    ExpectError(header, "ends inside a number");
}

ModelBytes FaceModel(std::int32_t a, std::int32_t b, std::int32_t c, int texCoords) {
    ModelBytes m;
    m.Header(1);
    m.ObjectHead("Box").Vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}).I32(0);
    std::vector<Vec2> uv(static_cast<std::size_t>(texCoords), Vec2{0.5f, 0.5f});
    m.TexCoords(uv).I32(1).Face(a, b, c);
    return m;
}

TEST(EmoHostile, FacesMustStayInsideTheirArrays) {
    EXPECT_EQ(LoadError(FaceModel(0, 1, 3, 4).data), "");
    ExpectError(FaceModel(0, 1, 4, 4), "face 0 of object \"Box\" uses index 4");
    ExpectError(FaceModel(-1, 1, 2, 4), "uses index -1");
    ExpectError(FaceModel(0, INT_MIN, 2, 4), "uses index");
    // Fewer texture coordinates than vertices: corners must stay below both.
    EXPECT_EQ(LoadError(FaceModel(0, 1, 2, 3).data), "");
    ExpectError(FaceModel(0, 1, 3, 3), "uses index 3");
    // No texture coordinates at all: only the vertices bound the corners.
    EXPECT_EQ(LoadError(FaceModel(3, 2, 1, 0).data), "");
}

std::vector<std::uint8_t> SmallValidModel() {
    ModelBytes b;
    b.Header(2);
    test::Triangle(b, "Front", "f.jpg", true);
    test::Triangle(b, "Side");
    return b.data;
}

TEST(EmoHostile, TruncationAtEveryByteLoadsCleanlyOrFails) {
    const auto full = SmallValidModel();
    int clean = 0;
    for (std::size_t n = 0; n <= full.size(); ++n) {
        std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<long>(n));
        TmodelEMO m;
        try {
            m.LoadFromBytes(cut, "/", [](const std::string&) { return 1u; });
            ++clean;
            EXPECT_LE(m.Objects.size(), 2u);
            for (const auto& o : m.Objects)
                for (const auto& f : o.Faces)
                    for (auto c : f.Corners)
                        EXPECT_LT(static_cast<std::size_t>(c), o.Vertices.size());
        } catch (const ModelFormatError&) {
        }
    }
    EXPECT_GT(clean, 20);  // the value boundaries load leniently
}

TEST(EmoHostile, MutatedCountsLoadCleanlyOrFail) {
    const auto full = SmallValidModel();
    // Offsets of the object count and of the first object's counts.
    const std::size_t object = 16;
    const std::size_t afterNames = object + 64 + 4 + 5 + 4 + 5;
    const std::size_t vertexCount = afterNames + 3 + 8;
    const std::size_t normalCount = vertexCount + 4 + 36;
    const std::size_t texCount = normalCount + 4 + 36;
    const std::size_t faceCount = texCount + 4 + 24;
    const std::size_t nameLength = object + 64;
    for (std::size_t offset :
         {std::size_t{12}, nameLength, vertexCount, normalCount, texCount, faceCount}) {
        for (std::int32_t value : {0, INT_MAX, INT_MIN, -1, 1}) {
            auto data = full;
            std::memcpy(data.data() + offset, &value, 4);
            TmodelEMO m;
            try {
                m.LoadFromBytes(data, "/");
            } catch (const ModelFormatError&) {
                continue;
            }
            EXPECT_TRUE(value == 0 || value == 1) << "offset " << offset << " value " << value;
        }
    }
    // Object count 0 gives an empty model whatever follows.
    auto none = full;
    std::memset(none.data() + 12, 0, 4);
    TmodelEMO m;
    m.LoadFromBytes(none, "/");
    EXPECT_TRUE(m.Objects.empty());
}

TEST(EmoHostile, RandomByteFlipsNeverReadOutOfBounds) {
    const auto full = SmallValidModel();
    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round) {
        auto data = full;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < flips; ++i)
            data[rng() % data.size()] = static_cast<std::uint8_t>(rng());
        if (rng() % 3 == 0) data.resize(rng() % data.size());
        TmodelEMO m;
        try {
            m.LoadFromBytes(data, "/");
            m.ComputeFade(30, 40, 50);
            m.LowestPoint(30, 40, 50);
        } catch (const ModelFormatError&) {
        }
    }
}

}  // namespace
}  // namespace tessaly
