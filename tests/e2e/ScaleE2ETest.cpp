#include "E2E.h"
#include "Steps.h"

#include <cmath>

// The program on a screen scaled by the toolkit (FLTK_SCALING_FACTOR): everything is s times its
// size at 1, drawn at the screen's resolution, and the pointer acts where it is.
class ScaleE2E : public E2E, public testing::WithParamInterface<double> {
protected:
    void SetUp() override { start({}, GetParam()); }
    // Screen pixels of a length or position in window units.
    int px(double units) const { return static_cast<int>(std::floor(units * GetParam())); }
};

namespace {

bool trackish(Rgb c) { return c.b > 120 && c.r < 40 && c.g < 40; }

}  // namespace

TEST_P(ScaleE2E, WindowPanelAndViewAreScaledAndSharp) {
    const double s = GetParam();
    const unsigned long id = findWindow(mainWindowTitle);
    ASSERT_NE(id, 0u);
    const WindowGeometry g = windowGeometry(id);
    EXPECT_EQ(g.x, px(100));
    EXPECT_EQ(g.y, px(100));
    EXPECT_EQ(g.width, px(900));
    EXPECT_NEAR(g.height, 525 * s, 1);

    Screenshot shot;
    ASSERT_TRUE(waitForStill(shot));
    // The floor across the view, at full resolution: every tile clear of the track, the points
    // and their shadows shows its own colour at its centre, as the camera computes it.
    int left = 0, right = 0;
    std::string wrong;
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) {
            const double x = -8 + 1.6 * (i + 0.5), z = -8 + 1.6 * (j + 0.5);
            if (std::fabs(x) < 4 && std::fabs(z) < 4)
                continue;
            const auto w = camera.windowPosition(x, 0, z);
            if (w[0] < layout::viewX + 5 || w[0] > layout::viewX + layout::viewWidth - 5 ||
                w[1] < layout::viewY + 5 || w[1] > layout::viewY + layout::viewHeight - 5)
                continue;
            const auto at = camera.screenPosition(x, 0, z);
            const Rgb expected = (i + j) % 2 ? floorGrey : floorBlue;
            if (!near(shot.at(at[0], at[1]), expected, 2))
                wrong += " " + std::to_string(i) + "," + std::to_string(j) + " " +
                         describe(shot.at(at[0], at[1]));
            (w[0] < layout::viewX + layout::viewWidth / 2 ? left : right) += 1;
        }
    EXPECT_EQ(wrong, "") << "tiles (i, j) of the wrong colour";
    EXPECT_GE(left, 10);
    EXPECT_GE(right, 10);
    // The light marker, high in the view's right half.
    const auto light = camera.screenPosition(5, 7.25, 5);
    EXPECT_TRUE(reddish(shot.at(light[0], light[1]))) << describe(shot.at(light[0], light[1]));
    // The track is 2 units wide: down a column across its far side (x = 0, z near -2), the
    // widest run of track pixels is 2 s.
    const auto column = camera.screenPosition(0, 0.1, -2);
    const int top = camera.screenPosition(0, 0.1, -3)[1], bottom = camera.screenPosition(0, 0.1, -1)[1];
    int run = 0, widest = 0;
    for (int y = top; y <= bottom; ++y) {
        run = trackish(shot.at(column[0], y)) ? run + 1 : 0;
        widest = std::max(widest, run);
    }
    EXPECT_EQ(widest, static_cast<int>(std::lround(2 * s))) << "down x " << column[0];
    shot.save("scaled-" + std::to_string(px(100)), s);

    // The panel's labels, read at their scaled size and place.
    const std::string panel = readText(shot, px(100), px(100), px(305), px(525), 2, 11);
    for (const char* label : {"Add to Curve", "Curve Type", "Shadow Type", "Lighting",
                              "Constant Velocity", "Train View", "Play"})
        EXPECT_NE(panel.find(label), std::string::npos) << label << " not read in:\n" << panel;
    std::string velocity = readText(shot, px(110), px(541), px(200), px(18), 2, 7);
    velocity.erase(velocity.find_last_not_of(" \n\f") + 1);
    EXPECT_EQ(velocity, "Velocity") << "under the velocity slider";
}

TEST_P(ScaleE2E, PressOnAPointPicksItAndADragTakesItWhereThePointerGoes) {
    expectPressOnP2SelectsItUntilRelease();

    const auto p2 = camera.screenPosition(-2, 0.35, 2);
    const std::array<int, 2> to = {p2[0] - px(60), p2[1] + px(40)};
    drag(*app, p2, to, false, "hit 0 name 1\n");
    std::array<double, 3> moved;
    const auto cube = cubeAfterPlainDrag(camera, to, &moved);
    EXPECT_TRUE(waitFor(cube[0], cube[1], greenish)) << "no cube at " << moved[0] << "," << moved[2];
    EXPECT_FALSE(greenish(Screenshot::take().at(p2[0], p2[1])));
}

TEST_P(ScaleE2E, RightDragOrbitsAndMovingBackRestoresThePicture) {
    const double s = GetParam();
    const std::array<int, 2> press = {px(650), px(250)};
    moveTo(press[0], press[1]);
    xdotool("click 3");
    Screenshot before;
    ASSERT_TRUE(waitForStill(before)) << "the view kept changing";
    xdotool("mousedown 3");
    for (int k = 1; k <= 10; ++k) {
        moveTo(press[0] + px(12 * k), press[1] + px(3 * k));
        pause(0.03);
    }
    Screenshot turned;
    EXPECT_TRUE(waitForShot(
        [&](const Screenshot& shot) { return differingInView(before, shot, 0, s) > 10000 * s * s; },
        turned));
    // Within the 5-unit dead zone of the press: the eye it started from.
    moveTo(press[0] + px(4), press[1] - px(3));
    Screenshot back;
    EXPECT_TRUE(waitForShot([&](const Screenshot& shot) { return differingInView(before, shot, 0, s) == 0; },
                            back))
        << differingInView(before, back, 0, s) << " pixels differ";
    xdotool("mouseup 3");
    EXPECT_EQ(app->output(), "");
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaleE2E, testing::Values(1.5, 2.0),
                         [](const testing::TestParamInfo<double>& info) {
                             return info.param == 2.0 ? std::string("Twice")
                                                      : std::string("OneAndAHalf");
                         });
