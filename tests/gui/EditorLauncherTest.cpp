// The editor's command line: our own editor gets the face's proportions,
// any other program only the picture.
#include <gtest/gtest.h>

#include "GuiTestApp.h"
#include "gui/EditorLauncher.h"
#include "core/paths/FileLocations.h"
#include "gui/QtUserPort.h"

namespace tessaly {
namespace {

TEST(EditorLauncher, OnlyTheBuiltInEditorIsToldTheFacesProportions) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(EditorArguments("/opt/t/builtined", "/p/Images/Image1.jpg", "280x400"),
              (Args{"--aspect", "280x400", "/p/Images/Image1.jpg"}));
    EXPECT_EQ(EditorArguments("/usr/bin/gimp", "/p/Images/Image1.jpg", "280x400"),
              (Args{"/p/Images/Image1.jpg"}));
    EXPECT_EQ(EditorArguments("/opt/t/builtined", "/p/a b.png", ""), (Args{"/p/a b.png"}));
    EXPECT_EQ(ResolveEditor(""), "");
    EXPECT_EQ(ResolveEditor("/usr/local/bin/paint"), "/usr/local/bin/paint");
}

// The shipped setting names the built-in editor beside the program; the
// value of older settings, "PBRUSH", is the desktop's default image program.
TEST(EditorLauncher, TheBuiltInEditorIsFoundBesideTheProgram) {
    EXPECT_EQ(ResolveEditor("builtined", "/opt/t/"), "/opt/t/builtined");
    EXPECT_EQ(ResolveEditor("PBRUSH", "/opt/t/"), "");
    EXPECT_EQ(ResolveEditor("-", "/opt/t/"), "");
}

// An editor, a page or a file the desktop cannot open is named in a message
// instead of nothing happening.
TEST(EditorLauncher, WhatCannotBeStartedIsNamed) {
    test::App();
    QtUserPort port(nullptr, PortableLocations("/nowhere/"));
    std::vector<std::string> shown;
    port.Answer = [&shown](const std::string& key, const std::string& text, MessageButtons) {
        shown.push_back(key + ": " + text);
        return MessageAnswer::Ok;
    };
    EXPECT_FALSE(StartEditor(port, "/nowhere/", "builtined", "/tmp/x.png"));
    port.OpenAnswer = [](const std::string&) { return false; };
    EXPECT_FALSE(StartEditor(port, "/nowhere/", "PBRUSH", "/tmp/x.png"));
    EXPECT_FALSE(port.OpenDocument("mailto:?subject=x"));
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "cantstart: /nowhere/builtined could not be started or opened.",
                         "cantstart: /tmp/x.png could not be started or opened.",
                         "cantstart: The mail program could not be started or opened."}));
}

}  // namespace
}  // namespace tessaly
