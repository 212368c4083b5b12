// The software box models (standard, thin, wide): a card box with sharp
// corners softened by a narrow bevel. Sizes are given in millimetres of the
// real product and turned into scene units, with the box centred on the
// origin and its front facing +Z, toward the default camera.
#pragma once

#include "core/model/EmoModel.h"

namespace tessaly {

struct SoftwareBoxSpec {
    float WidthMm = 190.0f;
    float HeightMm = 235.0f;
    float DepthMm = 50.0f;
    float BevelMm = 0.75f;
    // A 235 mm tall box becomes 2 units tall, which the default camera
    // (5 units away, 45 degrees) frames with room around it.
    float UnitsPerMm = 2.0f / 235.0f;
};

// Objects: "Front" (+Z), "Side" (+X, the spine), "Top" (+Y) carry artwork
// and are textured; "Back", "Left", "Bottom" are light grey card; "Bevel"
// holds the edge strips and corners. Each face image is upright and
// unmirrored seen from outside (v = 0 at the image's bottom row).
TmodelEMO BuildSoftwareBox(const SoftwareBoxSpec& spec);

// The other boxes: "thinbox" (the standard front, 20 mm deep), "widebox"
// (a landscape 235 x 190 x 50 front, 2 units wide) and "cbox", a 2-unit
// cube at scale 1 whose proportions the dimension factors set at run time:
// its thumbnails and optimal image sizes are the factors times one base
// size for all three faces, which matches the model only when it is a cube.
SoftwareBoxSpec ThinBoxSpec();
SoftwareBoxSpec WideBoxSpec();
SoftwareBoxSpec CustomBoxSpec();

}  // namespace tessaly
