// Fuzzes the update markers file, which comes from the network: parsing it
// as text and reading it from a file.
#include "FuzzSupport.h"
#include "core/update/UpdateMarkers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tessaly::UpdateMarkers defaults{"t1", "u1"};
    const auto parsed = tessaly::ParseUpdateMarkers(text, defaults);
    tessaly::CompareUpdateMarkers(defaults, parsed);
    tessaly::fuzz::InputFile file(data, size, "");
    tessaly::ReadUpdateMarkers(file.Path(), defaults);
    return 0;
}
