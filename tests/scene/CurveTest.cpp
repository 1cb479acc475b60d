#include "ControlPoint.h"
#include "Curve.h"
#include "CurveBasis.h"
#include "Feedback.h"
#include "GlTest.h"
#include "Handles.h"
#include "ReferenceCurve.h"

#include <FL/Fl_Value_Slider.H>
#include <FL/gl.h>

#include <cmath>
#include <memory>

namespace {

using Vec = std::array<double, 3>;

// The start-up curve: four points on a 4 x 4 square, 0.1 above the floor.
class StartupCurve : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto* p : {&p1, &p2, &p3, &p4})
            curve.append(p);
    }
    Vec position(double t) const {
        Vec v;
        curve.position(t, &v[0], &v[1], &v[2]);
        return v;
    }
    Vec tangent(double t) const {
        Vec v;
        curve.tangent(t, &v[0], &v[1], &v[2]);
        return v;
    }

    ControlPoint p1{2, 0.1, 2}, p2{-2, 0.1, 2}, p3{-2, 0.1, -2}, p4{2, 0.1, -2};
    Curve curve;
};

void expectVec(const Vec& actual, const Vec& expected, const std::string& what) {
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(actual[k], expected[k], 1e-12) << what << " component " << k;
}

struct Worked {
    int type;
    double t;
    Vec position, tangent;
};

const Worked worked[] = {
    {CurveLinear, 0, {2, 0.1, 2}, {-4, 0, 0}},
    {CurveLinear, 0.5, {0, 0.1, 2}, {-4, 0, 0}},
    {CurveLinear, 1, {-2, 0.1, 2}, {0, 0, -4}},
    {CurveCardinal, 0, {2, 0.1, 2}, {-2, 0, 2}},
    {CurveCardinal, 0.5, {0, 0.1, 2.5}, {-5, 0, 0}},
    {CurveBSpline, 0, {4.0 / 3, 0.1, 4.0 / 3}, {-2, 0, 2}},
    {CurveBSpline, 0.5, {0, 0.1, 11.0 / 6}, {-3, 0, 0}},
};

}  // namespace

TEST_F(StartupCurve, WorkedExample) {
    for (const Worked& w : worked) {
        curve.curveType = w.type;
        const std::string what = "type " + std::to_string(w.type) + " t " + std::to_string(w.t);
        expectVec(position(w.t), w.position, what + " position");
        expectVec(tangent(w.t), w.tangent, what + " tangent");
    }
}

TEST_F(StartupCurve, EndOfTheParameterIsItsStart) {
    // t = 4 is t = 0 of the worked example, exactly.
    const struct {
        int type;
        Vec position, tangent;
    } starts[] = {
        {CurveLinear, {2, 0.1, 2}, {-4, 0, 0}},
        {CurveCardinal, {2, 0.1, 2}, {-2, 0, 2}},
        {CurveBSpline, {4.0 / 3, 0.1, 4.0 / 3}, {-2, 0, 2}},
    };
    for (const auto& s : starts) {
        curve.curveType = s.type;
        const std::string what = "type " + std::to_string(s.type) + " t 4";
        expectVec(position(4), s.position, what + " position");
        expectVec(tangent(4), s.tangent, what + " tangent");
        EXPECT_EQ(position(4), position(0)) << what;
        EXPECT_EQ(tangent(4), tangent(0)) << what;
    }
}

TEST_F(StartupCurve, LinearAndCardinalPassThroughThePointsBSplineAveragesThem) {
    curve.curveType = CurveLinear;
    EXPECT_EQ(position(1), (Vec{-2, 0.1, 2}));
    curve.curveType = CurveCardinal;
    EXPECT_EQ(position(1), (Vec{-2, 0.1, 2}));
    curve.curveType = CurveBSpline;
    expectVec(position(1), {(2 - 4 * 2 - 2) / 6.0, 0.1, (2 + 4 * 2 - 2) / 6.0}, "b-spline t=1");
}

TEST_F(StartupCurve, LinearTangentIsConstantAlongASegment) {
    curve.curveType = CurveLinear;
    // P2 - P1 on the first segment, P3 - P2 from t = 1 on.
    EXPECT_EQ(tangent(0), (Vec{-4, 0, 0}));
    EXPECT_EQ(tangent(0.5), (Vec{-4, 0, 0}));
    EXPECT_EQ(tangent(0.99), (Vec{-4, 0, 0}));
    EXPECT_EQ(tangent(1), (Vec{0, 0, -4}));
}

TEST_F(StartupCurve, FirstSegmentUsesTheLastPointBeforeIt) {
    // Moving the last point changes the Cardinal curve at t = 0.5 (as point i - 1).
    curve.curveType = CurveCardinal;
    const Vec before = position(0.5);
    p4.x += 1;
    // x = -0.0625 * 3 + 0.5625 * 2 + 0.5625 * -2 - 0.0625 * -2 with p4 at x = 3.
    expectVec(position(0.5), {-0.0625, 0.1, 2.5}, "p4 moved");
    // Nothing is cached: putting it back restores the curve.
    p4.x -= 1;
    EXPECT_EQ(position(0.5), before);
}

TEST_F(StartupCurve, AnyParameterGivesAValidSegment) {
    curve.curveType = CurveCardinal;
    const std::vector<Point3> square{{2, 0.1, 2}, {-2, 0.1, 2}, {-2, 0.1, -2}, {2, 0.1, -2}};
    const auto at = [&](double t) { return referencePosition(square, CurveCardinal, t); };
    expectVec(position(-1), at(3), "t = -1");
    expectVec(position(-0.5), at(3.5), "t = -0.5");
    expectVec(position(9.5), at(1.5), "t = 9.5");
    expectVec(position(1e12 + 0.5), at(0.5), "huge t");
    expectVec(position(std::nan("")), at(0), "NaN");
}

// With four points a wrong sign in the negative wrap can still land on the right segment (the
// count divides 2^64); three and five points do not forgive it.
TEST(Curve, NegativeParameterWrapsWithThreeAndFivePoints) {
    const std::vector<Point3> all{{1, 0.5, 2}, {-3, 1.25, 0.5}, {0.5, 2, -4}, {4, 0.75, -1},
                                  {2.5, 3, 3.5}};
    for (std::size_t n : {3u, 5u}) {
        const std::vector<Point3> points(all.begin(), all.begin() + n);
        std::vector<std::unique_ptr<ControlPoint>> owned;
        Curve curve;
        for (const auto& p : points) {
            owned.push_back(std::make_unique<ControlPoint>(p[0], p[1], p[2]));
            curve.append(owned.back().get());
        }
        for (int type : {CurveLinear, CurveCardinal, CurveBSpline}) {
            curve.curveType = type;
            for (double t : {-0.5, -4.5, -1e6 - 0.25}) {
                const std::string what = std::to_string(n) + " points, type " +
                                         std::to_string(type) + ", t = " + std::to_string(t);
                Vec v;
                curve.position(t, &v[0], &v[1], &v[2]);
                expectVec(v, referencePosition(points, type, t), what);
                curve.tangent(t, &v[0], &v[1], &v[2]);
                expectVec(v, referenceTangent(points, type, t), what + ", tangent");
            }
        }
    }
}

TEST(Curve, OnePointIsEverywhere) {
    ControlPoint p(1, 2, 3);
    Curve curve;
    curve.append(&p);
    for (int type : {CurveLinear, CurveCardinal, CurveBSpline}) {
        curve.curveType = type;
        for (double t : {0.0, 0.3, 0.99, 1.0}) {
            double x, y, z, dx, dy, dz;
            curve.position(t, &x, &y, &z);
            curve.tangent(t, &dx, &dy, &dz);
            EXPECT_NEAR(x, 1, 1e-12);
            EXPECT_NEAR(y, 2, 1e-12);
            EXPECT_NEAR(z, 3, 1e-12);
            EXPECT_NEAR(dx, 0, 1e-12);
            EXPECT_NEAR(dy, 0, 1e-12);
            EXPECT_NEAR(dz, 0, 1e-12);
        }
    }
}

TEST(Curve, TwoPointsAreUsedCyclically) {
    ControlPoint a(0, 0, 0), b(6, 0, 0);
    Curve curve;
    curve.append(&a);
    curve.append(&b);
    // Segment 0 blends b, a, b, a: Cardinal at u = 0.5 is (-1/16 + 9/16) b + (9/16 - 1/16) a.
    double x, y, z;
    curve.curveType = CurveCardinal;
    curve.position(0.5, &x, &y, &z);
    EXPECT_NEAR(x, 3, 1e-12);
    curve.curveType = CurveBSpline;
    curve.position(0, &x, &y, &z);
    EXPECT_NEAR(x, (6 + 0 * 4 + 6) / 6.0, 1e-12);
    curve.position(1, &x, &y, &z);
    EXPECT_NEAR(x, (0 + 6 * 4 + 0) / 6.0, 1e-12);
    curve.curveType = CurveLinear;
    curve.position(1.5, &x, &y, &z);
    EXPECT_NEAR(x, 3, 1e-12);
    double dx, dy, dz;
    curve.tangent(1.5, &dx, &dy, &dz);
    EXPECT_NEAR(dx, -6, 1e-12);
}

TEST(Curve, EmptyCurveEvaluatesToTheOrigin) {
    Curve curve;
    double x = 9, y = 9, z = 9;
    curve.position(0.5, &x, &y, &z);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(z, 0);
}

// Appending to mainCurve keeps the time slider's range; other curves leave it alone.
class CurveAppend : public ::testing::Test {
protected:
    void SetUp() override {
        slider = std::make_unique<Fl_Value_Slider>(0, 0, 100, 20);
        slider->range(0, 2);
        slider->step(1);
        slider->value(1.5);
        timeSlider = slider.get();
    }
    void TearDown() override {
        timeSlider = nullptr;
        mainCurve = nullptr;
    }
    std::unique_ptr<Fl_Value_Slider> slider;
};

TEST_F(CurveAppend, MainCurveSetsTheSlidersMaximumAndStep) {
    Curve curve;
    mainCurve = &curve;
    ControlPoint a(0, 0, 0), b(1, 0, 0), c(2, 0, 0), d(3, 0, 0), e(4, 0, 0);
    for (auto* p : {&a, &b, &c, &d})
        curve.append(p);
    EXPECT_EQ(slider->maximum(), 4);
    curve.append(&e);
    EXPECT_EQ(slider->maximum(), 5);
    EXPECT_DOUBLE_EQ(slider->step(), 0.1);
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->value(), 1.5);
    EXPECT_EQ(e.owner, &curve);
    EXPECT_EQ(curve.points.back(), &e);
}

TEST_F(CurveAppend, OtherCurvesLeaveTheSliderAlone) {
    Curve main, other;
    mainCurve = &main;
    ControlPoint a(0, 0, 0);
    other.append(&a);
    EXPECT_EQ(slider->maximum(), 2);
    EXPECT_EQ(slider->step(), 1);
    EXPECT_EQ(a.owner, &other);
}

namespace {

class CurveDraw : public GlTest {
protected:
    std::vector<FeedbackPrimitive> drawn(Curve& curve, int shadowPass) {
        return captureFeedback([&] {
            glColor4f(0.25f, 0.5f, 0.75f, 1);
            glLineWidth(7);
            curve.draw(shadowPass);
        });
    }
};

}  // namespace

TEST_F(CurveDraw, LineLoopThroughTenSamplesPerPoint) {
    ControlPoint p1(2, 0.1, 2), p2(-2, 0.1, 2), p3(-2, 0.1, -2), p4(2, 0.1, -2);
    Curve curve;
    for (auto* p : {&p1, &p2, &p3, &p4})
        curve.append(p);
    const auto lines = drawn(curve, 0);
    // A loop of 40 vertices is 40 segments, the last one closing back to the first vertex.
    ASSERT_EQ(lines.size(), 40u);
    const std::vector<Point3> square{{2, 0.1, 2}, {-2, 0.1, 2}, {-2, 0.1, -2}, {2, 0.1, -2}};
    for (std::size_t k = 0; k < lines.size(); ++k) {
        ASSERT_TRUE(lines[k].token == GL_LINE_TOKEN || lines[k].token == GL_LINE_RESET_TOKEN);
        const auto [x, y, z] = referencePosition(square, CurveCardinal, k / 10.0);
        const auto w = worldFromWindow(lines[k].vertices[0].x, lines[k].vertices[0].y,
                                       lines[k].vertices[0].z);
        EXPECT_NEAR(w[0], x, 1e-3) << "sample " << k;
        EXPECT_NEAR(w[1], y, 1e-3) << "sample " << k;
        EXPECT_NEAR(w[2], z, 1e-3) << "sample " << k;
        EXPECT_NEAR(lines[k].vertices[0].b, 0.7, 1e-6);
        EXPECT_NEAR(lines[k].vertices[0].r, 0, 1e-6);
    }
    // Closing edge: from the last sample back to the first.
    EXPECT_EQ(lines.back().vertices[1].x, lines.front().vertices[0].x);
    EXPECT_EQ(lines.back().vertices[1].y, lines.front().vertices[0].y);
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 2.0f);
}

TEST_F(CurveDraw, SamplesSitATenthOfAUnitApartInT) {
    // On a linear curve x(t) = t along segment 0 and 2 - t back along segment 1, so sample k
    // sits at x = k / 10 going out and (20 - k) / 10 coming back. (Float feedback cannot tell
    // the accumulated 0.1 + 0.1 + 0.1 from 3 / 10: they differ by 5.6e-17.)
    ControlPoint a(0, 0, 0), b(1, 0, 0);
    Curve curve;
    curve.curveType = CurveLinear;
    curve.append(&a);
    curve.append(&b);
    const auto lines = drawn(curve, 0);
    ASSERT_EQ(lines.size(), 20u);
    for (int k = 0; k < 20; ++k) {
        const auto w = worldFromWindow(lines[k].vertices[0].x, lines[k].vertices[0].y, 0.5);
        EXPECT_NEAR(w[0], k <= 10 ? k / 10.0 : (20 - k) / 10.0, 1e-4) << "sample " << k;
    }
}

TEST_F(CurveDraw, ShadowPassSetsNoColourButTheLineWidth) {
    ControlPoint a(0, 0, 0), b(1, 0, 0), c(1, 1, 0);
    Curve curve;
    for (auto* p : {&a, &b, &c})
        curve.append(p);
    const auto lines = drawn(curve, 1);
    ASSERT_EQ(lines.size(), 30u);
    for (const auto& line : lines) {
        EXPECT_NEAR(line.vertices[0].r, 0.25, 1e-6);
        EXPECT_NEAR(line.vertices[0].g, 0.5, 1e-6);
        EXPECT_NEAR(line.vertices[0].b, 0.75, 1e-6);
    }
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 2.0f);
}

TEST_F(CurveDraw, EmptyCurveEmitsNothing) {
    Curve curve;
    EXPECT_TRUE(drawn(curve, 0).empty());
}
