// ImagesTab: the "Images" tab: the three face image slots with Select, Edit
// and Refresh, their thumbnails and optimal-size labels, and the book panel
// with its four book selectors for the boxes of books.
#pragma once

#include <QWidget>
#include <array>

#include "ui_ImagesTab.h"

class QLabel;
class QPushButton;

namespace tessaly {

class MainWindow;

class ImagesTab : public QWidget {
    Q_OBJECT
  public:
    ImagesTab(MainWindow& window, QWidget* parent);
    Ui::ImagesTab& Form() { return ui_; }

    // Loads every slot's current image into its thumbnail.
    void ShowFaceThumbnails();

    // Slot g is 1..3; book b 1..4 and image i 1..3.
    void SelectFace(int g);
    void EditFace(int g);
    void RefreshFace(int g);
    void SelectBookImage(int b, int i);
    void EditBookImage(int b, int i);
    void RefreshBookImage(int b, int i);
    void UpdateBookButtons(int b);
    void SelectBook(int b);
    int CurrentBook() const;

  private:
    QLabel* FaceThumbnail(int g) const;
    QLabel* BookThumbnail(int b, int i) const;

    MainWindow& window_;
    Ui::ImagesTab ui_;
    std::array<std::array<QPushButton*, 3>, 3> faceButtons_{};  // [g][select, edit, refresh]
    std::array<std::array<QPushButton*, 3>, 3> bookButtons_{};  // [i][select, edit, refresh]
};

}  // namespace tessaly
