// EditorLauncher: starts the image editor the options name on a working copy.
#pragma once

#include <string>
#include <vector>

namespace tessaly {

// The program that edits images: the setting "DefaultEditor", where
// "PBRUSH" stands for the first of a few common paint programs found in PATH;
// empty means the desktop's default handler.
std::string ResolveEditor(const std::string& setting);

// The editor's arguments: the picture's path, and for our own editor first
// "--aspect" with the face's optimal size ("400x400") when there is one, so
// that its crop starts locked to the face's proportions.
std::vector<std::string> EditorArguments(const std::string& editor, const std::string& path,
                                         const std::string& aspect);

// Starts the editor on `path` without waiting; failures are not reported.
void StartEditor(const std::string& editorSetting, const std::string& path,
                 const std::string& aspect = {});

}  // namespace tessaly
