// Fuzzes the model catalogue reader with in-memory models: any text either
// reads or raises CatalogueError with the complete entries kept.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/model/ModelCatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly;
    ModelCatalogue catalogue;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        ParseModelCatalogue(catalogue, text, "models.ini", [](const std::string&, TmodelEMO&) {},
                            {});
    } catch (const CatalogueError&) {
    }
    if (catalogue.Count < 0 || catalogue.Count > kMaxCatalogueEntries ||
        catalogue.DisplayNames.size() != static_cast<std::size_t>(catalogue.Count))
        __builtin_trap();
    catalogue.FindEntry("stdbox");
    for (int code = 0; code < 256; code += 17)
        catalogue.EntryForCode(static_cast<std::uint8_t>(code));
    return 0;
}
