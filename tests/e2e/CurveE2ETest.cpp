#include "E2E.h"

namespace {

// The track's dark blue, shaded by the light: clearly blue, neither background nor floor.
bool trackish(Rgb c) {
    return c.r < 40 && c.g < 40 && c.b > 100;
}

// Whether a track pixel lies within two pixels of the projected point.
bool trackNear(const Screenshot& shot, const std::array<int, 2>& at) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (trackish(shot.at(at[0] + dx, at[1] + dy)))
                return true;
    return false;
}

// Positions of the three curve types at t = 1.5 and 3.5, the middle of the side segments.
const double sideX[3] = {2, 2.5, 11.0 / 6};  // Linear, Cardinal, B-Spline

// Lines of the "Curve Type" browser, main-window coordinates of their middles.
const double curveTypeLineY[4] = {0, 49, 66, 83};

}  // namespace

using CurveE2E = E2E;

TEST_F(CurveE2E, CardinalTrackIsDrawnInDarkBlue) {
    const Screenshot shot = Screenshot::take();
    // Samples away from the cubes and the train.
    const double samples[][3] = {{0, 0.1, 2.5}, {-2.5, 0.1, 0}, {2.5, 0.1, 0}, {0, 0.1, -2.5}};
    for (const auto& p : samples) {
        const auto at = camera.screenPosition(p[0], p[1], p[2]);
        EXPECT_TRUE(trackNear(shot, at)) << "no track near " << p[0] << "," << p[2] << " at "
                                         << at[0] << "," << at[1];
    }
}

TEST_F(CurveE2E, CurveTypeBrowserSwitchesTheDrawnLine) {
    const auto cardinal = camera.screenPosition(-sideX[1], 0.1, 0);
    const auto linear = camera.screenPosition(-sideX[0], 0.1, 0);
    const auto bspline = camera.screenPosition(-sideX[2], 0.1, 0);
    ASSERT_GT(std::abs(cardinal[0] - linear[0]), 8);
    ASSERT_GT(std::abs(linear[0] - bspline[0]), 3);

    Screenshot shot = Screenshot::take();
    EXPECT_TRUE(trackNear(shot, cardinal));
    EXPECT_FALSE(trackNear(shot, linear));

    clickAt(60, curveTypeLineY[1]);
    EXPECT_TRUE(waitForShot(
        [&](const Screenshot& s) { return trackNear(s, linear) && !trackNear(s, cardinal); }, shot))
        << "Linear not drawn: track at the linear place " << trackNear(shot, linear)
        << ", at the cardinal place " << trackNear(shot, cardinal);
    shot.save("curve-linear");

    clickAt(60, curveTypeLineY[3]);
    EXPECT_TRUE(waitForShot(
        [&](const Screenshot& s) { return !trackNear(s, linear) && trackNear(s, bspline); }, shot))
        << "B-Spline not drawn: track at the linear place " << trackNear(shot, linear)
        << ", at the B-spline place " << trackNear(shot, bspline);
    EXPECT_FALSE(trackNear(shot, cardinal));
    // The points stay where they were, and green.
    const auto p3 = camera.screenPosition(-2, 0.35, -2);
    EXPECT_TRUE(greenish(shot.at(p3[0], p3[1])));
}
