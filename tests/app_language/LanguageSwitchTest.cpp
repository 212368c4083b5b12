#include <gtest/gtest.h>

#include "LanguageFixture.h"
#include "app/language/LanguageSwitch.h"
#include "core/i18n/Messages.h"

namespace tessaly::test {
namespace {

TEST_F(LanguageTest, MissingCatalogueShowsLfdneAndLeavesTheListEmpty) {
    state.Options.LangCB.Items = {"English", "Deutsch"};  // design-time items
    LoadLanguageCatalogue(state);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].key, "lfdne");
    EXPECT_EQ(port.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(port.messages[0].text, "lfdne");  // no language is current yet
    EXPECT_TRUE(state.Options.LangCB.Items.empty());
    EXPECT_TRUE(state.Options.LanguageTable.empty());
}

TEST_F(LanguageTest, CatalogueSkipsMissingFilesAndSelectsTheFirstLanguage) {
    WriteLanguage("English.ini", "English");
    WriteLanguage("French.ini", "French");
    Write("Languages/Languages.ini",
          "--\r\nEnglish\r\nEnglish.ini\r\n--\r\nDeutsch\r\nGerman.ini\r\n--\r\nFrancais\r\n"
          "French.ini\r\n--\r\n");
    LoadLanguageCatalogue(state);
    EXPECT_EQ(state.Options.LangCB.Items, (std::vector<std::string>{"English", "Francais"}));
    EXPECT_EQ(state.Options.LanguageTable, (std::vector<std::string>{"English.ini", "French.ini"}));
    EXPECT_EQ(state.Options.LangCB.ItemIndex, 0);
    // The fixed, untranslated text for each unusable entry, the last one
    // (a marker with nothing after it) included.
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[0].text, "File German.ini not found");
    EXPECT_EQ(port.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(port.messages[1].text, "File  not found");

    // Picking the second item switches to the file at the second position.
    state.Options.LangCB.Pick(1);
    EXPECT_EQ(state.Session.LanguageFile, (dir / "Languages/French.ini").string());
    EXPECT_EQ(Stored("Language"), "French.ini");
    // A switch from elsewhere (the stored language at start) shows its item.
    SwitchLanguage(state, "English.ini");
    EXPECT_EQ(state.Options.LangCB.ItemIndex, 0);
    SwitchLanguage(state, "French.ini");
    EXPECT_EQ(state.Options.LangCB.ItemIndex, 1);
}

TEST_F(LanguageTest, MoreThanFiftyLanguagesAreAllKept) {
    std::string catalogue;
    for (int i = 1; i <= 60; ++i) {
        const std::string file = "L" + std::to_string(i) + ".ini";
        WriteLanguage(file, "W" + std::to_string(i));
        catalogue += "--\nLanguage " + std::to_string(i) + "\n" + file + "\n";
    }
    Write("Languages/Languages.ini", catalogue);
    LoadLanguageCatalogue(state);
    EXPECT_TRUE(port.messages.empty());
    ASSERT_EQ(state.Options.LangCB.Items.size(), 60u);
    state.Options.LangCB.Pick(57);
    EXPECT_EQ(Stored("Language"), "L58.ini");
    EXPECT_EQ(state.Controls.ModelsComboBox.Items,
              (std::vector<std::string>{"W58 box", "W58 book"}));
}

TEST_F(LanguageTest, SwitchTranslatesStoresAndRefillsTheCoverTypes) {
    WriteLanguage("German.ini", "German");
    int translations = 0;
    state.Languages.TranslateWindows = [&] {
        ++translations;
        EXPECT_EQ(state.Languages.Language.LanguageFile, (dir / "Languages/German.ini").string());
    };
    std::vector<std::string> shownItems;
    state.Controls.ModelsComboBox.OnUpdate = [&](const Control& c) {
        const auto& box = static_cast<const ComboBox&>(c);
        shownItems.push_back(std::to_string(box.Items.size()) + "@" +
                             std::to_string(box.ItemIndex));
    };
    SwitchLanguage(state, "German.ini");
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(translations, 1);
    EXPECT_EQ(Stored("Language"), "German.ini");
    EXPECT_EQ(state.Controls.ModelsComboBox.Items,
              (std::vector<std::string>{"German box", "German book"}));
    // Emptied first (so a window drops its old texts), then the current type.
    EXPECT_EQ(shownItems, (std::vector<std::string>{"0@-1", "2@1"}));
    // Messages now come from the new file.
    EXPECT_EQ(state.Languages.Language.GetMessage("wline1"), "German one");
    EXPECT_EQ(GetMessage(state.Session.LanguageFile, "wline1"), "German one");
}

// A language file holds the design-time "Optimal size" texts; after the
// switch the labels show the current type's sizes again.
TEST_F(LanguageTest, SwitchKeepsTheCurrentTypesOptimalSizes) {
    WriteLanguage("German.ini", "German");
    TModelItem& book = state.Session.Catalogue.Item(2);
    book.ThumbWidth1 = 101;
    book.ThumbHeight1 = 125;
    book.ThumbWidth2 = 26;
    book.ThumbHeight2 = 125;
    book.ThumbWidth3 = 125;
    book.ThumbHeight3 = 32;
    state.Languages.TranslateWindows = [&] {
        for (int g = 1; g <= 3; ++g) state.Controls.LSize(g).SetCaption("400x400");
    };
    SwitchLanguage(state, "German.ini");
    EXPECT_EQ(state.Controls.LSize1.Caption, "404x500");
    EXPECT_EQ(state.Controls.LSize2.Caption, "104x500");
    EXPECT_EQ(state.Controls.LSize3.Caption, "500x128");
}

TEST_F(LanguageTest, SwitchToAMissingFileWarnsAndGoesOn) {
    WriteLanguage("German.ini", "German");
    SwitchLanguage(state, "German.ini");
    SwitchLanguage(state, "Klingon.ini");
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].kind, MessageKind::Warning);
    // Worded in the language still in use, then the missing file.
    EXPECT_EQ(port.messages[0].text, "German file missing:Languages/Klingon.ini");
    EXPECT_EQ(Stored("Language"), "Klingon.ini");
    // Every later message shows its bare key.
    EXPECT_EQ(state.Controls.ModelsComboBox.Items,
              (std::vector<std::string>{"stdbox", "flatbook"}));
}

TEST_F(LanguageTest, AFaultyTranslationStopsTheSwitchAndReachesTheCaller) {
    WriteLanguage("German.ini", "German");
    state.Languages.TranslateWindows = [] {
        throw LanguageConversionError("'zwei' is not a valid integer value");
    };
    EXPECT_THROW(SwitchLanguage(state, "German.ini"), LanguageConversionError);
    EXPECT_EQ(Stored("Language"), "English.ini");
}

}  // namespace
}  // namespace tessaly::test
