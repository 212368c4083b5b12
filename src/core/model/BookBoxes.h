// The boxes of books: a slipcase of 2.5 mm board, open toward the viewer
// (+Z), holding two to four hardcover books side by side with their spines
// facing out of the opening. The slipcase's top, its two large sides and
// its closed back carry artwork; each book carries its own three images.
#pragma once

#include "core/model/EmoModel.h"

namespace tessaly {

struct BookBoxSpec {
    int Books = 2;
    float BookWidthMm = 152.0f;
    float BookHeightMm = 229.0f;
    float BookBlockMm = 15.0f;  // each book is this plus two 2.5 mm boards
    float BoardMm = 2.5f;       // slipcase board
    float ClearanceMm = 2.0f;
};

// Outer size of the slipcase in millimetres: width (x, across the books),
// height, depth (z, from the opening to the back).
Vec3 BookBoxOuterMm(const BookBoxSpec& spec);

// Objects: "Top" (+Y), "Side" (both large sides, +X and -X), "Back" (-Z),
// "Bottom" and "Slipcase" (the opening's edges and the inside); for book b
// (1 to 4): "Front0b", "Back0b", "Side0b" (the spine, facing +Z), plus its
// binding "Binding0b" and page block "Pages0b". Book 1 is on the left seen
// from the opening.
TmodelEMO BuildBookBox(const BookBoxSpec& spec);

}  // namespace tessaly
