// The spiral notebook models: two thin card covers over a page block, a
// column of punched holes along the left (bound) edge, and a wire loop
// through each hole that wraps round the spine edge. Front faces +Z;
// centred on the origin, the larger side 2 units long.
#pragma once

#include "core/model/EmoModel.h"

namespace tessaly {

struct SpiralNotebookSpec {
    float WidthMm = 148.0f;
    float HeightMm = 210.0f;
    float BlockMm = 8.0f;
    float CoverMm = 0.5f;
    float PitchMm = 8.47f;      // 3 loops per inch
    float HoleMm = 4.5f;        // square punched holes
    float HoleInsetMm = 6.0f;   // hole centres from the bound edge
    float LoopRadiusMm = 5.5f;  // 11 mm loops
    float WireRadiusMm = 0.55f;
};

// Objects: "Front" (+Z) and "Back" (-Z) covers with the holes left out,
// "Holes" (the dark punched holes), "CoverEdge" (the covers' cut edges),
// "Pages" (page texture on the four edges), "Spira" (the wire, untextured).
TmodelEMO BuildSpiralNotebook(const SpiralNotebookSpec& spec);

// "spiral1" (A5 portrait) and "spiral2" (297 x 210 landscape).
TmodelEMO BuildSpiralNotebookA5();
TmodelEMO BuildWideSpiralNotebook();

}  // namespace tessaly
