#include "app/language/LanguageSwitch.h"

#include <filesystem>
#include <system_error>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "app/scene/SceneControls.h"
#include "core/i18n/LanguageCatalogue.h"
#include "core/i18n/Messages.h"
#include "core/i18n/TranslatedProperties.h"
#include "core/io/FileIO.h"
#include "core/settings/SettingsFile.h"

namespace tessaly {

namespace {

bool IsFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string LanguagesFolder(const MainState& state) {
    return state.Session.Files.DataFile(kLanguagesFolder);
}

// A message in the language now in use (its key before any is chosen).
std::string Message(const MainState& state, const std::string& key) {
    return GetMessage(state.Session.LanguageFile, key);
}

}  // namespace

LanguageHost::LanguageHost() {
    Language.SetProperties(MainTranslatedProperties());
    Language.SetSeparator(",");
}

void LoadLanguageCatalogue(MainState& state) {
    OptionsState& options = state.Options;
    ComboBox& list = options.LangCB;
    list.Items.clear();
    options.LanguageTable.clear();
    list.Select(-1);

    const std::string catalogue = LanguagesFolder(state) + std::string(kLanguageCatalogueName);
    if (!IsFile(catalogue)) {
        state.Port().ShowMessage(MessageKind::Error, Message(state, "lfdne"), "",
                                 MessageButtons::Ok, "lfdne");
        return;
    }
    const std::vector<std::uint8_t> bytes = ReadWholeFile(catalogue);
    const std::string text(bytes.begin(), bytes.end());
    for (const LanguageCatalogueEntry& entry : ParseLanguageCatalogue(text)) {
        if (entry.FileName.empty() || !IsFile(LanguagesFolder(state) + entry.FileName)) {
            state.Port().ShowMessage(MessageKind::Error, "File " + entry.FileName + " not found",
                                     "", MessageButtons::Ok);
            continue;
        }
        list.Items.push_back(entry.DisplayName);
        options.LanguageTable.push_back(entry.FileName);
        list.Select(0);
    }
}

void SwitchLanguage(MainState& state, const std::string& fileName) {
    const std::string path = LanguagesFolder(state) + fileName;
    if (!IsFile(path)) {
        state.Port().ShowMessage(MessageKind::Warning,
                                 Message(state, "cclf") + std::string(kLanguagesFolder) + fileName,
                                 "", MessageButtons::Ok, "cclf");
    }
    state.Languages.Language.LanguageFile = path;
    state.Session.LanguageFile = path;
    if (state.Languages.TranslateWindows) state.Languages.TranslateWindows();
    state.Session.Settings.WriteValue(kLanguageKey, fileName);
    RefreshSliderLabels(state);
    ShowOptimalSizes(state);

    // The language list shows the language now in use (without switching
    // again), not whichever came first in the catalogue.
    const auto& table = state.Options.LanguageTable;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i] == fileName) {
            state.Options.LangCB.Select(static_cast<int>(i));
            break;
        }
    }

    // The cover-type list shows each catalogue entry's type in the new
    // language. Emptying it first makes a window drop its old item texts.
    ModelCatalogue& catalogue = state.Session.Catalogue;
    catalogue.RefreshDisplayNames([&](const std::string& id) { return GetMessage(path, id); });
    ComboBox& models = state.Controls.ModelsComboBox;
    models.Items.clear();
    models.Select(-1);
    models.Items = catalogue.DisplayNames;
    models.Select(models.Items.empty() ? -1 : state.Cover.Entry - 1);
}

void LangCBChange(MainState& state) {
    const int index = state.Options.LangCB.ItemIndex;
    const auto& table = state.Options.LanguageTable;
    if (index < 0 || index >= static_cast<int>(table.size())) return;
    SwitchLanguage(state, table[index]);
}

}  // namespace tessaly
