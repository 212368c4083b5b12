#include "gui/ImagesTab.h"

#include <QPixmap>

#include "app/cover/CoverAssembly.h"
#include "app/images/ImageSlots.h"
#include "gui/EditorLauncher.h"
#include "gui/MainWindow.h"
#include "gui/ThumbnailFit.h"
#include "gui/WidgetBinding.h"

namespace tessaly {

ImagesTab::ImagesTab(MainWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
    ui_.setupUi(this);
    MainControls& c = window.State().Controls;
    faceButtons_ = {{{ui_.BitBtn4, ui_.BitBtn5, ui_.BitBtn6},
                     {ui_.BitBtn8, ui_.BitBtn9, ui_.BitBtn7},
                     {ui_.BitBtn11, ui_.BitBtn12, ui_.BitBtn10}}};
    bookButtons_ = {{{ui_.BitBtn16, ui_.BitBtn17, ui_.BitBtn18},
                     {ui_.BitBtn20, ui_.BitBtn21, ui_.BitBtn19},
                     {ui_.BitBtn23, ui_.BitBtn24, ui_.BitBtn22}}};
    BindGroup(ui_.Group1, c.Group1);
    BindGroup(ui_.Group2, c.Group2);
    BindGroup(ui_.Group3, c.Group3);
    BindLabel(ui_.LSize1, c.LSize1);
    BindLabel(ui_.LSize2, c.LSize2);
    BindLabel(ui_.LSize3, c.LSize3);
    // The customizable box resizes the thumbnails to its proportions.
    for (int g = 1; g <= 3; ++g) {
        QLabel* thumb = FaceThumbnail(g);
        FitThumbnail(thumb);
        c.Image(g).OnUpdate = [thumb](const Control& image) {
            SetThumbnailSize(thumb, image.Width, image.Height);
            ShowPicture(thumb, image);
        };
        BindEnabled(faceButtons_[g - 1][1], c.EditButton(g));
        BindEnabled(faceButtons_[g - 1][2], c.RefreshButton(g));
    }
    for (int b = 1; b <= 4; ++b)
        for (int i = 1; i <= 3; ++i) BindPicture(BookThumbnail(b, i), c.BookImage(b, i));
    for (int i = 1; i <= 3; ++i) {
        BindEnabled(bookButtons_[i - 1][1], c.BookEditButton(i));
        BindEnabled(bookButtons_[i - 1][2], c.BookRefreshButton(i));
    }
    BindVisibility(ui_.BitBtn26, c.BitBtn26);
    BindVisibility(ui_.SB3, c.SB3);
    BindVisibility(ui_.SB4, c.SB4);
    ui_.BitBtn26->setVisible(false);
    // Only the page shown counts for the tab's size: the book panel, hidden
    // for most covers, would otherwise keep the face thumbnails from
    // shrinking in a small window.
    auto sizeByCurrentPage = [this](int current) {
        for (int i = 0; i < ui_.ImagesStack->count(); ++i)
            ui_.ImagesStack->widget(i)->setSizePolicy(
                i == current ? QSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred)
                             : QSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored));
        ui_.ImagesStack->updateGeometry();
    };
    sizeByCurrentPage(ui_.ImagesStack->currentIndex());
    // A word-wrapped label makes its scroll area size the tab by its
    // preferred height for the width, which keeps the thumbnails from ever
    // shrinking; the note's own height is known well enough without it.
    QSizePolicy notePolicy = ui_.NoteLabel->sizePolicy();
    notePolicy.setHeightForWidth(false);
    ui_.NoteLabel->setSizePolicy(notePolicy);
    connect(ui_.ImagesStack, &QStackedWidget::currentChanged, this, sizeByCurrentPage);
    c.BImagesPanel.OnUpdate = [this](const Control& panel) {
        if (!panel.Visible) ui_.ImagesStack->setCurrentIndex(0);
    };

    for (int g = 1; g <= 3; ++g) {
        connect(faceButtons_[g - 1][0], &QPushButton::clicked, this, [this, g] { SelectFace(g); });
        connect(faceButtons_[g - 1][1], &QPushButton::clicked, this, [this, g] { EditFace(g); });
        connect(faceButtons_[g - 1][2], &QPushButton::clicked, this, [this, g] { RefreshFace(g); });
    }
    for (int i = 1; i <= 3; ++i) {
        connect(bookButtons_[i - 1][0], &QPushButton::clicked, this,
                [this, i] { SelectBookImage(CurrentBook(), i); });
        connect(bookButtons_[i - 1][1], &QPushButton::clicked, this,
                [this, i] { EditBookImage(CurrentBook(), i); });
        connect(bookButtons_[i - 1][2], &QPushButton::clicked, this,
                [this, i] { RefreshBookImage(CurrentBook(), i); });
    }
    const std::array<QAbstractButton*, 4> selectors{ui_.SB1, ui_.SB2, ui_.SB3, ui_.SB4};
    for (int b = 1; b <= 4; ++b)
        connect(selectors[b - 1], &QAbstractButton::clicked, this, [this, b] { SelectBook(b); });
    connect(ui_.BitBtn26, &QPushButton::clicked, this, [this] {
        window_.State().Controls.BImagesPanel.Visible = true;
        ui_.ImagesStack->setCurrentIndex(1);
        UpdateBookButtons(CurrentBook());
    });
    connect(ui_.BitBtn25, &QPushButton::clicked, this, [this] {
        window_.State().Controls.BImagesPanel.Visible = false;
        ui_.ImagesStack->setCurrentIndex(0);
    });
}

QLabel* ImagesTab::FaceThumbnail(int g) const {
    return g == 1 ? ui_.Image1 : g == 2 ? ui_.Image2 : ui_.Image3;
}

QLabel* ImagesTab::BookThumbnail(int b, int i) const {
    const std::array<std::array<QLabel*, 3>, 4> thumbs{{
        {ui_.Book1Image1, ui_.Book1Image2, ui_.Book1Image3},
        {ui_.Book2Image1, ui_.Book2Image2, ui_.Book2Image3},
        {ui_.Book3Image1, ui_.Book3Image2, ui_.Book3Image3},
        {ui_.Book4Image1, ui_.Book4Image2, ui_.Book4Image3},
    }};
    return thumbs.at(b - 1).at(i - 1);
}

int ImagesTab::CurrentBook() const {
    return window_.State().Controls.CurrentBook;
}

void ImagesTab::ShowFaceThumbnails() {
    MainState& state = window_.State();
    for (int g = 1; g <= 3; ++g) state.Controls.Image(g).SetPicture(state.Session.ImagePaths[g - 1]);
    for (int b = 1; b <= 4; ++b)
        for (int i = 1; i <= 3; ++i)
            state.Controls.BookImage(b, i).SetPicture(state.Session.BookPaths[b - 1][i - 1]);
}

void ImagesTab::SelectFace(int g) {
    const auto chosen = window_.Port().ChooseFileName("OpenPicture");
    if (!chosen) return;
    window_.MakeCurrent();
    SelectSlotImage(window_.State(), g, *chosen);
}

void ImagesTab::EditFace(int g) {
    MainState& state = window_.State();
    StartEditor(window_.Port(), window_.State().Session.Files.Programs,
                state.Session.Settings.ReadValue("DefaultEditor"), SlotPath(state, g),
                state.Controls.LSize(g).Caption);
}

void ImagesTab::RefreshFace(int g) {
    window_.MakeCurrent();
    RefreshSlotImage(window_.State(), g);
}

void ImagesTab::SelectBookImage(int b, int i) {
    const auto chosen = window_.Port().ChooseFileName("OpenPicture");
    if (!chosen) return;
    window_.MakeCurrent();
    tessaly::SelectBookImage(window_.State(), b, i, *chosen);
}

void ImagesTab::EditBookImage(int b, int i) {
    RenderSession& session = window_.State().Session;
    // The book panel's optimal sizes are fixed: covers 280x400, spine 80x400.
    StartEditor(window_.Port(), window_.State().Session.Files.Programs,
                session.Settings.ReadValue("DefaultEditor"), session.BookPaths[b - 1][i - 1],
                i == 3 ? "80x400" : "280x400");
}

void ImagesTab::RefreshBookImage(int b, int i) {
    window_.MakeCurrent();
    tessaly::RefreshBookImage(window_.State(), b, i);
}

void ImagesTab::UpdateBookButtons(int b) {
    tessaly::UpdateBookButtons(window_.State(), b);
}

void ImagesTab::SelectBook(int b) {
    tessaly::SelectBook(window_.State(), b);
    ui_.Book1Stack->setCurrentIndex(b - 1);
    ui_.Book2Stack->setCurrentIndex(b - 1);
    ui_.Book3Stack->setCurrentIndex(b - 1);
    const std::array<QAbstractButton*, 4> selectors{ui_.SB1, ui_.SB2, ui_.SB3, ui_.SB4};
    selectors[b - 1]->setChecked(true);
}

}  // namespace tessaly
