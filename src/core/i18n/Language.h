// TLanguage: the language engine. It knows one current language file and a
// list of property paths ("oForm.BitBtn2.Caption"); Translate writes the
// file's translation of each listed property into the live component found by
// walking the path from the application object, and GetMessage answers
// message look-ups by key. Nothing is cached: every call opens the file anew,
// so texts are always those on disk. The component tree is abstract, so the
// engine runs on Qt's object tree in the window and on plain objects in tests.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The kinds of property a translation can set.
enum class LanguagePropertyKind { None, Text, Integer, StringList };

// A component of the tree the translation walks: the application object, the
// windows it owns, and the controls, menus and actions each window owns.
class LanguageComponent {
  public:
    virtual ~LanguageComponent() = default;

    // The first owned component, in ownership order, whose name equals `name`
    // without regard to letter case; nullptr when there is none. An empty name
    // never matches (unnamed parts of a window are not addressable).
    virtual LanguageComponent* FindOwned(std::string_view name) = 0;

    // The kind of the named property (name compared without regard to case);
    // None when the component has no such translatable property.
    virtual LanguagePropertyKind PropertyKind(std::string_view property) const = 0;

    // The current text of a text property; "" for any other property.
    virtual std::string PropertyText(std::string_view property) const = 0;

    virtual void SetText(std::string_view property, const std::string& value) = 0;
    virtual void SetInteger(std::string_view property, int value) = 0;
    virtual void SetStringList(std::string_view property,
                               const std::vector<std::string>& items) = 0;
};

// A translation value for an integer property that is not a decimal number.
// It stops Translate at that line; the caller reports it.
class LanguageConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The section of a language file that holds the translations by path.
inline constexpr std::string_view kTranslationsSection = "Translations";

// Names compared as the language files compare them: ASCII letters without
// regard to case, an empty name matching nothing.
bool SameComponentName(std::string_view a, std::string_view b);

// Splits a string-list value: every piece before a separator is trimmed and
// kept (also when empty); the rest after the last separator is trimmed and
// kept when not empty. An empty separator keeps the whole value as one item.
std::vector<std::string> SplitListValue(std::string value, const std::string& separator);

// A decimal integer as the integer properties take it: optional blanks, an
// optional sign and digits within the int range; throws
// LanguageConversionError otherwise.
int ParseIntegerValue(const std::string& value);

class TLanguage {
  public:
    // Sender, component, property name, current text, new text (may be changed).
    using TranslateEvent = std::function<void(TLanguage& sender, LanguageComponent& component,
                                              const std::string& propertyName,
                                              const std::string& oldValue, std::string& newValue)>;
    using NotifyEvent = std::function<void(TLanguage& sender)>;

    // The full path of the current language file; "test.ini" until set.
    std::string LanguageFile = "test.ini";

    const std::vector<std::string>& Properties() const { return properties_; }
    void SetProperties(std::vector<std::string> lines) { properties_ = std::move(lines); }

    const std::string& Separator() const { return separator_; }
    // A value that is blank after trimming stores ","; any other value is
    // stored as given (untrimmed).
    void SetSeparator(std::string separator);

    NotifyEvent OnBeforeTranslation;
    NotifyEvent OnAfterTranslation;
    TranslateEvent OnTranslate;

    // Applies LanguageFile's "Translations" to every line of Properties, in
    // order, walking from `application`. A missing file, section or key
    // changes nothing. Throws LanguageConversionError for an integer value
    // that is not a number; the lines before it stay applied.
    void Translate(LanguageComponent& application);

    // Applies one value to one path (the second half of Translate).
    void ApplyValue(LanguageComponent& application, std::string_view path, std::string value);

    // The text of `key` in section "Messages" of LanguageFile; the key itself
    // when the file, the section or the key is missing.
    std::string GetMessage(std::string_view key) const;

  private:
    std::vector<std::string> properties_;
    std::string separator_ = ",";
};

}  // namespace tessaly
