#include "E2E.h"
#include "Steps.h"

using InteractionE2E = E2E;

TEST_F(InteractionE2E, PressOnAPointPrintsItsTraceAndSelectsIt) {
    // P1 stands under the train at t = 0; its lower index wins.
    const auto p1 = camera.screenPosition(2, 0.35, 2);
    moveTo(p1[0], p1[1]);
    xdotool("mousedown 1");
    ASSERT_TRUE(app->waitForOutput("hit 0 name 0\n"));
    EXPECT_EQ(app->output(), "Hit 2 objects\n!hit 0 name 0\n");
    xdotool("mouseup 1");
}

TEST_F(InteractionE2E, SelectedPointTurnsCyanUntilRelease) {
    expectPressOnP2SelectsItUntilRelease();
}

TEST_F(InteractionE2E, EmptyFloorPrintsZeroAndSelectsNothing) {
    EXPECT_TRUE(pressOnTheEmptyFloor(*app, camera));
    EXPECT_EQ(app->output(), "Hit 0 objects\n!");
}

TEST_F(InteractionE2E, PlainDragMovesThePointAcrossTheFloorAtItsHeight) {
    const auto from = camera.screenPosition(-2, 0.35, 2);
    const std::array<int, 2> to = {from[0] - 60, from[1] + 40};
    drag(*app, from, to);
    std::array<double, 3> moved;
    const auto cube = cubeAfterPlainDrag(camera, to, &moved);
    EXPECT_TRUE(waitFor(cube[0], cube[1], greenish))
        << "no cube at " << moved[0] << "," << moved[2];
    const Screenshot shot = Screenshot::take();
    shot.save("drag-plain");
    EXPECT_FALSE(greenish(shot.at(from[0], from[1])));
    // Same height: a cube raised by its own size would not be there.
    const auto higher = camera.screenPosition(moved[0], 1.1, moved[2]);
    EXPECT_FALSE(greenish(shot.at(higher[0], higher[1])));
}

TEST_F(InteractionE2E, CtrlDragRaisesThePoint) {
    const auto from = camera.screenPosition(-2, 0.35, -2);
    const std::array<int, 2> to = {from[0], from[1] - 80};
    drag(*app, from, to, true);
    // The cube's bottom is now at the mouse; the floor position is free.
    Screenshot shot;
    EXPECT_TRUE(waitForShot(
        [&](const Screenshot& s) {
            return greenish(s.at(to[0], to[1] - 6)) && !greenish(s.at(from[0], from[1]));
        },
        shot))
        << "at the mouse " << describe(shot.at(to[0], to[1] - 6)) << ", where it was "
        << describe(shot.at(from[0], from[1]));
    shot.save("drag-ctrl");
    // Raised on the vertical plane z = -2 (the camera looks mostly along z), not carried back
    // across the floor, which would also leave it under the mouse but farther and smaller: the
    // near top corner of the raised cube shows.
    const auto raised = camera.pointOnPlane(to[0] - layout::windowX + 0.5,
                                            to[1] - layout::windowY + 0.5, 2, -2);
    const auto corner = camera.screenPosition(raised[0] + 0.2, raised[1] + 0.45, -2 + 0.24);
    EXPECT_TRUE(greenish(shot.at(corner[0], corner[1])))
        << "raised to y " << raised[1] << "; at its corner " << describe(shot.at(corner[0], corner[1]));
}

TEST_F(InteractionE2E, RightDragOrbitsAndMovingBackRestoresThePicture) {
    const std::array<int, 2> press = {650, 250};
    moveTo(press[0], press[1]);
    // A right click without moving redraws on release: the picture with its shadows.
    xdotool("click 3");
    Screenshot before;
    ASSERT_TRUE(waitForStill(before)) << "the view kept changing";
    xdotool("mousedown 3");
    for (int k = 1; k <= 10; ++k) {
        moveTo(press[0] + 12 * k, press[1] + 3 * k);
        pause(0.03);
    }
    Screenshot turned;
    EXPECT_TRUE(waitForShot([&](const Screenshot& s) { return differingInView(before, s, 0) > 10000; },
                            turned))
        << "the view did not turn: " << differingInView(before, turned, 0) << " pixels differ";
    moveTo(press[0] + 4, press[1] - 3);
    Screenshot back;
    EXPECT_TRUE(waitForShot([&](const Screenshot& s) { return differingInView(before, s, 0) == 0; },
                            back))
        << "not back within 10 s: " << differingInView(before, back, 0) << " pixels differ";
    xdotool("mouseup 3");
    EXPECT_EQ(app->output(), "");
}
