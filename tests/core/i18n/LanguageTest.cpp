#include "core/i18n/Language.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <set>

#include "core/i18n/LanguageCatalogue.h"
#include "core/i18n/TranslatedProperties.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

// A component tree of plain objects: each node owns named children and has
// a few properties of each kind, looked up without regard to case.
class Node : public LanguageComponent {
  public:
    explicit Node(std::string name) : name_(std::move(name)) {}

    Node& Add(const std::string& name) {
        owned_.push_back(std::make_unique<Node>(name));
        return *owned_.back();
    }
    LanguageComponent* FindOwned(std::string_view name) override {
        for (auto& child : owned_)
            if (SameComponentName(child->name_, name)) return child.get();
        return nullptr;
    }
    LanguagePropertyKind PropertyKind(std::string_view property) const override {
        if (Find(texts, property)) return LanguagePropertyKind::Text;
        if (Find(integers, property)) return LanguagePropertyKind::Integer;
        if (Find(lists, property)) return LanguagePropertyKind::StringList;
        return LanguagePropertyKind::None;
    }
    std::string PropertyText(std::string_view property) const override {
        const std::string* text = Find(texts, property);
        return text ? *text : std::string();
    }
    void SetText(std::string_view property, const std::string& value) override {
        *Find(texts, property) = value;
    }
    void SetInteger(std::string_view property, int value) override {
        *Find(integers, property) = value;
    }
    void SetStringList(std::string_view property, const std::vector<std::string>& items) override {
        *Find(lists, property) = items;
    }

    std::map<std::string, std::string> texts;
    std::map<std::string, int> integers;
    std::map<std::string, std::vector<std::string>> lists;

  private:
    template <typename Map>
    static auto Find(Map& map, std::string_view property) -> decltype(&map.begin()->second) {
        for (auto& [name, value] : map)
            if (SameComponentName(name, property)) return &value;
        return nullptr;
    }

    std::string name_;
    std::vector<std::unique_ptr<Node>> owned_;
};

// The application object with a main window and an options dialog.
struct Tree {
    Tree() {
        app.texts["Title"] = "app";
        Node& main = app.Add("mForm");
        main.texts["Caption"] = "Main";
        label = &main.Add("Label74");
        label->texts["Caption"] = "old label";
        combo = &main.Add("ModelsComboBox");
        combo->lists["Items"] = {"a"};
        combo->integers["ItemIndex"] = 0;
        Node& options = app.Add("oForm");
        options.texts["Caption"] = "General options";
        options.Add("Label1").texts["Caption"] = "Language:";
        unnamed = &main.Add("");
        unnamed->texts["Caption"] = "unnamed";
    }
    Node app{"Application"};
    Node* label = nullptr;
    Node* combo = nullptr;
    Node* unnamed = nullptr;
    Node& Options() { return static_cast<Node&>(*app.FindOwned("oForm")); }
    Node& Main() { return static_cast<Node&>(*app.FindOwned("mForm")); }
};

class LanguageTest : public ::testing::Test {
  protected:
    void WriteFile(const std::string& translations) {
        std::ofstream(file, std::ios::binary) << "[Translations]\r\n"
                                              << translations << "[Messages]\r\nliat=Loading\r\n";
        language.LanguageFile = file.string();
    }
    test::TempDir dir;
    std::filesystem::path file = dir / "Test.ini";
    TLanguage language;
    Tree tree;
};

TEST_F(LanguageTest, PathsMatchWithoutRegardToCaseAndAroundBlanks) {
    language.SetProperties({"MFORM.label74.CAPTION", " mForm . Label74 . Caption ", "oForm.Caption",
                            "Title", "mForm.Caption"});
    WriteFile(
        "MFORM.label74.CAPTION=first\r\n mForm . Label74 . Caption =second\r\n"
        "Title=Tessaly app\r\n");
    language.Translate(tree.app);
    // Both lines reach the same label; the later one wins.
    EXPECT_EQ(tree.label->texts["Caption"], "second");
    // A line without a full stop is a property of the application object.
    EXPECT_EQ(tree.app.texts["Title"], "Tessaly app");
    // Lines without a translation leave their captions as they were.
    EXPECT_EQ(tree.Options().texts["Caption"], "General options");
    EXPECT_EQ(tree.Main().texts["Caption"], "Main");
}

TEST_F(LanguageTest, MissingComponentsEmptyValuesAndEmptyNamesChangeNothing) {
    language.SetProperties({"", "   ", "mForm.Button5.Caption", "nowhere.Label74.Caption",
                            "mForm..Caption", "mForm.Label74.Caption", "mForm.Label74.Font",
                            "oForm.Label1.Caption"});
    WriteFile(
        "mForm.Button5.Caption=x\r\nnowhere.Label74.Caption=y\r\nmForm..Caption=z\r\n"
        "mForm.Label74.Caption=\r\nmForm.Label74.Font=Arial\r\n"
        "oForm.Label1.Caption=Sprache:\r\n");
    EXPECT_NO_THROW(language.Translate(tree.app));
    EXPECT_EQ(tree.label->texts["Caption"], "old label");  // an empty value never blanks it
    EXPECT_EQ(tree.unnamed->texts["Caption"], "unnamed");  // no name matches an empty one
    EXPECT_EQ(static_cast<Node*>(tree.Options().FindOwned("label1"))->texts["Caption"], "Sprache:");
}

TEST_F(LanguageTest, MissingFileChangesNothingAndMessagesFallBackToTheKey) {
    language.SetProperties(MainTranslatedProperties());
    language.LanguageFile = (dir / "absent.ini").string();
    language.Translate(tree.app);
    EXPECT_EQ(tree.label->texts["Caption"], "old label");
    EXPECT_EQ(language.GetMessage("liat"), "liat");
    WriteFile("");
    EXPECT_EQ(language.GetMessage("LIAT"), "Loading");
    EXPECT_EQ(language.GetMessage("done"), "done");
}

TEST_F(LanguageTest, IntegerAndListProperties) {
    language.SetProperties({"mForm.ModelsComboBox.ItemIndex", "mForm.ModelsComboBox.Items"});
    WriteFile(
        "mForm.ModelsComboBox.ItemIndex= -2\r\n"
        "mForm.ModelsComboBox.Items=Red, Green,,Blue ,\r\n");
    language.Translate(tree.app);
    EXPECT_EQ(tree.combo->integers["ItemIndex"], -2);
    EXPECT_EQ(tree.combo->lists["Items"], (std::vector<std::string>{"Red", "Green", "", "Blue"}));

    language.SetSeparator("  ");
    EXPECT_EQ(language.Separator(), ",");
    language.SetSeparator(" ; ");
    EXPECT_EQ(language.Separator(), " ; ");  // stored untrimmed
}

TEST_F(LanguageTest, IntegerConversionFailureStopsAtThatLine) {
    language.SetProperties(
        {"mForm.Caption", "mForm.ModelsComboBox.ItemIndex", "mForm.Label74.Caption"});
    WriteFile(
        "mForm.Caption=Hauptfenster\r\nmForm.ModelsComboBox.ItemIndex=zwei\r\n"
        "mForm.Label74.Caption=never\r\n");
    bool after = false;
    language.OnAfterTranslation = [&](TLanguage&) { after = true; };
    EXPECT_THROW(language.Translate(tree.app), LanguageConversionError);
    EXPECT_EQ(tree.Main().texts["Caption"], "Hauptfenster");
    EXPECT_EQ(tree.combo->integers["ItemIndex"], 0);
    EXPECT_EQ(tree.label->texts["Caption"], "old label");
    EXPECT_FALSE(after);
    for (const char* bad : {"", "1.5", "0x10", "99999999999", "+", "12a"})
        EXPECT_THROW(ParseIntegerValue(bad), LanguageConversionError) << bad;
    EXPECT_EQ(ParseIntegerValue(" +7 "), 7);
}

TEST_F(LanguageTest, EventsSeeEachTranslationAndMayChangeIt) {
    language.SetProperties({"mForm.Label74.Caption", "oForm.Caption", "mForm.Missing.Caption"});
    WriteFile(
        "mForm.Label74.Caption=new label\r\noForm.Caption=Optionen\r\n"
        "mForm.Missing.Caption=x\r\n");
    std::vector<std::string> seen;
    language.OnBeforeTranslation = [&](TLanguage&) { seen.push_back("before"); };
    language.OnAfterTranslation = [&](TLanguage&) { seen.push_back("after"); };
    language.OnTranslate = [&](TLanguage&, LanguageComponent&, const std::string& property,
                               const std::string& old, std::string& value) {
        seen.push_back(property + ":" + old + "->" + value);
        if (value == "Optionen") value = "Einstellungen";
    };
    language.Translate(tree.app);
    EXPECT_EQ(seen, (std::vector<std::string>{"before", "Caption:old label->new label",
                                              "Caption:General options->Optionen", "after"}));
    EXPECT_EQ(tree.Options().texts["Caption"], "Einstellungen");
}

TEST(SplitListValue, SeparatorRules) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitListValue("Red, Green,,Blue", ","), (V{"Red", "Green", "", "Blue"}));
    EXPECT_EQ(SplitListValue("a,", ","), (V{"a"}));
    EXPECT_EQ(SplitListValue(",", ","), (V{""}));
    EXPECT_EQ(SplitListValue("  ", ","), V{});
    EXPECT_EQ(SplitListValue("a, b", ""), (V{"a, b"}));
    EXPECT_EQ(SplitListValue("x<>y<>z", "<>"), (V{"x", "y", "z"}));
}

TEST(TranslatedProperties, ListShapeByWindow) {
    std::map<std::string, int> perWindow;
    std::set<std::string> unique;
    for (std::string_view line : kMainTranslatedProperties) {
        EXPECT_TRUE(line.ends_with(".Caption")) << line;
        perWindow[std::string(line.substr(0, line.find('.')))]++;
        unique.insert(std::string(line));
    }
    EXPECT_EQ(unique.size(), kMainTranslatedProperties.size());
    EXPECT_EQ(perWindow, (std::map<std::string, int>{{"mForm", 155},
                                                     {"aboutForm", 7},
                                                     {"oForm", 19},
                                                     {"creditsForm", 1},
                                                     {"dForm", 6},
                                                     {"warningForm", 3}}));
    EXPECT_EQ(kMainTranslatedProperties.front(), "mForm.Caption");
    EXPECT_EQ(kMainTranslatedProperties.back(), "warningForm.Caption");
}

TEST(LanguageCatalogue, EntriesOfThreeLines) {
    const auto entries = ParseLanguageCatalogue(
        "\xEF\xBB\xBF; languages\r\n--\r\nEnglish\r\nEnglish.ini\r\n\r\n-- second\r\nDeutsch\r\n"
        "German.ini\r\nstray line\r\n--\r\nFrancais");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].DisplayName, "English");
    EXPECT_EQ(entries[0].FileName, "English.ini");
    EXPECT_EQ(entries[1].DisplayName, "Deutsch");
    EXPECT_EQ(entries[1].FileName, "German.ini");
    // A marker at the end gives what there is, the rest empty.
    EXPECT_EQ(entries[2].DisplayName, "Francais");
    EXPECT_EQ(entries[2].FileName, "");
    EXPECT_TRUE(ParseLanguageCatalogue("").empty());
}

}  // namespace
}  // namespace tessaly
