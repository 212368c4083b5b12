// Fuzzes what a language file and the language catalogue feed the program:
// the catalogue's entries, and a whole language file translated over a small
// tree of components with text, integer and list properties (the translated
// property list of the main window, so every path form is walked).
#include "FuzzSupport.h"
#include "core/i18n/Language.h"
#include "core/i18n/LanguageCatalogue.h"
#include "core/i18n/TranslatedProperties.h"

namespace {

using namespace tessaly;

// A component named `name` owning `children`; "Caption" is text, "Tag" an
// integer, "Items" a list, anything else missing.
class Node : public LanguageComponent {
  public:
    explicit Node(std::string name) : name_(std::move(name)) {}
    Node& Add(std::string name) {
        children_.push_back(std::make_unique<Node>(std::move(name)));
        return *children_.back();
    }
    LanguageComponent* FindOwned(std::string_view name) override {
        for (auto& c : children_)
            if (SameComponentName(c->name_, name)) return c.get();
        return nullptr;
    }
    LanguagePropertyKind PropertyKind(std::string_view property) const override {
        if (SameComponentName(property, "Caption")) return LanguagePropertyKind::Text;
        if (SameComponentName(property, "Tag")) return LanguagePropertyKind::Integer;
        if (SameComponentName(property, "Items")) return LanguagePropertyKind::StringList;
        return LanguagePropertyKind::None;
    }
    std::string PropertyText(std::string_view) const override { return caption_; }
    void SetText(std::string_view, const std::string& value) override { caption_ = value; }
    void SetInteger(std::string_view, int value) override { tag_ = value; }
    void SetStringList(std::string_view, const std::vector<std::string>& items) override {
        items_ = items;
    }

  private:
    std::string name_;
    std::string caption_;
    int tag_ = 0;
    std::vector<std::string> items_;
    std::vector<std::unique_ptr<Node>> children_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ParseLanguageCatalogue(text);

    Node application("");
    Node& main = application.Add("mForm");
    for (const char* name : {"Label74", "Images", "BitBtn4", "File1", "ModelsComboBox"})
        main.Add(name);
    application.Add("oForm").Add("LangCB");

    fuzz::InputFile file(data, size, ".ini");
    TLanguage language;
    language.LanguageFile = file.Path();
    std::vector<std::string> lines(kMainTranslatedProperties.begin(),
                                   kMainTranslatedProperties.end());
    lines.push_back("oForm.LangCB.Items");
    lines.push_back("mForm.Label74.Tag");
    lines.push_back("Caption");
    language.SetProperties(lines);
    try {
        language.Translate(application);
    } catch (const LanguageConversionError&) {
    }
    language.GetMessage("done");
    return 0;
}
