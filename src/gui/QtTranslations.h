// QtTranslations: Qt's own texts (the file and colour dialogs, the standard
// buttons of message boxes, the context menus of text fields) in the
// language the user chose, from the translations Qt ships (Debian:
// qt6-translations-l10n).
#pragma once

#include <QString>
#include <memory>
#include <string>

class QTranslator;

namespace tessaly {

class QtTranslations {
  public:
    QtTranslations();
    ~QtTranslations();

    // Installs Qt's translation for the language whose file is
    // `languageFile` (a path or a name such as "German.ini"), replacing the
    // one installed before. English, a language file Qt has no translation
    // for, or a missing translation installs none. Whether one is installed.
    bool Apply(const std::string& languageFile);

    // The locale name of a language file ("German.ini" is "de"), empty when
    // none is known.
    static QString LocaleOf(const std::string& languageFile);

  private:
    std::unique_ptr<QTranslator> translator_;
};

}  // namespace tessaly
