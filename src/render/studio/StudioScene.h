// DrawStudioScene: the studio look's picture of the scene, in place of the
// classic DrawScene. In order: the floor laid down opaque (fading into the
// background with distance), the satin reflection over it, the shadow marks
// for this pass's light, the floor again at its opacity over the
// reflection, darkened only where the shadows fall, and the cover lit by
// this pass's light. The light moves over a small disc from pass to pass;
// the averaged passes have a soft shadow. At one pass it is hard.
#pragma once

namespace tessaly {

struct Scene;
class TGLContext;

void DrawStudioScene(Scene& scene, TGLContext& context);

}  // namespace tessaly
