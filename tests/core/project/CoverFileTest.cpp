// The section format of projects and templates: exact byte layouts, parsing
// in any order, unknown tags, wrong magic, files cut short and lengths that
// run past the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/project/CoverFile.h"

namespace tessaly {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
}

Bytes Magic(const char* m) {
    return Bytes(m, m + 4);
}

void PutImage(Bytes& b, const std::string& ext, std::int32_t length, const Bytes& data) {
    b.push_back(static_cast<std::uint8_t>(ext.size()));
    for (int i = 0; i < 4; ++i) b.push_back(i < static_cast<int>(ext.size()) ? ext[i] : 0);
    Put32(b, length);
    b.insert(b.end(), data.begin(), data.end());
}

std::vector<CoverSection> StdboxTemplateSections() {
    return {TypeSection(1), ValuesSection(cover_tag::CoverPosition, {330, 0, 0, 0}),
            ValuesSection(cover_tag::Camera, {100, 0, 11, 50, 100, 100}),
            ValuesSection(cover_tag::FieldOfView, {45}),
            ValuesSection(cover_tag::Light, {100, 40, 40})};
}

TEST(CoverFileTest, StdboxTemplateIsSixtySixBytesInFixedLayout) {
    const Bytes bytes = CoverFileBytes(CoverFileKind::Template, StdboxTemplateSections());
    ASSERT_EQ(bytes.size(), 66u);
    Bytes expected = Magic("tsyt");
    expected.insert(expected.end(), {0x00, 0x01, 0x01});
    for (int v : {330, 0, 0, 0}) Put32(expected, v);
    expected.push_back(0x02);
    for (int v : {100, 0, 11, 50, 100, 100}) Put32(expected, v);
    expected.push_back(0x03);
    Put32(expected, 45);
    expected.push_back(0x04);
    for (int v : {100, 40, 40}) Put32(expected, v);
    EXPECT_EQ(bytes, expected);

    auto withOption = StdboxTemplateSections();
    withOption.insert(withOption.begin() + 1, ValuesSection(cover_tag::Dimensions, {95, 95, 95}));
    EXPECT_EQ(CoverFileBytes(CoverFileKind::Template, withOption).size(), 66u + 13u);
    withOption[1] = ValuesSection(cover_tag::CaseAngle, {30});
    EXPECT_EQ(CoverFileBytes(CoverFileKind::Template, withOption).size(), 66u + 5u);
}

TEST(CoverFileTest, ProjectSectionsRoundTripWithExactPayloads) {
    const Bytes image = {1, 2, 3, 4, 5};
    const Bytes floor = {9};
    std::vector<CoverSection> sections = {
        TypeSection(10),
        ImageSection(cover_tag::Image1, {ImageRecord{".jpeg", 5, image, false}}),
        ImageSection(cover_tag::FloorImage, {ImageRecord{".png", 1, floor, false}}),
        ImageSection(cover_tag::BookImages,
                     std::vector<ImageRecord>(6, ImageRecord{".jpg", 1, floor, false})),
        ValuesSection(cover_tag::Floor, {0x00332211}, true),
        ValuesSection(cover_tag::LightShadow, {0x00FFEEDD, 20, 7}, false),
        ValuesSection(cover_tag::SpiralColor, {0x123456}),
    };
    const Bytes bytes = CoverFileBytes(CoverFileKind::Project, sections);
    // ".jpeg" is stored as ".jpe": length byte 4, then the four characters.
    ASSERT_GT(bytes.size(), 16u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "tsyc");
    EXPECT_EQ(bytes[6], 0x64);
    EXPECT_EQ(bytes[7], 4);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), ".jpe");
    EXPECT_EQ(bytes[12], 5);

    const ParsedCoverFile parsed = ParseCoverFile(bytes, CoverFileKind::Project);
    ASSERT_TRUE(parsed.MagicOk);
    EXPECT_FALSE(parsed.CutShort);
    ASSERT_EQ(parsed.Sections.size(), sections.size());
    EXPECT_EQ(parsed.Sections[0].Code, 10);
    EXPECT_EQ(parsed.Sections[1].Images.at(0).Extension, ".jpe");
    EXPECT_EQ(
        Bytes(parsed.Sections[1].Images[0].Bytes.begin(), parsed.Sections[1].Images[0].Bytes.end()),
        image);
    EXPECT_EQ(parsed.Sections[2].Images.at(0).Extension, ".png");
    EXPECT_EQ(parsed.Sections[3].Images.size(), 6u);  // two books after type code 10
    EXPECT_TRUE(parsed.Sections[4].Flag);
    EXPECT_EQ(parsed.Sections[4].Values, std::vector<std::int32_t>{0x00332211});
    EXPECT_FALSE(parsed.Sections[5].Flag);
    EXPECT_EQ(parsed.Sections[5].Values, (std::vector<std::int32_t>{0x00FFEEDD, 20, 7}));
    EXPECT_EQ(parsed.Sections[6].Values, std::vector<std::int32_t>{0x123456});
    // Writing what was read gives the same bytes.
    EXPECT_EQ(CoverFileBytes(CoverFileKind::Project, parsed.Sections), bytes);
}

TEST(CoverFileTest, WrongMagicGivesNoSections) {
    const Bytes project = CoverFileBytes(CoverFileKind::Project, {TypeSection(1)});
    const Bytes templ = CoverFileBytes(CoverFileKind::Template, {TypeSection(1)});
    EXPECT_FALSE(ParseCoverFile(project, CoverFileKind::Template).MagicOk);
    EXPECT_FALSE(ParseCoverFile(templ, CoverFileKind::Project).MagicOk);
    EXPECT_FALSE(ParseCoverFile(Bytes{'t', 's', 'y'}, CoverFileKind::Project).MagicOk);
    EXPECT_TRUE(ParseCoverFile(Magic("tsyc"), CoverFileKind::Project).MagicOk);
}

TEST(CoverFileTest, UnknownTagsAreLoneBytesAndSectionsComeInAnyOrder) {
    Bytes b = Magic("tsyc");
    b.push_back(0x04);
    for (int v : {1, 2, 3}) Put32(b, v);
    b.push_back(0x7F);  // unknown: nothing follows it
    b.push_back(0x00);
    b.push_back(0x07);
    b.push_back(0x6A);
    Put32(b, 0xABCDEF);
    const ParsedCoverFile parsed = ParseCoverFile(b, CoverFileKind::Project);
    ASSERT_EQ(parsed.Sections.size(), 4u);
    EXPECT_EQ(parsed.Sections[0].Values, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_FALSE(parsed.Sections[1].Known);
    EXPECT_EQ(parsed.Sections[2].Code, 7);
    EXPECT_EQ(parsed.Sections[3].Values.at(0), 0xABCDEF);
    EXPECT_EQ(parsed.Sections[3].Offset, 4u + 13u + 1u + 2u);

    // In a template the image and colour tags are unknown lone bytes too.
    Bytes t = Magic("tsyt");
    t.insert(t.end(), {0x64, 0x6A, 0x00, 0x02});
    const ParsedCoverFile tp = ParseCoverFile(t, CoverFileKind::Template);
    ASSERT_EQ(tp.Sections.size(), 3u);
    EXPECT_FALSE(tp.Sections[0].Known);
    EXPECT_FALSE(tp.Sections[1].Known);
    EXPECT_EQ(tp.Sections[2].Code, 2);
}

TEST(CoverFileTest, CutShortFileKeepsTheSectionsBeforeIt) {
    Bytes b = Magic("tsyt");
    b.insert(b.end(), {0x00, 0x04});
    b.push_back(0x02);
    for (int v : {1, 2, 3}) Put32(b, v);  // 3 of 6 camera values
    const ParsedCoverFile parsed = ParseCoverFile(b, CoverFileKind::Template);
    ASSERT_EQ(parsed.Sections.size(), 1u);
    EXPECT_EQ(parsed.Sections[0].Code, 4);
    ASSERT_TRUE(parsed.CutShort);
    EXPECT_EQ(parsed.CutShort->Tag, 0x02);
    EXPECT_EQ(parsed.CutShort->TagOffset, 6u);
    EXPECT_EQ(parsed.CutShort->FileSize, b.size());

    // Cut inside an image record's extension or length.
    for (std::size_t keep : {1u, 4u, 7u}) {
        Bytes p = Magic("tsyc");
        p.push_back(0x64);
        PutImage(p, ".jpg", 3, {1, 2, 3});
        p.resize(5 + keep);
        const ParsedCoverFile cut = ParseCoverFile(p, CoverFileKind::Project);
        EXPECT_TRUE(cut.Sections.empty());
        ASSERT_TRUE(cut.CutShort) << keep;
        EXPECT_EQ(cut.CutShort->Tag, 0x64);
    }
    // A type tag with no code.
    Bytes p = Magic("tsyc");
    p.push_back(0x00);
    EXPECT_TRUE(ParseCoverFile(p, CoverFileKind::Project).CutShort);
}

TEST(CoverFileTest, ImageLengthBeyondTheEndGivesWhatIsLeftWithoutAllocating) {
    Bytes b = Magic("tsyc");
    b.push_back(0x65);
    PutImage(b, ".png", 0x7FFFFFFF, {7, 8, 9});
    const ParsedCoverFile parsed = ParseCoverFile(b, CoverFileKind::Project);
    EXPECT_FALSE(parsed.CutShort);
    ASSERT_EQ(parsed.Sections.size(), 1u);
    const ImageRecord& r = parsed.Sections[0].Images.at(0);
    EXPECT_TRUE(r.CutShort);
    EXPECT_EQ(r.DeclaredLength, 0x7FFFFFFF);
    EXPECT_EQ(r.Bytes.size(), 3u);

    // A negative length is an empty image; the next section follows at once.
    Bytes n = Magic("tsyc");
    n.push_back(0x66);
    PutImage(n, ".jpg", -5, {});
    n.insert(n.end(), {0x00, 0x01});
    const ParsedCoverFile neg = ParseCoverFile(n, CoverFileKind::Project);
    ASSERT_EQ(neg.Sections.size(), 2u);
    EXPECT_TRUE(neg.Sections[0].Images.at(0).Bytes.empty());
    EXPECT_EQ(neg.Sections[1].Code, 1);
}

TEST(CoverFileTest, BookImageCountFollowsTheTypeReadBefore) {
    auto file = [](std::initializer_list<std::uint8_t> prefix, int records) {
        Bytes b = Magic("tsyc");
        b.insert(b.end(), prefix);
        b.push_back(0x6C);
        for (int i = 0; i < records; ++i) PutImage(b, ".jpg", 1, {static_cast<std::uint8_t>(i)});
        return b;
    };
    EXPECT_TRUE(ParseCoverFile(file({0x00, 0x01}, 0), CoverFileKind::Project)
                    .Sections.back()
                    .Images.empty());
    EXPECT_EQ(
        ParseCoverFile(file({0x00, 11}, 9), CoverFileKind::Project).Sections.back().Images.size(),
        9u);
    EXPECT_EQ(
        ParseCoverFile(file({0x00, 12}, 12), CoverFileKind::Project).Sections.back().Images.size(),
        12u);
    // Without a type section the caller says how many books.
    const Bytes none = file({}, 6);
    EXPECT_TRUE(ParseCoverFile(none, CoverFileKind::Project).Sections.at(0).Images.empty());
    EXPECT_EQ(ParseCoverFile(none, CoverFileKind::Project, [](const auto&) { return 2; })
                  .Sections.back()
                  .Images.size(),
              6u);
    // Two books announced but the file ends after one record: cut short.
    const ParsedCoverFile cut = ParseCoverFile(file({0x00, 10}, 1), CoverFileKind::Project);
    EXPECT_TRUE(cut.CutShort);
    EXPECT_EQ(cut.Sections.size(), 1u);
}

TEST(CoverFileTest, ExtensionsAreMadeSafeAndCutToTheirLength) {
    EXPECT_EQ(SanitiseExtension(".jpg"), ".jpg");
    EXPECT_EQ(SanitiseExtension(".JPE"), ".JPE");
    EXPECT_EQ(SanitiseExtension("/.."), "___");
    EXPECT_EQ(SanitiseExtension(".\\a"), "._a");
    EXPECT_EQ(SanitiseExtension(std::string("\0ab", 3)), "_ab");
    EXPECT_EQ(SanitiseExtension("..."), ".__");
    EXPECT_EQ(SanitiseExtension("\xC3\xA9"), "__");

    Bytes b = Magic("tsyc");
    b.push_back(0x64);
    b.push_back(200);  // a length byte over the capacity uses all four characters
    b.insert(b.end(), {'/', '.', '.', '/'});
    Put32(b, 0);
    b.push_back(0x65);
    b.push_back(2);
    b.insert(b.end(), {'.', 'x', 'y', 'z'});
    Put32(b, 0);
    const ParsedCoverFile parsed = ParseCoverFile(b, CoverFileKind::Project);
    ASSERT_EQ(parsed.Sections.size(), 2u);
    EXPECT_EQ(parsed.Sections[0].Images[0].Extension, "____");
    EXPECT_EQ(parsed.Sections[1].Images[0].Extension, ".x");

    EXPECT_EQ(FileExtension("/a/b/Image1.jpeg"), ".jpeg");
    EXPECT_EQ(FileExtension("/a.b/Image1"), "");
}

}  // namespace
}  // namespace tessaly

#include "core/util/Sha256.h"

namespace tessaly {
namespace {

TEST(Sha256Test, KnownDigests) {
    const std::string abc = "abc";
    EXPECT_EQ(Sha256Hex({reinterpret_cast<const std::uint8_t*>(abc.data()), abc.size()}),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex({}), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    const std::string two =
        "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";  // 56 bytes: two tail blocks
    EXPECT_EQ(Sha256Hex({reinterpret_cast<const std::uint8_t*>(two.data()), two.size()}),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

}  // namespace
}  // namespace tessaly
