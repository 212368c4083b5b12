// Draw: immediate-mode drawing of a cover model into the current context.
// Each object is turned by its own angle, textured or not, and in fade mode
// laid down flat in the fade colour first, then drawn lit with a per-vertex
// alpha so the reflection fades into the background. Draw leaves out a keep
// case's clear sleeve, which only the studio look draws (as clear plastic).
#pragma once

namespace tessaly {

class TmodelEMO;
class TobjectEMO;

void Draw(TmodelEMO& model);
void DrawObject(TobjectEMO& object);

}  // namespace tessaly
