// The built-in editor and the main window together: a picture chosen for the
// front face is opened in the editor from its working copy, cropped, turned
// and saved; the face's Refresh button then shows the edited picture in the
// thumbnail and in the face's texture.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "GuiTestApp.h"
#include "editor/Canvas.h"
#include "editor/EditorWindow.h"
#include "render/EglContext.h"
#include "render/GL.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

// How many texels of a texture's full-size level are mostly blue.
int BlueTexels(GLuint texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    std::vector<unsigned char> texels(static_cast<std::size_t>(w) * h * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    int blue = 0;
    for (std::size_t i = 0; i < texels.size(); i += 4)
        if (texels[i + 2] > 150 && texels[i] < 100) ++blue;
    return blue;
}

TEST(EditorRefreshTest, AnEditedWorkingCopyReachesTheFaceOnRefresh) {
    test::App();
    tessaly::test::TempDir temp;
    const fs::path program = test::MakeProgramFolder(temp.Path(), "view");
    // Left half red, right half blue.
    QImage art(60, 40, QImage::Format_RGB32);
    art.fill(qRgb(20, 20, 220));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 30; ++x) art.setPixel(x, y, qRgb(220, 20, 20));
    ASSERT_TRUE(art.save(Q(temp / "art.png")));

    MainWindow::Options options;
    options.programFolder = program.string() + "/";
    options.context = std::make_unique<EglContext>();
    options.preparePort = [&](QtUserPort& port) {
        port.Answer = [](const std::string&, const std::string& text, MessageButtons) {
            ADD_FAILURE() << "unexpected message: " << text;
            return MessageAnswer::Ok;
        };
        port.FileAnswer = [&](const std::string& dialog) -> std::optional<std::string> {
            EXPECT_EQ(dialog, "OpenPicture");
            return (temp / "art.png").string();
        };
    };
    MainWindow window(std::move(options));
    ASSERT_TRUE(window.StartupDone());

    // Select for the front face makes the working copy.
    window.findChild<QPushButton*>("BitBtn4")->click();
    const fs::path copy = fs::path(window.State().Session.ImagesFolder) / "Image1.png";
    ASSERT_TRUE(fs::exists(copy));
    auto* refresh = window.findChild<QPushButton*>("BitBtn6");
    ASSERT_TRUE(refresh->isEnabled());
    const GLuint before = window.State().Session.ImageTextures[0];
    ASSERT_NE(before, 0u);
    EXPECT_GT(BlueTexels(before), 0);

    // The editor, locked to the face's proportions as its optimal-size label
    // gives them, opens the working copy as Edit would.
    const auto face = editor::ParseAspect(window.findChild<QLabel*>("LSize1")->text());
    ASSERT_TRUE(face);
    editor::EditorWindow edit(face);
    ASSERT_TRUE(edit.Open(Q(copy)));
    // The largest rectangle of the face's proportions is offered first.
    EXPECT_EQ(edit.PictureCanvas()->Selection(), editor::CentredRectangle({60, 40}, *face));
    // Crop to the red half instead, freely, and turn it.
    edit.findChild<QComboBox*>("AspectBox")->setCurrentIndex(0);
    edit.PictureCanvas()->SetSelection(QRect(0, 0, 30, 40));
    edit.findChild<QAction*>("actionCrop")->trigger();
    edit.findChild<QAction*>("actionRotateRight")->trigger();
    edit.findChild<QAction*>("actionSave")->trigger();
    ASSERT_FALSE(edit.isWindowModified());
    ASSERT_EQ(QImage(Q(copy)).size(), QSize(40, 30));

    // Refresh shows the edited picture: the thumbnail and the face's texture.
    window.State().Cover.Modified = false;
    refresh->click();
    const QPixmap thumbnail = window.findChild<QLabel*>("Image1")->pixmap();
    EXPECT_EQ(thumbnail.size(), QSize(40, 30));
    EXPECT_EQ(thumbnail.toImage().pixel(39, 29), qRgb(220, 20, 20));
    EXPECT_EQ(BlueTexels(window.State().Session.ImageTextures[0]), 0);
    EXPECT_TRUE(window.State().Cover.Modified);
}

}  // namespace
}  // namespace tessaly
