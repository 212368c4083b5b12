// The editor's command line: our own editor gets the face's proportions,
// any other program only the picture.
#include <gtest/gtest.h>

#include "gui/EditorLauncher.h"

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

}  // namespace
}  // namespace tessaly
