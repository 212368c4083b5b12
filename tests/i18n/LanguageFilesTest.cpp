// Checks the shipped language files under data/program/Languages: the
// catalogue names files that exist, English holds every caption path the
// windows translate, every message key and every cover type name, and every
// other language holds every key English has, each with a usable text. Values
// are read with the program's own INI reader, so a line it would not find
// (a typo, a key in the wrong section, a second section of the same name) is
// reported as missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/i18n/ExportTexts.h"
#include "core/i18n/IniReader.h"
#include "core/i18n/LanguageCatalogue.h"
#include "core/i18n/Messages.h"
#include "core/i18n/WindowMessageKeys.h"
#include "core/i18n/Tooltips.h"
#include "core/i18n/TranslatedProperties.h"
#include "core/i18n/WindowTexts.h"
#include "core/model/CoverTypes.h"
#include "core/model/ModelCatalogue.h"
#include "core/settings/SettingsFile.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTranslations = "Translations";

// Lines of the caption list that name no control: they are kept empty in
// every language, since an empty value never changes a caption.
const std::set<std::string, std::less<>> kLinesNamingNoControl = {
    "mForm.Button5.Caption", "mForm.Button6.Caption", "mForm..Caption"};

fs::path SourceLanguages() {
    return test::SourceDir() / "data" / "program" / "Languages";
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The key lines of each section of an INI text, as written, in file order,
// keyed by the lower-cased section name. Section names seen twice are
// recorded in `repeatedSections`.
struct IniLayout {
    std::map<std::string, std::vector<std::string>> Keys;
    std::vector<std::string> RepeatedSections;
};

IniLayout ReadLayout(std::string_view text) {
    IniLayout layout;
    std::string section;
    std::istringstream in{std::string(text)};
    for (std::string raw; std::getline(in, raw);) {
        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            section = Lower(Trim(line.substr(1, line.find(']') - 1)));
            if (layout.Keys.count(section)) layout.RepeatedSections.push_back(section);
            layout.Keys[section];
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos)
            layout.Keys[section].emplace_back(Trim(line.substr(0, eq)));
    }
    return layout;
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const std::size_t extra = lead < 0x80             ? 0
                                  : (lead & 0xE0) == 0xC0 ? 1
                                  : (lead & 0xF0) == 0xE0 ? 2
                                  : (lead & 0xF8) == 0xF0 ? 3
                                                          : 4;
        if (extra == 4 || s.size() - i < extra + 1) return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

std::vector<LanguageCatalogueEntry> Catalogue() {
    return ParseLanguageCatalogue(ReadText(SourceLanguages() / kLanguageCatalogueName));
}

// The identifiers the cover type list shows: the fifteen known ones and every
// entry of the model catalogue the build wrote.
std::set<std::string> CoverTypeIds() {
    std::set<std::string> ids;
    for (const CoverType& type : kCoverTypes) ids.emplace(type.Id);
    const fs::path models = test::ProgramDir() / "Tsym" / "models.ini";
    if (fs::exists(models)) {
        ModelCatalogue catalogue;
        ParseModelCatalogue(catalogue, ReadText(models), models.string(),
                            [](const std::string&, TmodelEMO&) {}, {});
        for (int e = 1; e <= catalogue.Count; ++e) ids.insert(catalogue.Item(e).Id);
    }
    return ids;
}

// The English file: the one the default "Language" setting names.
fs::path EnglishFile() {
    TSettingsFile settings;
    settings.Load(test::SourceDir() / "data" / "program" / "settings.ini");
    return SourceLanguages() / settings.ReadValue("Language");
}

TEST(LanguageFiles, CatalogueNamesExistingDistinctFilesWithTheDefaultFirst) {
    const std::vector<LanguageCatalogueEntry> entries = Catalogue();
    ASSERT_GE(entries.size(), 4u) << "English, German, French and Spanish at least";
    EXPECT_LE(entries.size(), 50u) << "the language table holds 50 files";
    EXPECT_EQ(SourceLanguages() / entries.front().FileName, EnglishFile())
        << "the language of the default settings comes first";

    std::set<std::string> names, files;
    for (const LanguageCatalogueEntry& entry : entries) {
        SCOPED_TRACE(entry.FileName);
        EXPECT_FALSE(Trim(entry.DisplayName).empty());
        EXPECT_EQ(Trim(entry.FileName), entry.FileName) << "blanks would be part of the name";
        EXPECT_TRUE(fs::is_regular_file(SourceLanguages() / entry.FileName));
        EXPECT_TRUE(IsValidUtf8(entry.DisplayName));
        EXPECT_TRUE(names.insert(entry.DisplayName).second) << "display name listed twice";
        EXPECT_TRUE(files.insert(Lower(entry.FileName)).second) << "file listed twice";
    }
}

TEST(LanguageFiles, EnglishHoldsEveryCaptionMessageAndCoverTypeName) {
    const fs::path english = EnglishFile();
    ASSERT_TRUE(fs::is_regular_file(english)) << english;

    for (std::string_view path : kMainTranslatedProperties) {
        SCOPED_TRACE(path);
        const std::optional<std::string> value = ReadIniValue(english, kTranslations, path);
        ASSERT_TRUE(value.has_value()) << "caption path missing";
        EXPECT_EQ(value->empty(), kLinesNamingNoControl.count(path) == 1)
            << "only the lines naming no control are empty";
    }
    std::vector<std::string> messageKeys(kMessageKeys.begin(), kMessageKeys.end());
    for (const std::string& id : CoverTypeIds()) messageKeys.push_back(id);
    for (const WindowText& text : kWindowTexts) messageKeys.emplace_back(text.key);
    for (const WindowText& text : kExportTexts) messageKeys.emplace_back(text.key);
    for (std::string_view key : kWindowMessageKeys) messageKeys.emplace_back(key);
    for (const WindowText& text : kTooltipTexts) messageKeys.emplace_back(text.key);
    for (const std::string& key : messageKeys) {
        SCOPED_TRACE(key);
        const std::optional<std::string> value = ReadIniValue(english, kMessagesSection, key);
        ASSERT_TRUE(value.has_value()) << "message missing";
        EXPECT_FALSE(value->empty());
    }

    // Nothing beyond those: a key the program never asks for is a misspelt one.
    const IniLayout layout = ReadLayout(ReadText(english));
    std::set<std::string> knownPaths, knownKeys;
    for (std::string_view path : kMainTranslatedProperties) knownPaths.insert(Lower(path));
    for (const std::string& key : messageKeys) knownKeys.insert(Lower(key));
    for (const std::string& key : layout.Keys.at("translations"))
        EXPECT_TRUE(knownPaths.count(Lower(key))) << "unknown caption path " << key;
    for (const std::string& key : layout.Keys.at("messages"))
        EXPECT_TRUE(knownKeys.count(Lower(key))) << "unknown message key " << key;
}

TEST(LanguageFiles, EveryLanguageHoldsEveryKeyOfEnglishWithAText) {
    const fs::path english = EnglishFile();
    const IniLayout englishLayout = ReadLayout(ReadText(english));

    for (const LanguageCatalogueEntry& entry : Catalogue()) {
        SCOPED_TRACE(entry.FileName);
        const fs::path file = SourceLanguages() / entry.FileName;
        if (!fs::is_regular_file(file)) {
            ADD_FAILURE() << "file missing";
            continue;
        }
        const std::string text = ReadText(file);
        EXPECT_TRUE(IsValidUtf8(text));
        const IniLayout layout = ReadLayout(text);
        EXPECT_TRUE(layout.RepeatedSections.empty()) << "a repeated section is never read";

        for (const auto& [section, keys] : englishLayout.Keys) {
            if (section.empty()) continue;
            // Keys the language has beyond English's are never asked for.
            std::set<std::string> englishKeys;
            for (const std::string& key : keys) englishKeys.insert(Lower(key));
            std::set<std::string> seen;
            const auto found = layout.Keys.find(section);
            if (found == layout.Keys.end()) {
                ADD_FAILURE() << "section " << section << " missing";
                continue;
            }
            for (const std::string& key : found->second) {
                EXPECT_TRUE(seen.insert(Lower(key)).second) << key << " written twice";
                EXPECT_TRUE(englishKeys.count(Lower(key))) << key << " is not a key of English";
            }

            for (const std::string& key : keys) {
                const std::optional<std::string> own = ReadIniValue(file, section, key);
                if (!own) {
                    ADD_FAILURE() << key << " missing";
                    continue;
                }
                const bool englishEmpty = ReadIniString(english, section, key, "").empty();
                EXPECT_EQ(own->empty(), englishEmpty) << key;
                EXPECT_LT(own->size(), kIniMaxValueBytes) << key << " would be cut";
            }
        }
        // The file's path is appended to this text: it must end in a blank.
        const std::string cclf = GetMessage(file, "cclf");
        EXPECT_TRUE(!cclf.empty() && cclf.back() == ' ') << "cclf: \"" << cclf << "\"";
    }
}

TEST(LanguageFiles, BuildFolderHoldsTheSameFiles) {
    const fs::path built = test::ProgramDir() / "Languages";
    std::vector<std::string> names{std::string(kLanguageCatalogueName)};
    for (const LanguageCatalogueEntry& entry : Catalogue()) names.push_back(entry.FileName);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fs::is_regular_file(built / name));
        EXPECT_EQ(ReadText(built / name), ReadText(SourceLanguages() / name));
    }
}

}  // namespace
}  // namespace tessaly
