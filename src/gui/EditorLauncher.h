// EditorLauncher: starts the image editor the options name on a working copy.
#pragma once

#include <string>
#include <vector>

namespace tessaly {

class QtUserPort;

// The program that edits images, from the setting "DefaultEditor": the
// built-in editor's bare name ("builtined", the shipped setting) is the one
// beside the program in `programFolder`; "PBRUSH" (the value older settings
// hold) and an empty or missing setting mean the desktop's default image
// program, answered as "".
std::string ResolveEditor(const std::string& setting, const std::string& programFolder = {});

// The editor's arguments: the picture's path, and for our own editor first
// "--aspect" with the face's optimal size ("400x400") when there is one, so
// that its crop starts locked to the face's proportions.
std::vector<std::string> EditorArguments(const std::string& editor, const std::string& path,
                                         const std::string& aspect);

// Starts the editor on `path` without waiting (the desktop's image program
// when none is named). When it cannot be started, a message through `port`
// names it; false then.
bool StartEditor(QtUserPort& port, const std::string& programFolder,
                 const std::string& editorSetting, const std::string& path,
                 const std::string& aspect = {});

}  // namespace tessaly
