// Where the window keeps a user's files. Two windows over one program folder
// each keep the working copies of their images in a folder of their own, so a
// picture chosen in one never replaces the other's, and a window's folder
// goes when the window does. Installed, everything the window writes goes to
// the user's folders.
#include <gtest/gtest.h>

#include <QPushButton>
#include <filesystem>

#include "GuiTestApp.h"
#include "render/EglContext.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<MainWindow> WindowChoosing(const fs::path& program, const fs::path& picture,
                                           FileLocations files = {}) {
    MainWindow::Options options;
    options.programFolder = program.string() + "/";
    options.files = std::move(files);
    options.context = std::make_unique<EglContext>();
    options.preparePort = [picture](QtUserPort& port) {
        port.Answer = [](const std::string&, const std::string& text, MessageButtons) {
            ADD_FAILURE() << "unexpected message: " << text;
            return MessageAnswer::Ok;
        };
        port.FileAnswer = [picture](const std::string&) -> std::optional<std::string> {
            return picture.string();
        };
    };
    return std::make_unique<MainWindow>(std::move(options));
}

TEST(WorkingFolders, TwoWindowsNeverTouchEachOthersCopies) {
    test::App();
    test::TempDir temp;
    const fs::path program = test::MakeProgramFolder(temp.Path(), "view");
    QImage red(40, 40, QImage::Format_RGB32), blue(40, 40, QImage::Format_RGB32);
    red.fill(qRgb(220, 20, 20));
    blue.fill(qRgb(20, 20, 220));
    ASSERT_TRUE(red.save(QString::fromStdString((temp / "red.png").string())));
    ASSERT_TRUE(blue.save(QString::fromStdString((temp / "blue.png").string())));

    auto first = WindowChoosing(program, temp / "red.png");
    auto second = WindowChoosing(program, temp / "blue.png");
    const fs::path firstFolder = first->State().Session.ImagesFolder;
    const fs::path secondFolder = second->State().Session.ImagesFolder;
    ASSERT_NE(firstFolder, secondFolder);
    EXPECT_EQ(firstFolder.parent_path().parent_path(), program / "Images");

    first->findChild<QPushButton*>("BitBtn4")->click();
    second->findChild<QPushButton*>("BitBtn4")->click();
    const fs::path firstCopy = firstFolder / "Image1.png", secondCopy = secondFolder / "Image1.png";
    EXPECT_EQ(first->State().Session.ImagePaths[0], firstCopy.string());
    EXPECT_EQ(QImage(QString::fromStdString(firstCopy.string())).pixel(5, 5), qRgb(220, 20, 20));
    EXPECT_EQ(QImage(QString::fromStdString(secondCopy.string())).pixel(5, 5), qRgb(20, 20, 220));

    // Closing one window removes its folder and leaves the other's alone.
    second.reset();
    EXPECT_FALSE(fs::exists(secondFolder));
    EXPECT_TRUE(fs::exists(firstCopy));
    first.reset();
    EXPECT_FALSE(fs::exists(firstFolder));
}

TEST(WorkingFolders, AnInstalledWindowWritesOnlyIntoTheUsersFolders) {
    test::App();
    test::TempDir temp;
    const fs::path home = temp / "home";
    const UserFolders user{(home / "config/").string(), (home / "data/").string(),
                           (home / "state/").string(), (home / "Pictures/").string()};
    const FileLocations files =
        InstalledLocations(test::ProgramDir().string(), test::ProgramDir().string(), user);
    ASSERT_TRUE(PrepareUserFiles(files));
    auto window = WindowChoosing(temp.Path(), temp / "none.png", files);
    ASSERT_TRUE(window->StartupDone());

    const auto under = [&home](const QString& folder, const char* sub) {
        return folder.toStdString().rfind((home / sub).string(), 0) == 0;
    };
    QtUserPort& port = window->Port();
    // Save dialogs start in the user's own folders (Pictures, Documents),
    // never in the read-only program data.
    for (const char* dialog : {"CaptureDialog", "SaveTemplateDialog", "SaveCoverDialog"})
        EXPECT_NE(port.DialogFolder(dialog).toStdString().rfind(files.Data, 0), 0u) << dialog;
    EXPECT_TRUE(under(QString::fromStdString(window->State().Session.ImagesFolder),
                      "data/tessaly/Images/run-"));
    EXPECT_TRUE(fs::is_regular_file(home / "state/tessaly/log.txt"));
    EXPECT_EQ(window->State().Session.Settings.ReadValue("Language"), "English.ini");
    EXPECT_EQ(window->State().Session.ProgramFolder, files.Data);
}

}  // namespace
}  // namespace tessaly
