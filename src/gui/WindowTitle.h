// WindowTitle: the main window's title as desktop programs show it: the
// project's file name (or "Untitled" for a cover not saved yet), a marker
// while it has unsaved changes, then the program's name (the window caption
// the language file gives).
#pragma once

#include <QString>
#include <string>

namespace tessaly {

// "name[*] — program"; Qt shows "[*]" as "*" while the window is modified.
// `program` is the window's caption in the current language ("Tessaly").
QString WindowTitleText(const std::string& projectFile, const QString& untitled,
                        const QString& program);

}  // namespace tessaly
