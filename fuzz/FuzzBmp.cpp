// Fuzzes the BMP texture reader through a temporary file.
#include "FuzzSupport.h"
#include "core/images/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessaly::fuzz::InputFile file(data, size, ".bmp");
    try {
        tessaly::ReadBmpPixels(file.Path());
    } catch (const std::exception&) {
    }
    return 0;
}
