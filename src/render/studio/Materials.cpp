#include "render/studio/Materials.h"

#include <array>
#include <utility>

#include "core/model/DiscCases.h"

namespace tessaly {

namespace {

constexpr StudioMaterial kMatt{0.0f, 8.0f, 0.0f, 1.0f};
constexpr StudioMaterial kLaminated{0.5f, 24.0f, 0.0f, 1.0f};
constexpr StudioMaterial kPlastic{0.8f, 64.0f, 0.0f, 1.0f};
constexpr StudioMaterial kClearPlastic{0.9f, 96.0f, 0.0f, 0.3f};
// A sleeve lies right over printed artwork: almost nothing but its shine.
constexpr StudioMaterial kSleeve{0.9f, 96.0f, 0.0f, 0.06f};
constexpr StudioMaterial kSilver{0.9f, 48.0f, 1.0f, 1.0f};
constexpr StudioMaterial kWire{0.9f, 32.0f, 1.0f, 1.0f};

constexpr std::array<std::pair<std::string_view, StudioMaterial>, 16> kByName{{
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
    {kDiscHubObject, kClearPlastic},
    {kLidSleeveObject, kSleeve},
    {kBaseSleeveObject, kSleeve},
    {"DVDFata", kPlastic},  // the keep case's cover seen through its sleeve
    {"DVDSpate", kPlastic},
}};

}  // namespace

StudioMaterial MaterialFor(std::string_view objectName) {
    for (const auto& [name, material] : kByName)
        if (name == objectName) return material;
    // Everything else carries artwork on card: covers, boards, box faces.
    return kLaminated;
}

}  // namespace tessaly
