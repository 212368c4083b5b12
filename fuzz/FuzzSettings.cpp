// Fuzzes the settings file reader through a temporary file, then reads a
// few keys back, and repairs it: a repaired file must read back sound.
#include "FuzzSupport.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsRepair.h"

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
    try {
        if (!tessaly::RepairSettings(settings).empty() &&
            !tessaly::UnreadableSettings(settings).empty())
            __builtin_trap();
    } catch (const std::exception&) {
    }
    std::remove((file.Path() + ".bad").c_str());
    return 0;
}
