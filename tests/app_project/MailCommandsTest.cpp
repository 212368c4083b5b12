// Sending a project or a template by e-mail: the file written into the
// documents folder, the confirmation, the mail link handed to the desktop,
// and what happens when there is no documents folder or the writer refuses.
#include <filesystem>

#include "ProjectFixture.h"
#include "app/mail/MailCommands.h"
#include "core/mail/MailLinks.h"
#include "core/project/CoverFile.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

TEST_F(ProjectTest, SendingTheECoverWritesItConfirmsAndOpensTheMailLink) {
    auto state = Start(port);
    port.documentsFolder = Path("Documents").string();
    fs::create_directory(Path("Documents"));
    port.Clear();

    const std::string path = SendeCoverbyemail1Click(*state);
    EXPECT_EQ(path, Path("Documents").string() + "/eCover.eco");
    const auto bytes = FileBytes(path);
    EXPECT_FALSE(ParseCoverFile(bytes, CoverFileKind::Project).Sections.empty());
    ASSERT_EQ(port.Keys(), std::vector<std::string>{"ecoversaved"});
    EXPECT_EQ(port.messages[0].text, "ecoversaved\r\n" + path);
    EXPECT_EQ(port.opened, std::vector<std::string>{MailtoUrl(MailItem::ECover, path)});

    // The template goes beside it under its own name, with the same key.
    port.Clear();
    port.opened.clear();
    const std::string tem = SendTemplatebyemail1Click(*state);
    EXPECT_EQ(tem, Path("Documents").string() + "/Template.tem");
    const auto temBytes = FileBytes(tem);
    EXPECT_FALSE(ParseCoverFile(temBytes, CoverFileKind::Template).Sections.empty());
    EXPECT_EQ(port.Keys(), std::vector<std::string>{"ecoversaved"});
    EXPECT_EQ(port.opened, std::vector<std::string>{MailtoUrl(MailItem::Template, tem)});
}

TEST_F(ProjectTest, AProjectThatCannotBeWrittenIsNotAnnouncedNorMailed) {
    auto state = Start(port);
    port.documentsFolder = program_.Path().string();
    state->Session.ImagePaths[0] = Path("gone.jpg").string();
    port.Clear();

    EXPECT_EQ(SendeCoverbyemail1Click(*state), "");
    EXPECT_EQ(port.Keys(), std::vector<std::string>{"im1notfound"});
    EXPECT_TRUE(port.opened.empty());
    EXPECT_FALSE(fs::exists(Path("eCover.eco")));
}

TEST_F(ProjectTest, WithoutADocumentsFolderNothingIsWrittenAnywhere) {
    auto state = Start(port);
    port.documentsFolder.reset();
    port.Clear();
    bool writerCalled = false;
    EXPECT_EQ(SendByEmail(*state, MailItem::Image,
                          [&](const std::string&) { return writerCalled = true; }),
              "");
    EXPECT_FALSE(writerCalled);
    EXPECT_EQ(port.Keys(), std::vector<std::string>{"mydocsnotfound"});
    EXPECT_TRUE(port.opened.empty());

    // The picture's writer gets the screenshot's path in the folder.
    port.Clear();
    port.documentsFolder = "/docs/";
    std::string asked;
    EXPECT_EQ(SendByEmail(*state, MailItem::Image,
                          [&](const std::string& p) {
                              asked = p;
                              return true;
                          }),
              "/docs/Screenshot.bmp");
    EXPECT_EQ(asked, "/docs/Screenshot.bmp");
    EXPECT_EQ(port.Keys(), std::vector<std::string>{"imagesavedir"});
    EXPECT_EQ(port.opened, std::vector<std::string>{MailtoUrl(MailItem::Image, asked)});
}

}  // namespace
}  // namespace tessaly::test
