// The magazine model: an A4 saddle-stitched magazine, soft covers flush with
// the pages, the cover folded round the spine on the left, page edges on the
// other three sides. Front faces +Z; 2 units tall, centred on the origin.
#pragma once

#include "core/model/EmoModel.h"

namespace tessaly {

// Objects: "Front" (+Z, with the fold's front half), "Back" (-Z, with the
// fold's back half), "Pages" (head, tail and fore-edge, page texture).
TmodelEMO BuildMagazine();

}  // namespace tessaly
