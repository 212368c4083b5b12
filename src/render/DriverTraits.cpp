#include "render/DriverTraits.h"

#include <string_view>

#include "render/GLContext.h"

namespace tessaly {

namespace {

// Whether the space-separated list holds `wanted` as a whole word.
bool ListHas(std::string_view list, std::string_view wanted) {
    for (std::size_t at = list.find(wanted); at != std::string_view::npos;
         at = list.find(wanted, at + 1)) {
        const std::size_t end = at + wanted.size();
        if ((at == 0 || list[at - 1] == ' ') && (end == list.size() || list[end] == ' '))
            return true;
    }
    return false;
}

}  // namespace

bool IsSoftwareRenderer(const std::string& renderer) {
    for (const char* name : {"llvmpipe", "softpipe", "swrast"})
        if (renderer.find(name) != std::string::npos) return true;
    return false;
}

bool AnisotropicFilteringWorthIt() {
    const std::string extensions = GLString(GL_EXTENSIONS);
    const bool has = ListHas(extensions, "GL_EXT_texture_filter_anisotropic") ||
                     ListHas(extensions, "GL_ARB_texture_filter_anisotropic");
    return has && !IsSoftwareRenderer(GLString(GL_RENDERER));
}

}  // namespace tessaly
