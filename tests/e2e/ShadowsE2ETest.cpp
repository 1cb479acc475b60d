#include "E2E.h"

namespace {

// Lines of the "Shadow Type" browser, main-window coordinates of their middles.
const double shadowLineY[4] = {0, 150, 167, 184};

const Rgb black{0, 0, 0};

bool isFloor(Rgb c) {
    return near(c, floorGrey, 2) || near(c, floorBlue, 2);
}

}  // namespace

class ShadowsE2E : public E2E {
protected:
    // On the floor beside the train, inside its point-light shadow from the light at (5, 7, 5).
    std::array<int, 2> trainShadow() const { return camera.screenPosition(0.9, 0, 1.2); }
    // Straight below the light marker.
    std::array<int, 2> markerDrop() const { return camera.screenPosition(5, 0.01, 5); }
};

TEST_F(ShadowsE2E, FirstFrameShowsTheShadowOfAControlPoint) {
    // Nothing clicked, no redraw asked for. The top face of P2's cube, (-2.25..-1.75, 0.6,
    // 1.75..2.25), projected from the light at (5, 7, 5) covers x -2.93..-2.38, z 1.45..1.99
    // of the floor; (-2.75, 0, 1.9) lies inside it, left of the cube and not hidden by it.
    // One look, as soon as the view shows a frame (the fixture waits for that): waiting for
    // the shadow would let a later frame stand in for a first one without shadows.
    const auto at = camera.screenPosition(-2.75, 0, 1.9);
    const Screenshot shot = Screenshot::take();
    EXPECT_TRUE(near(shot.at(at[0], at[1]), black, 2)) << describe(shot.at(at[0], at[1]));
}

TEST_F(ShadowsE2E, PointLightShadowFallsAwayFromTheLight) {
    const auto at = trainShadow();
    EXPECT_TRUE(waitFor(at[0], at[1], [](Rgb c) { return near(c, black, 2); }));
    const Screenshot shot = Screenshot::take();
    shot.save("shadows-point-light");
    // The marker's own shadow is clipped away (it is at the light's height): floor below it.
    const auto below = markerDrop();
    EXPECT_TRUE(isFloor(shot.at(below[0], below[1]))) << describe(shot.at(below[0], below[1]));
}

TEST_F(ShadowsE2E, HackDropShadowsLieStraightBelow) {
    clickAt(60, shadowLineY[2]);
    const auto below = markerDrop();
    EXPECT_TRUE(waitFor(below[0], below[1], [](Rgb c) { return near(c, black, 2); }));
    const Screenshot shot = Screenshot::take();
    shot.save("shadows-drop");
    const auto beside = trainShadow();
    EXPECT_TRUE(isFloor(shot.at(beside[0], beside[1]))) << describe(shot.at(beside[0], beside[1]));
}

TEST_F(ShadowsE2E, NoneShowsTheFloor) {
    clickAt(60, shadowLineY[1]);
    const auto beside = trainShadow();
    EXPECT_TRUE(waitFor(beside[0], beside[1], isFloor));
    const Screenshot shot = Screenshot::take();
    const auto below = markerDrop();
    EXPECT_TRUE(isFloor(shot.at(below[0], below[1])));
}

TEST_F(ShadowsE2E, LightingOffShowsFlatColours) {
    const auto p2 = camera.screenPosition(-2, 0.35, 2);
    const Screenshot lit = Screenshot::take();
    EXPECT_TRUE(greenish(lit.at(p2[0], p2[1])));
    EXPECT_FALSE(near(lit.at(p2[0], p2[1]), {0, 255, 0}, 0)) << "lit faces are shaded";
    clickAt(60, 252);  // "Lighting"
    EXPECT_TRUE(waitFor(p2[0], p2[1], [](Rgb c) { return near(c, {0, 255, 0}, 0); }));
    Screenshot::take().save("lighting-off");
}
