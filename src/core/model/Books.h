// The hardcover book models: boards overhanging a page block, a flat or
// rounded spine, a joint groove on the front board, and a flat or concave
// fore-edge. Built in millimetres with the front facing +Z and the spine on
// the left (-X) as the book is seen from the front; the boxes of books reuse
// the millimetre model under their own object names.
#pragma once

#include <string>

#include "core/model/EmoModel.h"

namespace tessaly {

struct BookNames {
    std::string Front = "Front";    // front board's outer face
    std::string Back = "Back";      // back board's outer face
    std::string Side = "Side";      // the printed spine
    std::string Binding = "Spine";  // board edges and turn-ins, cover colour
    std::string Pages = "Pages";    // page block edges
};

struct BookSpec {
    float WidthMm = 152.0f;  // board width, spine edge to fore-edge
    float HeightMm = 229.0f;
    float BlockMm = 15.0f;  // page block thickness
    float BoardMm = 2.5f;
    float SquareMm = 3.0f;  // board overhang at head, tail and fore-edge
    float JointMm = 7.0f;   // groove distance from the spine
    float GrooveWidthMm = 3.0f;
    float GrooveDepthMm = 0.6f;
    bool RoundedSpine = false;   // the spine bulges by a sixth of its width
    float ForeEdgeSagMm = 0.0f;  // > 0: the fore-edge is a concave arc this deep
    Rgba BindingColour{0.2f, 0.25f, 0.4f, 1};
    BookNames Names;
};

// The book in millimetres, centred on the origin.
TmodelEMO BuildBookMm(const BookSpec& spec);

// The shipped books in scene units (2 units tall): the flat-spined
// "flatbook", the rounded "roundedbook" and, with a concave fore-edge,
// "roundedbbook".
TmodelEMO BuildFlatBook();
TmodelEMO BuildRoundedBook(bool concaveForeEdge);

}  // namespace tessaly
