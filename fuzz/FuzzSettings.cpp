// Fuzzes the settings file reader through a temporary file, then reads a
// few keys back.
#include "FuzzSupport.h"
#include "core/settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessaly::fuzz::InputFile file(data, size, ".ini");
    tessaly::TSettingsFile settings;
    try {
        settings.Load(file.Path());
    } catch (const std::exception&) {
        return 0;
    }
    settings.ReadValue("DefaultEditor");
    settings.ReadValue("Language");
    settings.ReadValue("");
    return 0;
}
