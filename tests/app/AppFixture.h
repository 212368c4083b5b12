// AppFixture: a MainState for app-layer tests. It runs on a context that
// makes no GL calls (SelectCover and the option handlers never draw) and
// fills the catalogue from catalogue text whose model file names list the
// objects of each tiny in-memory model ("Front,Side,Top").
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "support/NoGLContext.h"
#include "support/RecordingPort.h"

namespace tessaly::test {

// A context for code that never reaches GL: it "succeeds" without one.
using FakeContext = NoGLContext;

// The texture and colour every object of a test model gets from its "file",
// so that an object nobody bound is easy to recognise.
inline constexpr std::uint32_t kFileTexture = 7;
inline constexpr float kFileGrey = 0.5f;

// Face image textures 11, 12, 13; book b (0..3) image n (0..2) 100 + 10 b + n.
inline constexpr std::uint32_t kFaceTexture[3] = {11, 12, 13};
inline constexpr std::uint32_t BookTexture(int b, int n) {
    return static_cast<std::uint32_t>(100 + 10 * b + n);
}

struct GroupLayout {
    std::string caption;
    bool visible = true;
    int width = 70;
    int height = 100;
};

// One 12-line catalogue entry whose model holds `objects` (comma-separated).
std::string CatalogueEntry(const std::string& id, const std::string& objects,
                           const GroupLayout& g1 = {"Front", true, 70, 100},
                           const GroupLayout& g2 = {"Side", true, 20, 100},
                           const GroupLayout& g3 = {"Top", true, 70, 20});

// The usual catalogue: one entry of each kind the tests need, with the
// objects the cover type names plus a few it must leave alone.
std::string StandardCatalogue();

class AppTest : public ::testing::Test {
  protected:
    AppTest();

    // Replaces the catalogue with `text` (count line included).
    void LoadCatalogue(const std::string& text);
    // SelectCover of the last entry with this identifier.
    void Select(const std::string& id);
    int EntryOf(const std::string& id) const { return state.Session.Catalogue.FindEntry(id); }
    TmodelEMO& ModelOf(const std::string& id) {
        return state.Session.Catalogue.Item(EntryOf(id)).Model;
    }
    TobjectEMO& Object(const std::string& id, const std::string& name);

    RecordingPort port;
    MainState state;
};

}  // namespace tessaly::test
