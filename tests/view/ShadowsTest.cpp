#include "Feedback.h"
#include "GlTest.h"
#include "Shadows.h"

#include <FL/gl.h>

namespace {

using Shadows = GlTest;

std::array<double, 16> readBack(void (*mult)()) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    mult();
    return currentMatrix(GL_MODELVIEW_MATRIX);
}

void pointShadowAt575() {
    multPointShadow(5, 7, 5);
}

}  // namespace

TEST_F(Shadows, DropMatrixElementByElement) {
    const double expected[16] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0.01, 0, 1};
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(dropShadowMatrix[k], expected[k]) << k;
    expectMatrixNear(expected, readBack(multDropShadow).data(), 1e-7);
}

TEST_F(Shadows, PointLightMatrixElementByElement) {
    double m[16];
    pointShadowMatrix(2, 3, 4, m);
    const double expected[16] = {3, 0, 0, 0, -2, 0, -4, -1, 0, 0, 3, 0, 0, 0.01, 0, 3};
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(m[k], expected[k]) << k;
    const double at575[16] = {7, 0, 0, 0, -5, 0, -5, -1, 0, 0, 7, 0, 0, 0.01, 0, 7};
    expectMatrixNear(at575, readBack(pointShadowAt575).data(), 1e-7);
}

TEST_F(Shadows, PointLightProjectsOntoTheFloorAlongTheRay) {
    // Feedback mode reports the vertex after the division by w.
    const auto points = captureFeedback([] {
        multPointShadow(5, 7, 5);
        glBegin(GL_POINTS);
        glVertex3d(2, 0.1, 2);
        glEnd();
    });
    ASSERT_EQ(points.size(), 1u);
    const auto& v = points[0].vertices[0];
    const auto w = worldFromWindow(v.x, v.y, v.z);
    EXPECT_NEAR(w[0], 13.5 / 6.9, 1e-4);
    EXPECT_NEAR(w[2], 13.5 / 6.9, 1e-4);
    EXPECT_NEAR(w[1], 0.01 / 6.9, 1e-4);
}

TEST_F(Shadows, LightStraightAboveCastsStraightDown) {
    const auto points = captureFeedback([] {
        multPointShadow(1, 9, -2);
        glBegin(GL_POINTS);
        glVertex3d(1, 3, -2);
        glEnd();
    });
    ASSERT_EQ(points.size(), 1u);
    const auto w = worldFromWindow(points[0].vertices[0].x, points[0].vertices[0].y,
                                   points[0].vertices[0].z);
    EXPECT_NEAR(w[0], 1, 1e-4);
    EXPECT_NEAR(w[2], -2, 1e-4);
    EXPECT_NEAR(w[1], 0.01 / 6, 1e-4);
}

TEST_F(Shadows, DropFlattensToJustAboveTheFloor) {
    const auto points = captureFeedback([] {
        multDropShadow();
        glBegin(GL_POINTS);
        glVertex3d(3, 5, -1);
        glEnd();
    });
    const auto w = worldFromWindow(points[0].vertices[0].x, points[0].vertices[0].y,
                                   points[0].vertices[0].z);
    EXPECT_NEAR(w[0], 3, 1e-4);
    EXPECT_NEAR(w[1], 0.01, 1e-4);
    EXPECT_NEAR(w[2], -1, 1e-4);
}
