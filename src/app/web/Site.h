// Site: the maker's web site as this build knows it, and the build's own
// version. The site is fixed when the program is built (the CMake cache
// variable TESSALY_SITE_URL); the environment variable of the same name
// overrides it, so tests and private mirrors can point the links and the
// update check elsewhere.
#pragma once

#include <string>
#include <string_view>

#include "core/util/Version.h"  // ProgramVersion, shown beside the site links

namespace tessaly {

// The site's base address, without a trailing "/"; empty when the build
// names no site and the environment sets none.
std::string SiteBase();

// Whether there is a site: without one the web links are off and no update
// check is made.
bool HasSite();

// SiteBase() followed by one of the paths of SiteAddresses.h; empty without
// a site.
std::string SitePage(std::string_view path);

}  // namespace tessaly
