#include "app/web/Site.h"

#include <cstdlib>

#include "core/web/SiteAddresses.h"

#ifndef TESSALY_DEFAULT_SITE_URL
#define TESSALY_DEFAULT_SITE_URL ""
#endif

namespace tessaly {

std::string SiteBase() {
    std::string base = TESSALY_DEFAULT_SITE_URL;
    if (const char* env = std::getenv("TESSALY_SITE_URL"); env && *env) base = env;
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base;
}

bool HasSite() {
    return !SiteBase().empty();
}

std::string SitePage(std::string_view path) {
    const std::string base = SiteBase();
    return base.empty() ? std::string() : SiteAddress(base, path);
}

}  // namespace tessaly
