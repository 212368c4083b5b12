#include "core/web/SiteAddresses.h"

namespace tessaly {

std::string SiteAddress(std::string_view base, std::string_view path) {
    while (!base.empty() && base.back() == '/') base.remove_suffix(1);
    while (!path.empty() && path.front() == '/') path.remove_prefix(1);
    std::string address(base);
    address += '/';
    address += path;
    return address;
}

}  // namespace tessaly
