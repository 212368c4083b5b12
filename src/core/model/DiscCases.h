// The disc case models: a CD jewel case and a DVD keep case, each with its
// disc inside. The lid turns about the vertical axis through the model's
// origin, so the hinge edge lies on the line x = 0, z = 0: the closed case
// lies at x <= 0 with its lid at z >= 0 (facing +Z) and its base at z <= 0.
// A positive turn swings the lid's free edge toward the viewer and over to
// the right, so the hinge is the case's right-hand edge seen from the front;
// at 180 degrees the lid lies flat beside the base (x >= 0, z <= 0).
#pragma once

#include <string_view>

#include "core/model/EmoModel.h"

namespace tessaly {

// The disc's clear hub round its hole, an object of its own.
inline constexpr const char* kDiscHubObject = "DiscHub";
// The keep case's clear sleeve over the lid's and over the base's outside.
inline constexpr const char* kLidSleeveObject = "DVDSleeveFata";
inline constexpr const char* kBaseSleeveObject = "DVDSleeve";

// Whether the object is a keep case's clear sleeve. The classic pictures
// were drawn without one, and the classic look leaves it out; only a look
// that draws clear plastic as clear draws it.
bool IsClearSleeve(std::string_view objectName);

// Lid: "fataCarcas" (the clear rim and the inside of the lid), "Front" (the
// booklet), "CFata2" (the hinge bar). Base: "Back" (the tray card on the
// back and the two end strips), "BaseShell" (clear), "Tray" (dark), and the
// disc: "CD" (the printed label ring), "Disc" (rim, underside) and
// "DiscHub".
TmodelEMO BuildCdCase();

// Lid: "DVDCFata" (the plastic shell), "DVDFata" (the front cover),
// "DVDSleeveFata" (the clear sleeve over it). Base: "DVDSpate" (the back
// cover), "DVDSleeve", "DVDBase" (black plastic), "DVDHub", and the disc
// "DVD" (label ring), "Disc" and "DiscHub".
TmodelEMO BuildDvdCase();

}  // namespace tessaly
