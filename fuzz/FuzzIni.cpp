// Fuzzes the language file (INI) reader on text and through a file.
#include "FuzzSupport.h"
#include "core/i18n/IniReader.h"
#include "core/i18n/Messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tessaly::ReadIniValueFromText(text, "Messages", "done");
    tessaly::ReadIniValueFromText(text, "", "");
    tessaly::fuzz::InputFile file(data, size, ".ini");
    tessaly::GetMessage(file.Path(), "notvalidcover");
    return 0;
}
