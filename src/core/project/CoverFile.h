// CoverFile: the byte format shared by cover projects (".eco", magic "tsyc")
// and templates (".tem", magic "tsyt"): a four-byte magic, then sections of a
// one-byte tag and a payload whose layout the tag fixes. ParseCoverFile reads
// a whole file from memory into its sections in file order; WriteCoverFile
// writes sections back in exactly that layout. No GL, no windows: applying the
// sections to the program is the app layer's work.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

enum class CoverFileKind { Project, Template };

inline constexpr std::string_view kProjectMagic = "tsyc";
inline constexpr std::string_view kTemplateMagic = "tsyt";

// Section tags.
namespace cover_tag {
inline constexpr std::uint8_t Type = 0x00;           // byte type code
inline constexpr std::uint8_t CoverPosition = 0x01;  // 4 x int32
inline constexpr std::uint8_t Camera = 0x02;         // 6 x int32
inline constexpr std::uint8_t FieldOfView = 0x03;    // 1 x int32
inline constexpr std::uint8_t Light = 0x04;          // 3 x int32
inline constexpr std::uint8_t CaseAngle = 0x05;      // 1 x int32
inline constexpr std::uint8_t Dimensions = 0x06;     // 3 x int32
inline constexpr std::uint8_t Image1 = 0x64;         // image record
inline constexpr std::uint8_t Image2 = 0x65;
inline constexpr std::uint8_t Image3 = 0x66;
inline constexpr std::uint8_t FloorImage = 0x67;
inline constexpr std::uint8_t Floor = 0x68;        // bool textured, int32 colour
inline constexpr std::uint8_t Reflection = 0x69;   // int32
inline constexpr std::uint8_t Background = 0x6A;   // int32 colour
inline constexpr std::uint8_t LightShadow = 0x6B;  // int32 colour, bool shadow, int32, int32
inline constexpr std::uint8_t BookImages = 0x6C;   // books x 3 image records
inline constexpr std::uint8_t SpineColor = 0x6D;   // int32 colour
inline constexpr std::uint8_t SpiralColor = 0x6E;  // int32 colour
}  // namespace cover_tag

// The number of int32 values of the scroll-bar sections 0x01..0x06 (0 for
// any other tag).
int ScrollSectionCount(std::uint8_t tag);

// True when `tag` has a payload in files of `kind` (templates know only the
// tags 0x00..0x06; any other tag is a lone byte).
bool IsKnownTag(CoverFileKind kind, std::uint8_t tag);

// One embedded image file: its extension and its bytes. When parsing, Bytes
// views the caller's buffer, which must outlive the record; when writing, it
// views whatever the caller keeps alive.
struct ImageRecord {
    // The extension as it goes into the file (cut to 4 characters when
    // written) or as read back, made safe by SanitiseExtension.
    std::string Extension;
    // The length the file declared (may be negative or beyond the end).
    std::int32_t DeclaredLength = 0;
    std::span<const std::uint8_t> Bytes;
    // The declared length ran past the end of the file: Bytes holds what
    // was left.
    bool CutShort = false;
};

struct CoverSection {
    std::uint8_t Tag = 0;
    std::size_t Offset = 0;  // of the tag byte
    bool Known = true;       // false for a tag without payload
    std::uint8_t Code = 0;   // 0x00: the type code
    // The int32 values in file order: scroll-bar positions for 0x01..0x06
    // and 0x69, the colour for 0x68, 0x6A, 0x6D, 0x6E, and for 0x6B the
    // light colour, ShadowSB and AmbientSB.
    std::vector<std::int32_t> Values;
    bool Flag = false;                // 0x68: floor textured; 0x6B: draw shadow
    std::vector<ImageRecord> Images;  // one for 0x64..0x67, books x 3 for 0x6C
};

// Where a file ended inside a section.
struct CutShortSection {
    std::uint8_t Tag = 0;
    std::size_t TagOffset = 0;
    std::size_t FileSize = 0;
};

struct ParsedCoverFile {
    bool MagicOk = false;
    std::vector<CoverSection> Sections;  // every complete section, in file order
    // Set when the file ended inside a section's fixed payload (a tag, an
    // integer, an extension or a length); the sections before it are kept.
    std::optional<CutShortSection> CutShort;
};

// The number of books whose images follow a 0x6C tag, given the sections
// read before it. The default takes the last type section's code from the
// code table (2, 3 or 4 for the boxes of books, else 0; 0 with no type
// section).
using BookCountFn = std::function<int(const std::vector<CoverSection>& before)>;
int BooksForCode(std::uint8_t code);

// Parses a project or template. A wrong magic gives MagicOk false and no
// sections. Never reads out of bounds and never allocates by a length taken
// from the file.
ParsedCoverFile ParseCoverFile(std::span<const std::uint8_t> data, CoverFileKind kind,
                               const BookCountFn& books = {});

// An extension read from a file, made safe to append to a fixed file name:
// only the first character may be a dot; any other dot, "/", "\", NUL,
// control character or non-ASCII byte becomes "_". So a working copy never
// leaves its folder.
std::string SanitiseExtension(std::string_view raw);

// The extension of `path`'s file name, dot included ("" when none).
std::string FileExtension(const std::string& path);

// Writes the magic of `kind` and every section in the given order. Image
// extensions are cut to their first 4 characters; spare characters are 0.
void WriteCoverFile(std::ostream& out, CoverFileKind kind,
                    const std::vector<CoverSection>& sections);
std::vector<std::uint8_t> CoverFileBytes(CoverFileKind kind,
                                         const std::vector<CoverSection>& sections);

// Section builders.
CoverSection TypeSection(std::uint8_t code);
CoverSection ValuesSection(std::uint8_t tag, std::vector<std::int32_t> values, bool flag = false);
CoverSection ImageSection(std::uint8_t tag, std::vector<ImageRecord> images);

// A readable name for a tag ("type", "camera", "image1", ...; "unknown").
std::string_view TagName(std::uint8_t tag);

}  // namespace tessaly
