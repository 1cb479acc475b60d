#include "GlTest.h"
#include "Interaction.h"

#include <FL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace {

using Vec = std::array<double, 3>;

Vec move(const Vec& n, const Vec& f, const Vec& p, int vertical) {
    Vec r;
    moveOnPlane(n[0], n[1], n[2], f[0], f[1], f[2], p[0], p[1], p[2], &r[0], &r[1], &r[2],
                vertical);
    return r;
}

void expectVec(const Vec& actual, const Vec& expected) {
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(actual[k], expected[k], 1e-12) << "component " << k;
}

Vec orbit(int dx, int dy, const Vec& c, const Vec& s) {
    Vec e;
    orbitEye(dx, dy, c[0], c[1], c[2], s[0], s[1], s[2], &e[0], &e[1], &e[2]);
    return e;
}

double distance(const Vec& a, const Vec& b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}

}  // namespace

TEST(MoveOnPlane, HorizontalPlaneThroughThePoint) {
    // Line from (0, 10, 0) down towards (4, 0, 2): meets y = 5 halfway.
    expectVec(move({0, 10, 0}, {4, 0, 2}, {9, 5, 9}, 0), {2, 5, 1});
}

TEST(MoveOnPlane, HorizontalThresholdIsNotStrict) {
    // |D.y| exactly 0.01 still uses the horizontal plane.
    const Vec r = move({0, 0.01, 0}, {1, 0, 0}, {5, 0.005, 5}, 0);
    EXPECT_NEAR(r[1], 0.005, 1e-15);
    EXPECT_NEAR(r[0], 0.5, 1e-9);
    EXPECT_NEAR(r[2], 0, 1e-12);
}

TEST(MoveOnPlane, NearlyHorizontalLineFallsBackToAVerticalPlane) {
    // D = (0, 0.005, 4): |D.z| > |D.x|, so the plane z = P.z.
    const Vec r = move({0, 0.005, 4}, {0, 0, 0}, {1, 1, 2}, 0);
    expectVec(r, {0, 0.0025, 2});
}

TEST(MoveOnPlane, VerticalPicksTheLargerHorizontalComponentStrictly) {
    // |D.z| > |D.x|: plane z = P.z keeps z.
    expectVec(move({1, 2, 4}, {0, 0, 0}, {7, 7, 2}, 1), {0.5, 1, 2});
    // |D.z| == |D.x|: plane x = P.x keeps x.
    expectVec(move({4, 2, 4}, {0, 0, 0}, {2, 7, 7}, 1), {2, 1, 2});
    // |D.x| larger.
    expectVec(move({4, 2, 1}, {0, 0, 0}, {2, 7, 7}, 1), {2, 1, 0.5});
}

TEST(MoveOnPlane, VerticalThresholdsAreStrict) {
    const Vec p{3, 4, 5};
    // Chosen component exactly 0.01, or just under: unchanged.
    expectVec(move({0, 1, 0.01}, {0, 0, 0}, p, 1), p);
    expectVec(move({0.01, 1, 0}, {0, 0, 0}, p, 1), p);
    expectVec(move({0, 1, 0.0099}, {0, 0, 0}, p, 1), p);
    expectVec(move({0.0099, 1, 0}, {0, 0, 0}, p, 1), p);
    // Just above: moves onto the plane z = 5 (s = (5 - 0.0101) / 0.0101), or x = 3.
    const Vec onZ = move({0, 1, 0.0101}, {0, 0, 0}, p, 1);
    EXPECT_NEAR(onZ[0], 0, 1e-12);
    EXPECT_NEAR(onZ[1], 1 + 4.9899 / 0.0101, 1e-9);
    EXPECT_EQ(onZ[2], 5);
    const Vec onX = move({0.0101, 1, 0}, {0, 0, 0}, p, 1);
    EXPECT_EQ(onX[0], 3);
    EXPECT_NEAR(onX[1], 1 + 2.9899 / 0.0101, 1e-9);
    EXPECT_NEAR(onX[2], 0, 1e-12);
}

TEST(MoveOnPlane, LineAlongYStaysPutWithCtrlOrWhenTooShort) {
    // Straight down the y axis: with Ctrl no vertical plane is crossed; without it the line
    // meets the horizontal plane y = 4 on the axis, unless its y extent is under 0.01, when it
    // falls back to the vertical planes and crosses none of them either.
    const Vec p{3, 4, 5};
    expectVec(move({0, 10, 0}, {0, 0, 0}, p, 1), p);
    expectVec(move({0, 10, 0}, {0, 0, 0}, p, 0), {0, 4, 0});
    expectVec(move({0, 0.001, 0}, {0, 0, 0}, p, 0), p);
}

TEST(OrbitEye, DeadZoneOnBothAxesAndSigns) {
    const Vec c{0, 3, 0}, s{5, 8, 14};
    for (int dx : {-5, -3, 0, 2, 5})
        for (int dy : {-5, 0, 4, 5})
            expectVec(orbit(dx, dy, c, s), s);
    // 6 pixels count as 1 either way.
    const Vec right = orbit(6, 0, c, s);
    const Vec left = orbit(-6, 0, c, s);
    const double a = 0.005;
    EXPECT_NEAR(right[0], std::cos(a) * 5 - std::sin(a) * 14, 1e-12);
    EXPECT_NEAR(left[0], std::cos(-a) * 5 - std::sin(-a) * 14, 1e-12);
    const Vec down = orbit(0, 6, c, s);
    EXPECT_NEAR(down[1], 3 + std::sin(a) * 5 + std::cos(a) * 5, 1e-12);
    const Vec up = orbit(0, -6, c, s);
    EXPECT_NEAR(up[1], 3 + std::sin(-a) * 5 + std::cos(-a) * 5, 1e-12);
}

TEST(OrbitEye, HundredAndFivePixelsTurnHalfARadianInXZ) {
    const Vec c{0, 3, 0}, s{5, 8, 14};
    const Vec e = orbit(105, 0, c, s);
    EXPECT_NEAR(e[0], std::cos(0.5) * 5 - std::sin(0.5) * 14, 1e-12);
    EXPECT_NEAR(e[1], 8, 1e-12);
    EXPECT_NEAR(e[2], std::sin(0.5) * 5 + std::cos(0.5) * 14, 1e-12);
    const double before = std::atan2(14, 5), after = std::atan2(e[2], e[0]);
    EXPECT_NEAR(after - before, 0.5, 1e-12);
}

TEST(OrbitEye, SecondTurnIsAboutTheWorldZAxisThroughTheCenter) {
    const Vec c{1, 2, 3}, s{4, 2, 3};  // offset (3, 0, 0)
    const Vec e = orbit(0, 105, c, s);
    // A turn in the x-y plane: z unchanged.
    EXPECT_NEAR(e[0], 1 + 3 * std::cos(0.5), 1e-12);
    EXPECT_NEAR(e[1], 2 + 3 * std::sin(0.5), 1e-12);
    EXPECT_NEAR(e[2], 3, 1e-12);
}

TEST(OrbitEye, DistanceToTheCenterIsKept) {
    const Vec c{0, 3, 0}, s{5, 8, 14};
    for (int dx : {-400, -37, 12, 250})
        for (int dy : {-300, -8, 90, 611})
            EXPECT_NEAR(distance(orbit(dx, dy, c, s), c), distance(s, c), 1e-9);
}

using Unproject = GlTest;

TEST_F(Unproject, FlipsYAndPutsTheNearPointNearerTheCamera) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(50, 1, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
    double n[3], f[3];
    // The mouse row my is the GL row height - my - 1: the top-left pixel is GL (0, 199).
    ASSERT_EQ(unprojectMouse(0, 0, &n[0], &n[1], &n[2], &f[0], &f[1], &f[2]), 1);
    const auto nearWindow = projectThroughCurrent(n[0], n[1], n[2]);
    EXPECT_NEAR(nearWindow[0], 0, 1e-6);
    EXPECT_NEAR(nearWindow[1], size - 1, 1e-6);
    EXPECT_NEAR(nearWindow[2], 0.25, 1e-6);
    const auto farWindow = projectThroughCurrent(f[0], f[1], f[2]);
    EXPECT_NEAR(farWindow[1], size - 1, 1e-6);
    EXPECT_NEAR(farWindow[2], 0.75, 1e-6);
    // The camera sits at z = 10 looking down -z.
    EXPECT_GT(n[2], f[2]);
}

TEST_F(Unproject, FailsForASingularTransformation) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScaled(0, 0, 0);
    double n[3] = {7, 7, 7}, f[3];
    EXPECT_EQ(unprojectMouse(10, 10, &n[0], &n[1], &n[2], &f[0], &f[1], &f[2]), 0);
}
