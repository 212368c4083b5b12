#include "gui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <filesystem>
#include <map>

namespace tessaly {

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations() {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

QString QtTranslations::LocaleOf(const std::string& languageFile) {
    // The shipped language files; a language added later without an entry
    // here keeps Qt's texts in English.
    static const std::map<std::string, const char*> locales = {
        {"German.ini", "de"},       {"French.ini", "fr"},   {"Spanish.ini", "es"},
        {"Brazilian.ini", "pt_BR"}, {"Romanian.ini", "ro"}, {"Russian.ini", "ru"},
        {"Japanese.ini", "ja"},
    };
    const auto it = locales.find(std::filesystem::path(languageFile).filename().string());
    return it == locales.end() ? QString() : QString::fromLatin1(it->second);
}

bool QtTranslations::Apply(const std::string& languageFile) {
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    const QString locale = LocaleOf(languageFile);
    if (locale.isEmpty()) return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load("qtbase_" + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    return true;
}

}  // namespace tessaly
