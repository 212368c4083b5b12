// UpdateMarkers: the two-line update file. Line 1 marks the templates
// published on the maker's site, line 2 the tutorials. The program keeps the
// last fetched copy as "updts" beside itself and compares a fresh one with
// it; the markers are opaque, only equality counts.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tessaly {

// Name of the local copy inside the program folder.
inline constexpr std::string_view kUpdateMarkerFileName = "updts";

struct UpdateMarkers {
    std::string Templates;
    std::string Tutorials;
    bool operator==(const UpdateMarkers&) const = default;
};

// Up to two lines of `text` (LF or CR LF line ends); a line the text lacks
// keeps its value from `defaults`.
UpdateMarkers ParseUpdateMarkers(std::string_view text, const UpdateMarkers& defaults);

// The same from a file; a missing or unreadable file gives `defaults`.
UpdateMarkers ReadUpdateMarkers(const std::filesystem::path& file, const UpdateMarkers& defaults);

// Writes the markers as two lines (through a temporary file renamed over the
// target). Throws FileError when the folder cannot be written.
void WriteUpdateMarkers(const std::filesystem::path& file, const UpdateMarkers& markers);

struct UpdateNews {
    bool Templates = false;
    bool Tutorials = false;
};

// Which markers changed (exact, case-sensitive comparison of whole lines).
UpdateNews CompareUpdateMarkers(const UpdateMarkers& before, const UpdateMarkers& after);

}  // namespace tessaly
