#include "ControlPoint.h"
#include "Handles.h"
#include "Interaction.h"
#include "ViewTest.h"

#include <FL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace {

class Handle : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        Fl::e_state = 0;
        selectedObject = nullptr;
        view->clear_damage();
    }
    void TearDown() override {
        selectedObject = nullptr;
        ViewTest::TearDown();
    }
    int event(int type, int button, int x, int y, int state = 0) {
        Fl::e_keysym = FL_Button + button;
        Fl::e_x = x;
        Fl::e_y = y;
        Fl::e_state = state;
        return view->handle(type);
    }
};

}  // namespace

TEST_F(Handle, LeftPressPicksAndRedrawsReleaseClears) {
    ControlPoint p(0, 0.1, 0);
    const auto at = mouseOf(0, 0.35, 0);
    testing::internal::CaptureStdout();
    EXPECT_EQ(event(FL_PUSH, FL_LEFT_MOUSE, at[0], at[1]), 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(selectedObject, &p);
    EXPECT_EQ(pressX, at[0]);
    EXPECT_EQ(pressY, at[1]);
    EXPECT_TRUE(view->damage() & 1);
    for (int button : {FL_LEFT_MOUSE, FL_MIDDLE_MOUSE, FL_RIGHT_MOUSE}) {
        selectedObject = &p;
        view->clear_damage();
        EXPECT_EQ(event(FL_RELEASE, button, 0, 0), 1);
        EXPECT_EQ(selectedObject, nullptr);
        EXPECT_TRUE(view->damage() & 1);
    }
}

TEST_F(Handle, PlainDragKeepsHeightCtrlDragMovesUpAndDown) {
    ControlPoint p(0, 0.1, 0);
    const auto at = mouseOf(0, 0.35, 0);
    testing::internal::CaptureStdout();
    event(FL_PUSH, FL_LEFT_MOUSE, at[0], at[1]);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(selectedObject, &p);
    // Where the line of sight through the mouse meets the plane, from an independent camera.
    // Unprojection reads the pixel row height - my - 1: one row below the camera's my.
    ViewCamera camera;
    const auto sight = [&](int mx, int my, int axis, double value) {
        return camera.pointOnPlane(220 + mx, 10 + my + 1, axis, value);
    };
    EXPECT_EQ(event(FL_DRAG, FL_LEFT_MOUSE, at[0] + 40, at[1] + 30), 1);
    const auto flat = sight(at[0] + 40, at[1] + 30, 1, 0.1);
    EXPECT_EQ(p.y, 0.1);
    EXPECT_NEAR(p.x, flat[0], 1e-3);
    EXPECT_NEAR(p.z, flat[2], 1e-3);
    EXPECT_TRUE(view->damage() & 1);
    const double z = p.z;
    event(FL_DRAG, FL_LEFT_MOUSE, at[0] + 40, at[1] - 60, FL_CTRL);
    // The camera looks mostly along -z: the vertical plane keeps z.
    const auto upright = sight(at[0] + 40, at[1] - 60, 2, z);
    EXPECT_EQ(p.z, z);
    EXPECT_NEAR(p.x, upright[0], 1e-3);
    EXPECT_NEAR(p.y, upright[1], 1e-3);
    EXPECT_GT(p.y, 0.1);
}

TEST_F(Handle, DragWithoutSelectionOrRightPressDoesNothing) {
    const double eye[3] = {view->eye[0], view->eye[1], view->eye[2]};
    event(FL_PUSH, FL_MIDDLE_MOUSE, 100, 100);
    EXPECT_EQ(pressX, 100);
    view->clear_damage();
    EXPECT_EQ(event(FL_DRAG, FL_MIDDLE_MOUSE, 300, 200), 1);
    EXPECT_EQ(view->damage(), 0);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(view->eye[k], eye[k]);
}

TEST_F(Handle, RightDragOrbitsAndReturnsToTheEyeOfThePress) {
    const double eye[3] = {view->eye[0], view->eye[1], view->eye[2]};
    EXPECT_EQ(event(FL_PUSH, FL_RIGHT_MOUSE, 100, 100), 1);
    EXPECT_EQ(view->damage(), 0);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(savedEye[k], eye[k]);
    event(FL_DRAG, FL_RIGHT_MOUSE, 205, 100);
    EXPECT_TRUE(view->damage() & 1);
    // 0.5 rad about the center (0, 3, 0) from the eye (5, 8, 14), as below.
    EXPECT_NEAR(view->eye[0], std::cos(0.5) * 5 - std::sin(0.5) * 14, 1e-12);
    EXPECT_NEAR(view->eye[2], std::sin(0.5) * 5 + std::cos(0.5) * 14, 1e-12);
    event(FL_DRAG, FL_RIGHT_MOUSE, 104, 97);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(view->eye[k], eye[k]);
}

TEST_F(Handle, RightDragKeepsOrbitingAfterAKeyIsPressedAndReleased) {
    event(FL_PUSH, FL_RIGHT_MOUSE, 100, 100);
    // During the drag the toolkit reports the key, not the button, as event_button().
    Fl::e_keysym = 'a';
    EXPECT_EQ(view->handle(FL_KEYDOWN), 0);
    EXPECT_EQ(view->handle(FL_KEYUP), 0);
    Fl::e_x = 205;
    Fl::e_y = 100;
    view->clear_damage();
    EXPECT_EQ(view->handle(FL_DRAG), 1);
    EXPECT_TRUE(view->damage() & 1);
    // 105 px, less the 5 px dead zone: 0.5 rad in the x-z plane about the center (0, 3, 0),
    // from the eye (5, 8, 14), whose offset is (5, 5, 14).
    EXPECT_NEAR(view->eye[0], std::cos(0.5) * 5 - std::sin(0.5) * 14, 1e-12);
    EXPECT_NEAR(view->eye[1], 8, 1e-12);
    EXPECT_NEAR(view->eye[2], std::sin(0.5) * 5 + std::cos(0.5) * 14, 1e-12);
}

TEST_F(Handle, KeysAndOtherEventsAreRefused) {
    for (int e : {FL_KEYDOWN, FL_KEYUP, FL_SHORTCUT, FL_MOVE, FL_ENTER, FL_LEAVE, FL_FOCUS,
                  FL_UNFOCUS, FL_MOUSEWHEEL})
        EXPECT_EQ(view->handle(e), 0) << "event " << e;
    EXPECT_EQ(view->handle(FL_SHOW), 1);
}
