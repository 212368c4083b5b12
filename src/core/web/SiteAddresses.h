// SiteAddresses: the pages of the maker's web site the program links to,
// and the update file it fetches. The site itself (scheme and host, maybe a
// path prefix) is configured when the program is built.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

inline constexpr std::string_view kHomePagePath = "/tessaly/";
inline constexpr std::string_view kTemplatesPagePath = "/tessaly/templates/";
inline constexpr std::string_view kTutorialsPagePath = "/tessaly/tutorials/";
inline constexpr std::string_view kSupportPagePath = "/tessaly/support/";
inline constexpr std::string_view kUpdateFilePath = "/tessaly/updates.txt";

// `base` (for instance "https://example.org" or "http://127.0.0.1:8080/")
// followed by `path`, with exactly one "/" between them.
std::string SiteAddress(std::string_view base, std::string_view path);

}  // namespace tessaly
