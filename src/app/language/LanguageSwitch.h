// The language catalogue and the switching between languages: the options
// dialog's language list is filled from "Languages/Languages.ini", and
// SwitchLanguage points the language component at a file, translates every
// window, remembers the choice and rewrites the texts a translation touches
// (slider labels, the cover-type list).
#pragma once

#include <functional>
#include <string>

#include "core/i18n/Language.h"

namespace tessaly {

class MainState;

// The main window's language component and how it reaches the windows.
struct LanguageHost {
    LanguageHost();

    // Component "Language": the current file and the translated paths.
    TLanguage Language;
    // Runs Language.Translate over the program's windows; the window sets it.
    // Unset (command-line tool, tests without windows), nothing is translated.
    std::function<void()> TranslateWindows;
};

// Fills LangCB and the language table from the catalogue. A missing
// catalogue shows "lfdne"; an entry whose file is missing shows the fixed
// "File <name> not found" and is skipped. Every usable entry is kept, however
// many there are. The list then shows its first item selected.
void LoadLanguageCatalogue(MainState& state);

// Switches to the language file `fileName` inside "Languages/" and selects
// its item in the language list when the list has one. A missing
// file shows "cclf" and the switch goes on (captions keep their texts, later
// messages show their keys). Errors of the translation (a non-numeric value
// for a number property) propagate to the caller after the captions before
// the faulty line were applied.
void SwitchLanguage(MainState& state, const std::string& fileName);

// LangCB's change: switches to the file stored for the selected item.
void LangCBChange(MainState& state);

}  // namespace tessaly
