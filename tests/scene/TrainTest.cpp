#include "ControlPoint.h"
#include "Curve.h"
#include "CurveBasis.h"
#include "Feedback.h"
#include "Frames.h"
#include "GlTest.h"
#include "Handles.h"
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
        for (auto* p : {&p1, &p2, &p3, &p4})
            curve.append(p);
        mainCurve = &curve;
        mainTrain = &train;
    }
    void TearDown() override {
        timeSlider = nullptr;
        trainViewButton = nullptr;
        mainCurve = nullptr;
        mainTrain = nullptr;
        GlTest::TearDown();
    }
    std::vector<FeedbackPrimitive> drawn(int shadowPass) {
        return captureFeedback([&] {
            glColor4f(0.25f, 0.5f, 0.75f, 1);
            train.draw(shadowPass);
        });
    }

    ControlPoint p1{2, 0.1, 2}, p2{-2, 0.1, 2}, p3{-2, 0.1, -2}, p4{2, 0.1, -2};
    Curve curve;
    Train train{&curve};
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
        double px, py, pz, dx, dy, dz;
        curve.position(t, &px, &py, &pz);
        curve.tangent(t, &dx, &dy, &dz);
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
            double px, py, pz, dx, dy, dz;
            curve.position(t, &px, &py, &pz);
            curve.tangent(t, &dx, &dy, &dz);
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
