// The image slots: what Select, Edit and Refresh do for the three face
// images, the floor and the twelve book images, without the widgets. A
// chosen file is copied to its working copy under the session's "Images"
// folder ("Image1.jpg", "Floor.png", "Book2Image3.bmp", extension as chosen),
// the slot's thumbnail control is pointed at it, and its texture is made
// anew. The Edit and Refresh buttons are controls whose Enabled state the
// window mirrors.
#pragma once

#include <string>

namespace tessaly {

class MainState;

// The slot numbers of the three faces and the floor.
inline constexpr int kFloorSlot = 4;

// ImagesFolder + `name` + the extension of `chosen` (letter case kept). Copies
// `chosen` over it unless they are the same file; a failing copy is not
// reported (the path is used all the same).
std::string MakeWorkingCopy(const std::string& imagesFolder, const std::string& name,
                            const std::string& chosen);

// Select for face slot 1..3 or the floor (kFloorSlot): the working copy, the
// thumbnail, the texture, Modified; faces also re-select the cover. A picture
// that cannot be read shows "cli" and keeps the slot's texture.
void SelectSlotImage(MainState& state, int slot, const std::string& chosen);
// Refresh: the working copy is read again. The floor goes through the texture
// file readers (BMP, JPEG, TGA), as its own loader does.
void RefreshSlotImage(MainState& state, int slot);
// The file the slot's Edit button opens in the editor.
std::string SlotPath(const MainState& state, int slot);

// The book panel: image i (1..3) of book b (1..4).
void SelectBookImage(MainState& state, int b, int i, const std::string& chosen);
void RefreshBookImage(MainState& state, int b, int i);
// Enables the book panel's Edit and Refresh buttons by book b's flags.
void UpdateBookButtons(MainState& state, int b);
// A book selector: book b becomes current.
void SelectBook(MainState& state, int b);

// After a project was opened: the Edit and Refresh buttons of the faces and
// the floor are enabled, and for a box of books the flags of its books'
// images are set (books 1 and 2 for two books, all four otherwise), those of
// the books it lacks cleared.
void EnableSlotsAfterOpening(MainState& state, const std::string& coverId);

}  // namespace tessaly
