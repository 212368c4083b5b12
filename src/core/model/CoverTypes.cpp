#include "core/model/CoverTypes.h"

namespace tessaly {

const CoverType* FindCoverType(std::string_view id) {
    for (const CoverType& t : kCoverTypes)
        if (t.Id == id) return &t;
    return nullptr;
}

bool IsKnownCoverType(std::string_view id) {
    return FindCoverType(id) != nullptr;
}

std::uint8_t TypeCode(std::string_view id) {
    const CoverType* t = FindCoverType(id);
    return t ? t->Code : 0;
}

std::string_view IdentifierForCode(std::uint8_t code) {
    if (code == 0) return {};
    for (const CoverType& t : kCoverTypes)
        if (t.Code == code) return t.Id;
    return {};
}

}  // namespace tessaly
