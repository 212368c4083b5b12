// The studio look's reflection: the mirrored cover, faded per pixel by its
// depth below the floor (a ramp texture on the second texture unit, its
// coordinate generated from the world height), so it is gone at a reflected
// height of `fadeHeight` whatever the meshes' cutting. A depth-only pass
// first keeps only the nearest mirrored surface, so the faded faces do not
// show through each other.
#pragma once

namespace tessaly {

struct Scene;
struct StudioResources;

void DrawStudioReflection(Scene& scene, const StudioResources& res, float height, float fadeHeight);

}  // namespace tessaly
