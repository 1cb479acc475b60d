#include "ControlPoint.h"
#include "Curve.h"
#include "CurveBasis.h"
#include "Feedback.h"
#include "Frames.h"
#include "GlTest.h"
#include "Handles.h"
#include "ReferenceCurve.h"
#include "StartupScene.h"
#include "Train.h"

#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/gl.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

class TrainTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
    }
    void TearDown() override {
        timeSlider = nullptr;
        trainViewButton = nullptr;
        GlTest::TearDown();
    }
    std::vector<FeedbackPrimitive> drawn(int shadowPass) {
        return captureFeedback([&] {
            glColor4f(0.25f, 0.5f, 0.75f, 1);
            train.draw(shadowPass);
        });
    }

    StartupScene scene;
    ControlPoint& p2 = scene.p2;
    Curve& curve = scene.curve;
    Train& train = scene.train;
    const std::vector<Point3> square{{2, 0.1, 2}, {-2, 0.1, 2}, {-2, 0.1, -2}, {2, 0.1, -2}};
};

// World centre of a captured quad.
std::array<double, 3> centreOf(const std::array<FeedbackVertex, 4>& quad) {
    std::array<double, 3> c{0, 0, 0};
    for (const auto& v : quad) {
        const auto w = worldFromWindow(v.x, v.y, v.z);
        for (int k = 0; k < 3; ++k)
            c[k] += w[k] / 4;
    }
    return c;
}

}  // namespace

TEST_F(TrainTest, ColouredInTheNormalPassNotInTheShadowPass) {
    const auto normal = quadsOf(drawn(0));
    ASSERT_EQ(normal.size(), 6u);
    for (const auto& q : normal)
        for (const auto& v : q) {
            EXPECT_NEAR(v.r, 0.7, 1e-6);
            EXPECT_NEAR(v.g, 1.0, 1e-6);
            EXPECT_NEAR(v.b, 0.0, 1e-6);
        }
    const auto shadow = quadsOf(drawn(1));
    ASSERT_EQ(shadow.size(), 6u);
    for (const auto& q : shadow)
        for (const auto& v : q)
            EXPECT_NEAR(v.b, 0.75, 1e-6);
}

TEST_F(TrainTest, NothingAtAllWhileTrainViewIsOn) {
    Fl_Light_Button button(0, 0, 10, 10);
    trainViewButton = &button;
    button.value(1);
    EXPECT_TRUE(drawn(0).empty());
    EXPECT_TRUE(drawn(1).empty());
    button.value(0);
    EXPECT_FALSE(drawn(0).empty());
    // Another train than mainTrain is drawn whatever the button says.
    button.value(1);
    mainTrain = nullptr;
    EXPECT_FALSE(drawn(0).empty());
}

TEST_F(TrainTest, BottomFaceCentredOnTheCurvePointTurnedAlongTheTangent) {
    Fl_Value_Slider slider(0, 0, 100, 20);
    slider.range(0, 4);
    timeSlider = &slider;
    for (double t : {0.0, 0.5, 1.3, 2.75}) {
        slider.value(t);
        const auto [px, py, pz] = referencePosition(square, curve.curveType, t);
        const auto [dx, dy, dz] = referenceTangent(square, curve.curveType, t);
        const auto quads = quadsOf(drawn(0));
        ASSERT_EQ(quads.size(), 6u);
        // Face 4 is the cube's -y face: its centre is the curve point.
        const auto c = centreOf(quads[3]);
        EXPECT_NEAR(c[0], px, 2e-3) << "t " << t;
        EXPECT_NEAR(c[1], py, 2e-3) << "t " << t;
        EXPECT_NEAR(c[2], pz, 2e-3) << "t " << t;
        // The +z face (the back of the train) lies half a unit behind, against the tangent.
        const auto back = centreOf(quads[0]);
        const double l = std::sqrt(dx * dx + dy * dy + dz * dz);
        const double h = std::sqrt(dx * dx + dz * dz) / l;
        // Back-face centre = p + 0.5 * v + 0.5 * w (v has length h, w = -f).
        EXPECT_NEAR(back[0], px - 0.5 * dx / l + 0.5 * (-dx / l * dy / l), 2e-3) << "t " << t;
        EXPECT_NEAR(back[1], py - 0.5 * dy / l + 0.5 * h * h, 2e-3) << "t " << t;
        EXPECT_NEAR(back[2], pz - 0.5 * dz / l + 0.5 * (-dy / l * dz / l), 2e-3) << "t " << t;
    }
}

TEST_F(TrainTest, WithoutATimeSliderItStandsAtTheStart) {
    const auto quads = quadsOf(drawn(0));
    ASSERT_EQ(quads.size(), 6u);
    const auto c = centreOf(quads[3]);
    EXPECT_NEAR(c[0], 2, 2e-3);
    EXPECT_NEAR(c[1], 0.1, 2e-3);
    EXPECT_NEAR(c[2], 2, 2e-3);
}

TEST_F(TrainTest, LeavesTheModelviewAsFound) {
    glTranslated(1, 2, 3);
    const auto before = currentMatrix(GL_MODELVIEW_MATRIX);
    train.draw(0);
    const auto after = currentMatrix(GL_MODELVIEW_MATRIX);
    expectMatrixNear(before.data(), after.data(), 0);
}

TEST_F(TrainTest, RideCameraIsTheRideFrameTimesTheTranslation) {
    Fl_Value_Slider slider(0, 0, 100, 20);
    slider.range(0, 4);
    timeSlider = &slider;
    for (int type : {CurveLinear, CurveCardinal, CurveBSpline}) {
        curve.curveType = type;
        for (double t : {0.0, 0.7, 2.2}) {
            slider.value(t);
            const auto [px, py, pz] = referencePosition(square, type, t);
            const auto [dx, dy, dz] = referenceTangent(square, type, t);
            double frame[16];
            rideFrameMatrix(dx, dy, dz, frame);
            std::array<double, 16> expected;
            std::copy(frame, frame + 16, expected.begin());
            // Frame times translation by -(p + 0.5 up): the last column is frame * (-p').
            for (int r = 0; r < 3; ++r)
                expected[12 + r] = -(frame[r] * px + frame[4 + r] * (py + 0.5) + frame[8 + r] * pz);
            glLoadIdentity();
            train.applyRideCamera();
            expectMatrixNear(expected.data(), currentMatrix(GL_MODELVIEW_MATRIX).data(), 1e-6);
        }
    }
}

TEST_F(TrainTest, RideCameraEyeStaysHalfAUnitAboveTheCurvePointOnASlope) {
    // P2 raised by 3: on the linear segment from (2, 0.1, 2) to (-2, 3.1, 2), t = 0.5 is the
    // point (0, 1.6, 2), climbing along (-4, 3, 0). The eye belongs 0.5 above it in world y,
    // at (0, 2.1, 2); raised along the frame's up vector instead it would be (0.3, 2.0, 2).
    p2.y = 3.1;
    curve.curveType = CurveLinear;
    Fl_Value_Slider slider(0, 0, 100, 20);
    slider.range(0, 4);
    slider.value(0.5);
    timeSlider = &slider;
    glLoadIdentity();
    train.applyRideCamera();
    const auto m = currentMatrix(GL_MODELVIEW_MATRIX);
    // The eye is the world point e that the view matrix takes to the origin: R e + T = 0, with R
    // its upper-left 3 x 3 block and T its last column; solved by Cramer's rule.
    const auto det3 = [](const double* a, const double* b, const double* c) {
        return a[0] * (b[1] * c[2] - b[2] * c[1]) - b[0] * (a[1] * c[2] - a[2] * c[1]) +
               c[0] * (a[1] * b[2] - a[2] * b[1]);
    };
    const double* r0 = &m[0];
    const double* r1 = &m[4];
    const double* r2 = &m[8];
    const double t[3] = {-m[12], -m[13], -m[14]};
    const double d = det3(r0, r1, r2);
    ASSERT_GT(std::fabs(d), 1e-6);
    EXPECT_NEAR(det3(t, r1, r2) / d, 0, 1e-5);
    EXPECT_NEAR(det3(r0, t, r2) / d, 2.1, 1e-5);
    EXPECT_NEAR(det3(r0, r1, t) / d, 2, 1e-5);
}
