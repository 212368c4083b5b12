// TmodelEMO and TobjectEMO: a cover's 3D model as plain data, read from the
// binary model files in "Tsym", plus every operation on it that needs no GL
// (binding textures, colours and angles by object name, and the two view
// computations behind the floor reflection). Drawing lives in the renderer and
// works on the public fields below.
//
// Ownership: a model owns its objects by value (`Objects` is a
// std::vector<TobjectEMO>), in file order.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

using Vec2 = std::array<float, 2>;
using Vec3 = std::array<float, 3>;
using Rgba = std::array<float, 4>;

// Loads a texture file for an object and returns its GL texture name (0 when
// it cannot be loaded). An empty loader loads nothing.
using TextureLoader = std::function<std::uint32_t(const std::string& path)>;

// A model file that is malformed: a negative or impossible count, a face that
// points outside its object's arrays, or data that ends inside a value or a
// string. The message names the file and the fault.
class ModelFormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One triangle: three vertex indices (the same index selects the corner's
// texture coordinate) and one normal per corner. The file record is 52 bytes;
// its last 4 bytes are unused and written as zeros.
struct FaceEMO {
    std::array<std::int32_t, 3> Corners{0, 0, 0};
    std::array<Vec3, 3> Normals{};
};

// One named triangle mesh with its material and its own turn about Y.
class TobjectEMO {
  public:
    // Creating an object resets the shared fade colour to black.
    TobjectEMO();

    std::vector<float> FadeValues;  // one per vertex, filled by ComputeFade
    bool Fade = false;
    std::string Name;
    std::string TextureFile;  // relative to the model's folder
    std::uint32_t Texture = 0;
    Rgba Ambient{1, 1, 1, 1};
    Rgba Diffuse{1, 1, 1, 1};
    Rgba Color3{1, 1, 1, 1};  // kept from the file, not drawn
    Rgba Color4{1, 1, 1, 1};  // kept from the file, not drawn
    bool Reserved1 = false;   // kept from the file, no effect
    bool Textured = false;
    bool Reserved2 = false;      // kept from the file, no effect
    float ReservedValue = 1.0f;  // kept from the file, no effect
    float AngleY = 0.0f;         // degrees
    std::vector<Vec3> Vertices;
    std::vector<Vec3> Normals;  // per vertex, kept from the file; faces carry their own
    std::vector<Vec2> TexCoords;
    std::vector<FaceEMO> Faces;

    // Texture coordinate of vertex `i`, or (0, 0) when the object has none
    // for it (an untextured object bound to a texture later).
    Vec2 TexCoordAt(std::int32_t i) const;
    // Material alpha at vertex `i` for a draw: 1 - FadeValues[i] while Fade
    // is set and a fade value exists, else 1.
    float CornerAlpha(std::int32_t i) const;
};

class TmodelEMO {
  public:
    std::string Folder = "/";  // folder of the model file, ends in "/"
    float FadeSpan = 1.0f;
    std::vector<TobjectEMO> Objects;
    float ScaleX = 1.0f;
    float ScaleY = 1.0f;
    float ScaleZ = 1.0f;

    // Reads a model file into this model, replacing its scale, objects and
    // folder. Throws FileError when the file cannot be read and
    // ModelFormatError when it is malformed; the model is unchanged then.
    // Data that ends cleanly between two values is not an error: what the
    // file no longer supplies keeps its initial value.
    void LoadFromFile(const std::string& path, const TextureLoader& textureLoader = {});
    // The same from memory; `folder` is where texture files are looked for
    // ("/" is appended when missing) and `sourceName` names the data in errors.
    void LoadFromBytes(std::span<const std::uint8_t> data, const std::string& folder,
                       const TextureLoader& textureLoader = {},
                       const std::string& sourceName = "model data");

    // Operations by object name act on every object with exactly that name
    // (case-sensitive), and on none when no object has it.
    void SetTextureByName(std::string_view name, std::uint32_t texture);
    void SetColorByName(std::string_view name, float r, float g, float b, float a);
    void SetAngleByName(std::string_view name, float angle);

    // The one fade colour shared by every model: white at program start,
    // black after any object is created, then whatever is set here.
    static void SetFadeColor(float r, float g, float b);
    static const Rgba& FadeColor();

    void SetFadeSpan(float factor) { FadeSpan = factor; }
    void FadeOn();
    void FadeOff();

    // Lowest height of any vertex under the cover's view angles (degrees);
    // 0 for a model without vertices.
    float LowestPoint(float angleX, float angleY, float angleZ) const;
    // Highest height of any vertex under the same angles; 0 without vertices.
    float HighestPoint(float angleX, float angleY, float angleZ) const;
    // Fills every object's FadeValues: 0 at the lowest vertex rising to 1 at
    // FadeSpan times the model's height above it. All 0 when the model is
    // flat under these angles (or FadeSpan is 0).
    void ComputeFade(float angleX, float angleY, float angleZ);

    // First object with this exact name, or nullptr.
    const TobjectEMO* FindObject(std::string_view name) const;
    TobjectEMO* FindObject(std::string_view name);
};

}  // namespace tessaly
