// Every shipped cover type, drawn from the build's own program folder (its
// models, catalogue and placeholder pictures) and compared with its baseline,
// so a change to a model, the catalogue's bindings or the renderer shows up
// as a changed picture to review.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "core/model/CoverTypes.h"
#include "render/Capture.h"
#include "render/EglContext.h"
#include "support/ImageCompare.h"
#include "support/RecordingPort.h"
#include "support/TestPaths.h"

namespace tessaly::test {
namespace {

class CoverImageTest : public ::testing::TestWithParam<std::string_view> {
protected:
    static void SetUpTestSuite() {
        port_ = std::make_unique<RecordingPort>();
        state_ = std::make_unique<MainState>(ProgramDir().string() + "/", *port_,
                                             std::make_unique<EglContext>());
        SetupOptions options;
        options.width = 320;
        options.height = 240;
        ASSERT_TRUE(state_->Session.SetupRendering(options));
        state_->SetRenderingEnabled(true);
    }
    static void TearDownTestSuite() {
        state_.reset();
        port_.reset();
    }

    static std::unique_ptr<RecordingPort> port_;
    static std::unique_ptr<MainState> state_;
};

std::unique_ptr<RecordingPort> CoverImageTest::port_;
std::unique_ptr<MainState> CoverImageTest::state_;

TEST_P(CoverImageTest, MatchesItsBaseline) {
    const std::string id(GetParam());
    MainState& state = *state_;
    const int entry = state.Session.Catalogue.FindEntry(id);
    ASSERT_EQ(state.Session.Catalogue.Item(entry).Id, id) << "the catalogue lists " << id;
    SelectCover(state, entry);
    MainControls& c = state.Controls;
    // A three-quarter view from a little above, the cases half open. The
    // case angle turns the lid objects of whatever model is current (the
    // window offers it for the cases only), so it is set for the cases only.
    const bool isCase = id == "cdcase" || id == "dvdcase";
    c.liftSB.SetPosition(15);
    c.ScrollBar4.SetPosition(isCase ? 20 : 330);
    c.ReflexionSB.SetPosition(30);
    c.CheckBox2.SetChecked(false);
    if (isCase) {
        c.caseAngleSB.SetPosition(0);
        c.caseAngleSB.SetPosition(70);
    }

    const RgbaImage picture = CaptureFrame(state.Session.Frames, *state.Session.Context, 320, 240);
    EXPECT_TRUE(MatchesBaseline(picture, "cover_" + id));
    EXPECT_TRUE(port_->messages.empty()) << port_->messages.front().text;
}

INSTANTIATE_TEST_SUITE_P(AllTypes, CoverImageTest,
                         ::testing::ValuesIn([] {
                             std::vector<std::string_view> ids;
                             for (const CoverType& t : kCoverTypes) ids.push_back(t.Id);
                             return ids;
                         }()),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace tessaly::test
