#include "core/project/CoverFile.h"

#include <algorithm>
#include <sstream>

#include "core/io/ByteReader.h"
#include "core/model/CoverTypes.h"

namespace tessaly {

namespace {

constexpr std::size_t kExtensionCapacity = 4;

bool IsImageTag(std::uint8_t tag) {
    return tag >= cover_tag::Image1 && tag <= cover_tag::FloorImage;
}

// The fixed int32 count after the tag (and the boolean, where there is one).
int FixedIntCount(std::uint8_t tag) {
    if (int n = ScrollSectionCount(tag)) return n;
    switch (tag) {
        case cover_tag::Floor:
        case cover_tag::Reflection:
        case cover_tag::Background:
        case cover_tag::SpineColor:
        case cover_tag::SpiralColor:
            return 1;
        case cover_tag::LightShadow:
            return 3;
        default:
            return 0;
    }
}

ImageRecord ReadImageRecord(ByteReader& in) {
    ImageRecord record;
    const std::uint8_t length = in.U8();
    const std::string chars = in.String(kExtensionCapacity);
    record.Extension = SanitiseExtension(
        std::string_view(chars).substr(0, std::min<std::size_t>(length, kExtensionCapacity)));
    record.DeclaredLength = in.I32();
    // A length beyond the end gives what is left: a shorter image, and the
    // end of the file ends the reading.
    const std::size_t wanted =
        record.DeclaredLength > 0 ? static_cast<std::size_t>(record.DeclaredLength) : 0;
    const std::size_t take = std::min(wanted, in.Remaining());
    record.CutShort = take < wanted;
    record.Bytes = in.Bytes(take);
    return record;
}

int DefaultBooks(const std::vector<CoverSection>& before) {
    for (auto it = before.rbegin(); it != before.rend(); ++it)
        if (it->Tag == cover_tag::Type) return BooksForCode(it->Code);
    return 0;
}

void PutI32(std::ostream& out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF),
                           static_cast<char>((v >> 24) & 0xFF)};
    out.write(bytes, 4);
}

void PutImage(std::ostream& out, const ImageRecord& record) {
    const std::string ext = record.Extension.substr(0, kExtensionCapacity);
    char field[1 + kExtensionCapacity] = {};
    field[0] = static_cast<char>(ext.size());
    std::copy(ext.begin(), ext.end(), field + 1);
    out.write(field, sizeof field);
    PutI32(out, static_cast<std::int32_t>(record.Bytes.size()));
    out.write(reinterpret_cast<const char*>(record.Bytes.data()),
              static_cast<std::streamsize>(record.Bytes.size()));
}

}  // namespace

int ScrollSectionCount(std::uint8_t tag) {
    switch (tag) {
        case cover_tag::CoverPosition:
            return 4;
        case cover_tag::Camera:
            return 6;
        case cover_tag::FieldOfView:
            return 1;
        case cover_tag::Light:
            return 3;
        case cover_tag::CaseAngle:
            return 1;
        case cover_tag::Dimensions:
            return 3;
        default:
            return 0;
    }
}

bool IsKnownTag(CoverFileKind kind, std::uint8_t tag) {
    if (tag <= cover_tag::Dimensions) return true;
    return kind == CoverFileKind::Project && tag >= cover_tag::Image1 &&
           tag <= cover_tag::SpiralColor;
}

int BooksForCode(std::uint8_t code) {
    const CoverType* type = FindCoverType(IdentifierForCode(code));
    return type ? type->Books : 0;
}

ParsedCoverFile ParseCoverFile(std::span<const std::uint8_t> data, CoverFileKind kind,
                               const BookCountFn& books) {
    ParsedCoverFile result;
    const std::string_view magic = kind == CoverFileKind::Project ? kProjectMagic : kTemplateMagic;
    if (data.size() < magic.size() ||
        !std::equal(magic.begin(), magic.end(), data.begin(),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
        return result;
    result.MagicOk = true;

    ByteReader in(data);
    in.Skip(magic.size());
    while (!in.AtEnd()) {
        CoverSection section;
        section.Offset = in.Position();
        section.Tag = in.U8();
        section.Known = IsKnownTag(kind, section.Tag);
        try {
            if (!section.Known) {
                // Nothing more is read for an unknown tag.
            } else if (section.Tag == cover_tag::Type) {
                section.Code = in.U8();
            } else if (IsImageTag(section.Tag)) {
                section.Images.push_back(ReadImageRecord(in));
            } else if (section.Tag == cover_tag::BookImages) {
                const int n = std::clamp(
                    books ? books(result.Sections) : DefaultBooks(result.Sections), 0, 4);
                for (int i = 0; i < 3 * n; ++i) {
                    section.Images.push_back(ReadImageRecord(in));
                    // A record that ran past the end ends the reading.
                    if (section.Images.back().CutShort) break;
                }
            } else {
                const int count = FixedIntCount(section.Tag);
                if (section.Tag == cover_tag::Floor) section.Flag = in.U8() != 0;
                for (int i = 0; i < count; ++i) {
                    section.Values.push_back(in.I32());
                    if (section.Tag == cover_tag::LightShadow && i == 0)
                        section.Flag = in.U8() != 0;
                }
            }
        } catch (const ShortRead&) {
            result.CutShort = CutShortSection{section.Tag, section.Offset, data.size()};
            return result;
        }
        result.Sections.push_back(std::move(section));
    }
    return result;
}

std::string SanitiseExtension(std::string_view raw) {
    std::string ext(raw);
    for (std::size_t i = 0; i < ext.size(); ++i) {
        const auto c = static_cast<unsigned char>(ext[i]);
        const bool dot = c == '.';
        const bool unsafe = c < 0x20 || c >= 0x7F || c == '/' || c == '\\' || (dot && i > 0);
        if (unsafe) ext[i] = '_';
    }
    return ext;
}

std::string FileExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return path.substr(dot);
}

void WriteCoverFile(std::ostream& out, CoverFileKind kind,
                    const std::vector<CoverSection>& sections) {
    const std::string_view magic = kind == CoverFileKind::Project ? kProjectMagic : kTemplateMagic;
    out.write(magic.data(), static_cast<std::streamsize>(magic.size()));
    for (const CoverSection& s : sections) {
        out.put(static_cast<char>(s.Tag));
        if (!IsKnownTag(kind, s.Tag)) continue;
        if (s.Tag == cover_tag::Type) {
            out.put(static_cast<char>(s.Code));
        } else if (IsImageTag(s.Tag) || s.Tag == cover_tag::BookImages) {
            for (const ImageRecord& r : s.Images) PutImage(out, r);
        } else {
            if (s.Tag == cover_tag::Floor) out.put(s.Flag ? 1 : 0);
            for (std::size_t i = 0; i < s.Values.size(); ++i) {
                PutI32(out, s.Values[i]);
                if (s.Tag == cover_tag::LightShadow && i == 0) out.put(s.Flag ? 1 : 0);
            }
        }
    }
}

std::vector<std::uint8_t> CoverFileBytes(CoverFileKind kind,
                                         const std::vector<CoverSection>& sections) {
    std::ostringstream out(std::ios::binary);
    WriteCoverFile(out, kind, sections);
    const std::string s = std::move(out).str();
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

CoverSection TypeSection(std::uint8_t code) {
    CoverSection s;
    s.Tag = cover_tag::Type;
    s.Code = code;
    return s;
}

CoverSection ValuesSection(std::uint8_t tag, std::vector<std::int32_t> values, bool flag) {
    CoverSection s;
    s.Tag = tag;
    s.Values = std::move(values);
    s.Flag = flag;
    return s;
}

CoverSection ImageSection(std::uint8_t tag, std::vector<ImageRecord> images) {
    CoverSection s;
    s.Tag = tag;
    s.Images = std::move(images);
    return s;
}

std::string_view TagName(std::uint8_t tag) {
    switch (tag) {
        case cover_tag::Type:
            return "type";
        case cover_tag::CoverPosition:
            return "coverPosition";
        case cover_tag::Camera:
            return "camera";
        case cover_tag::FieldOfView:
            return "fieldOfView";
        case cover_tag::Light:
            return "light";
        case cover_tag::CaseAngle:
            return "caseAngle";
        case cover_tag::Dimensions:
            return "dimensions";
        case cover_tag::Image1:
            return "image1";
        case cover_tag::Image2:
            return "image2";
        case cover_tag::Image3:
            return "image3";
        case cover_tag::FloorImage:
            return "floorImage";
        case cover_tag::Floor:
            return "floor";
        case cover_tag::Reflection:
            return "reflection";
        case cover_tag::Background:
            return "background";
        case cover_tag::LightShadow:
            return "lightAndShadow";
        case cover_tag::BookImages:
            return "bookImages";
        case cover_tag::SpineColor:
            return "spineColor";
        case cover_tag::SpiralColor:
            return "spiralColor";
        default:
            return "unknown";
    }
}

}  // namespace tessaly
