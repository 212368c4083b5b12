// The window's port gathers the error and warning boxes of one operation
// into one box, one line each; questions are still asked at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiTestApp.h"
#include "core/paths/FileLocations.h"
#include "gui/QtUserPort.h"

namespace tessaly::test {
namespace {

TEST(MessageGroup, OneOperationsProblemsComeInOneBoxWithOneLineEach) {
    App();
    QtUserPort port(nullptr, PortableLocations("/tmp/"));
    std::vector<std::string> shown;
    port.Answer = [&](const std::string&, const std::string& text, MessageButtons) {
        shown.push_back(text);
        return MessageAnswer::Ok;
    };
    {
        const MessageGroup outer(port);
        {
            const MessageGroup inner(port);
            for (int i = 1; i <= 16; ++i)
                port.ShowMessage(MessageKind::Error, "filenotfound\r\nBook" + std::to_string(i), "",
                                 MessageButtons::Ok);
        }
        EXPECT_TRUE(shown.empty());  // the inner end shows nothing yet
        port.ShowMessage(MessageKind::Warning, "damaged", "", MessageButtons::Ok);
        port.ShowMessage(MessageKind::Confirmation, "save?", "", MessageButtons::YesNo);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], "save?");
    }
    ASSERT_EQ(shown.size(), 2u);
    std::string expected;
    for (int i = 1; i <= 16; ++i) expected += "filenotfound  Book" + std::to_string(i) + "\n";
    EXPECT_EQ(shown[1], expected + "damaged");

    // Outside a group each box comes at once; an empty group shows nothing.
    { const MessageGroup empty(port); }
    port.ShowMessage(MessageKind::Error, "now", "", MessageButtons::Ok);
    EXPECT_EQ(shown.size(), 3u);
}

}  // namespace
}  // namespace tessaly::test
