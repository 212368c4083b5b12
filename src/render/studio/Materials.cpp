#include "render/studio/Materials.h"

#include <array>
#include <utility>

namespace tessaly {

namespace {

constexpr StudioMaterial kMatt{0.0f, 8.0f, 0.0f, 1.0f};
constexpr StudioMaterial kLaminated{0.35f, 24.0f, 0.0f, 1.0f};
constexpr StudioMaterial kPlastic{0.8f, 64.0f, 0.0f, 1.0f};
constexpr StudioMaterial kClearPlastic{0.9f, 96.0f, 0.0f, 0.3f};
constexpr StudioMaterial kSilver{0.9f, 48.0f, 1.0f, 1.0f};
constexpr StudioMaterial kWire{0.9f, 32.0f, 1.0f, 1.0f};

constexpr std::array<std::pair<std::string_view, StudioMaterial>, 12> kByName{{
    {"Pages", kMatt},
    {"Holes", kMatt},
    {"Spira", kWire},
    {"fataCarcas", kClearPlastic},  // the jewel case's lid
    {"CFata2", kClearPlastic},      // its hinge
    {"BaseShell", kPlastic},
    {"Tray", kPlastic},
    {"DVDCFata", kPlastic},
    {"DVDBase", kPlastic},
    {"DVDHub", kPlastic},
    {"Disc", kSilver},
    {"DVDFata", kPlastic},  // the keep case's cover seen through its sleeve
}};

}  // namespace

StudioMaterial MaterialFor(std::string_view objectName) {
    for (const auto& [name, material] : kByName)
        if (name == objectName) return material;
    if (objectName == "DVDSpate") return kPlastic;
    // Everything else carries artwork on card: covers, boards, box faces.
    return kLaminated;
}

}  // namespace tessaly
