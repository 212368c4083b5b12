// What the studio look draws each object of a cover as, chosen by the
// object's name in the model: laminated card and book covers with a moderate
// sheen, plastic cases and discs with a strong one, page edges matt, the
// wire metallic, the jewel case's lid and hinge, the keep case's sleeve and
// the discs' hubs clear. Pure data, no GL.
#pragma once

#include <string_view>

namespace tessaly {

struct StudioMaterial {
    float Gloss = 0.0f;       // strength of the white highlight and the studio reflection
    float Shininess = 16.0f;  // tightness of the highlight
    float Metal = 0.0f;       // 1: highlights take the object's colour (wire)
    float Opacity = 1.0f;     // below 1: clear plastic, drawn after the opaque objects
};

StudioMaterial MaterialFor(std::string_view objectName);

}  // namespace tessaly
