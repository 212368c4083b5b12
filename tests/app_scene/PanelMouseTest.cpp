#include <algorithm>

#include "SceneFixture.h"
#include "app/view/PanelMouse.h"

namespace tessaly::test {
namespace {

class PanelMouseTest : public SceneTest {
  protected:
    void Down(PanelButton b, int x, int y) { cursor = OGLPanelMouseDown(drag, b, x, y); }
    void MoveTo(int x, int y) { OGLPanelMouseMove(state, drag, x, y); }

    PanelDrag drag;
    PanelCursor cursor = PanelCursor::Arrow;
};

TEST_F(PanelMouseTest, EachButtonStartsItsDragWithItsCursorAndAnyReleaseEndsAll) {
    Down(PanelButton::Left, 10, 20);
    EXPECT_EQ(cursor, PanelCursor::PointingHand);
    EXPECT_TRUE(drag.RotateDrag);
    EXPECT_EQ(drag.LastX, 10);
    EXPECT_EQ(drag.LastY, 20);
    Down(PanelButton::Right, 30, 40);
    EXPECT_EQ(cursor, PanelCursor::SizeVertical);
    Down(PanelButton::Middle, 50, 60);
    EXPECT_EQ(cursor, PanelCursor::SizeAll);
    EXPECT_TRUE(drag.RotateDrag && drag.ZoomDrag && drag.PanDrag);
    EXPECT_EQ(drag.LastX, 50);

    EXPECT_EQ(OGLPanelMouseUp(drag), PanelCursor::Arrow);
    EXPECT_FALSE(drag.RotateDrag || drag.ZoomDrag || drag.PanDrag);

    // Moving with no button down changes nothing.
    MoveTo(500, 500);
    EXPECT_FLOAT_EQ(s.CameraRotate, 0.0f);
    EXPECT_FLOAT_EQ(s.Distance, 5.0f);
    EXPECT_EQ(c.StrafeSB.Position, 100);
    EXPECT_FALSE(state.Cover.Modified);
}

TEST_F(PanelMouseTest, TiltStopsAtZeroAndNinety) {
    c.liftSB.SetPosition(5);
    ASSERT_FLOAT_EQ(s.CameraLift, 5.0f);
    Down(PanelButton::Left, 100, 100);
    MoveTo(100, 80);  // 20 px up
    EXPECT_FLOAT_EQ(s.CameraLift, 0.0f);
    EXPECT_EQ(c.liftSB.Position, 0);

    MoveTo(100, 110);  // 30 px down: one degree per pixel
    EXPECT_FLOAT_EQ(s.CameraLift, 30.0f);
    EXPECT_EQ(c.liftSB.Position, 30);
    EXPECT_EQ(c.Label45.Caption, Deg("30"));  // the label follows the tilt
    MoveTo(100, 500);
    EXPECT_FLOAT_EQ(s.CameraLift, 90.0f);
    EXPECT_EQ(c.liftSB.Position, 90);
    EXPECT_TRUE(state.Cover.Modified);
}

TEST_F(PanelMouseTest, TurnWrapsAroundAFullCircle) {
    c.rotateSB.SetPosition(3);
    Down(PanelButton::Left, 100, 100);
    MoveTo(90, 100);  // 10 px left
    EXPECT_FLOAT_EQ(s.CameraRotate, 353.0f);
    EXPECT_EQ(c.rotateSB.Position, 353);
    EXPECT_EQ(c.Label44.Caption, Deg("353"));

    MoveTo(97, 100);  // 7 px right: exactly 360 stays
    EXPECT_FLOAT_EQ(s.CameraRotate, 360.0f);
    EXPECT_EQ(c.rotateSB.Position, 360);
    MoveTo(102, 100);  // 5 more
    EXPECT_FLOAT_EQ(s.CameraRotate, 5.0f);
    EXPECT_EQ(c.rotateSB.Position, 5);
    EXPECT_FLOAT_EQ(s.CameraLift, 0.0f);
}

TEST_F(PanelMouseTest, ZoomMovesTheDistanceSliderOnePositionPerPixel) {
    Down(PanelButton::Right, 200, 300);
    // Up moves the camera away: each pixel is 1/20 unit, one slider step.
    for (int y = 299; y >= 0; --y) {
        MoveTo(200, y);
        const int expected = std::min(100 + (300 - y), 500);
        ASSERT_EQ(c.distanceSB.Position, expected) << "at y " << y;
        ASSERT_FLOAT_EQ(s.Distance, static_cast<float>(expected) / 20.0f) << "at y " << y;
    }
    MoveTo(200, -5000);
    EXPECT_FLOAT_EQ(s.Distance, 25.0f);
    EXPECT_EQ(c.distanceSB.Position, 500);

    // Down brings it nearer, never past 3.5.
    int last = -5000;
    for (int y = last + 3; y <= last + 3 * 450; y += 3) {
        MoveTo(200, y);
        ASSERT_GE(s.Distance, 3.5f);
        ASSERT_LE(s.Distance, 25.0f);
        ASSERT_FLOAT_EQ(s.Distance, static_cast<float>(c.distanceSB.Position) / 20.0f)
            << "at y " << y;
    }
    EXPECT_EQ(c.distanceSB.Position, 70);
    EXPECT_FLOAT_EQ(s.Distance, 3.5f);
    EXPECT_TRUE(state.Cover.Modified);
}

TEST_F(PanelMouseTest, ShiftStopsAtTheEndsOfTheStrafeAndFrontBackSliders) {
    Down(PanelButton::Middle, 400, 300);
    MoveTo(100, 300);  // 300 px left
    EXPECT_EQ(c.StrafeSB.Position, 200);
    EXPECT_FLOAT_EQ(s.Strafe, -1.0f);
    EXPECT_EQ(c.FrontBackSB.Position, 100);

    MoveTo(150, 350);  // right and down: scene right, nearer
    EXPECT_EQ(c.StrafeSB.Position, 150);
    EXPECT_FLOAT_EQ(s.Strafe, -0.5f);
    EXPECT_EQ(c.FrontBackSB.Position, 50);
    EXPECT_FLOAT_EQ(s.FrontBack, 0.5f);
    MoveTo(1000, 1000);
    EXPECT_EQ(c.StrafeSB.Position, 0);
    EXPECT_FLOAT_EQ(s.Strafe, 1.0f);
    EXPECT_EQ(c.FrontBackSB.Position, 0);
    EXPECT_FLOAT_EQ(s.FrontBack, 1.0f);
}

TEST_F(PanelMouseTest, WithLeftAndRightHeldOnlyTurnAndTiltTakeEffect) {
    c.liftSB.SetPosition(40);
    Down(PanelButton::Left, 100, 100);
    Down(PanelButton::Right, 100, 100);
    MoveTo(100, 90);
    EXPECT_FLOAT_EQ(s.CameraLift, 30.0f);
    EXPECT_FLOAT_EQ(s.Distance, 5.0f);
    EXPECT_EQ(c.distanceSB.Position, 100);
}

}  // namespace
}  // namespace tessaly::test
