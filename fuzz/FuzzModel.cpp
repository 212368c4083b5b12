// Fuzzes the model reader: any input either loads or raises ModelFormatError;
// a loaded model goes through the view computations and back through the
// writer, which must accept whatever the reader accepted.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/model/EmoModel.h"
#include "core/model/EmoWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessaly::TmodelEMO model;
    try {
        model.LoadFromBytes(std::span<const std::uint8_t>(data, size), "fuzz",
                            [](const std::string&) { return 1u; });
    } catch (const tessaly::ModelFormatError&) {
        return 0;
    }
    model.LowestPoint(30.0f, 45.0f, 10.0f);
    model.ComputeFade(30.0f, 45.0f, 10.0f);
    model.SetTextureByName("Front", 2);
    for (const auto& object : model.Objects)
        for (const auto& face : object.Faces)
            for (std::int32_t corner : face.Corners) {
                object.TexCoordAt(corner);
                object.CornerAlpha(corner);
            }
    const auto bytes = tessaly::SaveModelToBytes(model);
    tessaly::TmodelEMO again;
    again.LoadFromBytes(bytes, "fuzz");
    return 0;
}
