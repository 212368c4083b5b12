#include "core/update/UpdateMarkers.h"

#include <fstream>
#include <sstream>

#include "core/io/FileIO.h"

namespace tessaly {

UpdateMarkers ParseUpdateMarkers(std::string_view text, const UpdateMarkers& defaults) {
    UpdateMarkers markers = defaults;
    std::string* fields[] = {&markers.Templates, &markers.Tutorials};
    std::size_t start = 0;
    for (std::string* field : fields) {
        if (start >= text.size()) break;
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        *field = std::string(line);
        start = end + 1;
    }
    return markers;
}

UpdateMarkers ReadUpdateMarkers(const std::filesystem::path& file, const UpdateMarkers& defaults) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return defaults;
    std::ostringstream text;
    text << in.rdbuf();
    return ParseUpdateMarkers(text.str(), defaults);
}

void WriteUpdateMarkers(const std::filesystem::path& file, const UpdateMarkers& markers) {
    WriteFileAtomically(file, [&](std::ostream& out) {
        out << markers.Templates << '\n' << markers.Tutorials << '\n';
    });
}

UpdateNews CompareUpdateMarkers(const UpdateMarkers& before, const UpdateMarkers& after) {
    return {before.Templates != after.Templates, before.Tutorials != after.Tutorials};
}

}  // namespace tessaly
