// Fuzzes the TGA texture reader through a temporary file.
#include "FuzzSupport.h"
#include "core/images/TgaReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessaly::fuzz::InputFile file(data, size, ".tga");
    try {
        tessaly::ReadTgaPixels(file.Path());
    } catch (const std::exception&) {
    }
    return 0;
}
