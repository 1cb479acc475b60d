#include "ControlPoint.h"
#include "Curve.h"
#include "Feedback.h"
#include "GlTest.h"
#include "Handles.h"

#include <FL/gl.h>

#include <algorithm>

namespace {

class ControlPointDraw : public GlTest {
protected:
    // Draws the point after setting a sentinel colour; returns the vertices it emitted.
    std::vector<FeedbackVertex> drawn(ControlPoint& p, int shadowPass) {
        return allVertices(captureFeedback([&] {
            glColor4f(0.25f, 0.5f, 0.75f, 1);
            p.draw(shadowPass);
        }));
    }

    static void expectColour(const std::vector<FeedbackVertex>& vertices, double r, double g,
                             double b) {
        ASSERT_FALSE(vertices.empty());
        for (const auto& v : vertices) {
            EXPECT_NEAR(v.r, r, 1e-6);
            EXPECT_NEAR(v.g, g, 1e-6);
            EXPECT_NEAR(v.b, b, 1e-6);
        }
    }
};

}  // namespace

TEST_F(ControlPointDraw, FreeStandingPointIsRed) {
    ControlPoint light(5, 7, 5);
    expectColour(drawn(light, 0), 1, 0, 0);
}

TEST_F(ControlPointDraw, PointWithOwnerIsGreen) {
    Curve curve;
    ControlPoint p(2, 0.1, 2);
    curve.append(&p);
    EXPECT_EQ(p.owner, &curve);
    expectColour(drawn(p, 0), 0, 1, 0);
}

TEST_F(ControlPointDraw, SelectedPointIsCyanWithOrWithoutOwner) {
    Curve curve;
    ControlPoint owned(2, 0.1, 2);
    ControlPoint light(5, 7, 5);
    curve.append(&owned);

    selectedObject = &owned;
    expectColour(drawn(owned, 0), 0, 1, 1);
    expectColour(drawn(light, 0), 1, 0, 0);
    selectedObject = &light;
    expectColour(drawn(light, 0), 0, 1, 1);
    expectColour(drawn(owned, 0), 0, 1, 0);
    selectedObject = nullptr;
    expectColour(drawn(owned, 0), 0, 1, 0);
    expectColour(drawn(light, 0), 1, 0, 0);
}

TEST_F(ControlPointDraw, ShadowPassSetsNoColourButDrawsTheCube) {
    Curve curve;
    ControlPoint owned(1, 0, 1);
    ControlPoint light(-1, 0, -1);
    curve.append(&owned);
    selectedObject = &light;
    for (ControlPoint* p : {&owned, &light}) {
        const auto vertices = drawn(*p, 1);
        EXPECT_EQ(quadsOf(captureFeedback([&] { p->draw(1); })).size(), 6u);
        expectColour(vertices, 0.25, 0.5, 0.75);
    }
    selectedObject = nullptr;
}

TEST_F(ControlPointDraw, CubeStandsOnThePoint) {
    ControlPoint p(1, 2, -3);
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9, minZ = 1e9, maxZ = -1e9;
    for (const auto& v : drawn(p, 0)) {
        const auto w = worldFromWindow(v.x, v.y, v.z);
        minX = std::min(minX, w[0]);
        maxX = std::max(maxX, w[0]);
        minY = std::min(minY, w[1]);
        maxY = std::max(maxY, w[1]);
        minZ = std::min(minZ, w[2]);
        maxZ = std::max(maxZ, w[2]);
    }
    EXPECT_NEAR(minX, 0.75, 1e-3);
    EXPECT_NEAR(maxX, 1.25, 1e-3);
    EXPECT_NEAR(minY, 2.0, 1e-3);
    EXPECT_NEAR(maxY, 2.5, 1e-3);
    EXPECT_NEAR(minZ, -3.25, 1e-3);
    EXPECT_NEAR(maxZ, -2.75, 1e-3);
}
