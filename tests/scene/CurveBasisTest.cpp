#include "CurveBasis.h"

#include <gtest/gtest.h>

namespace {

struct Sample {
    int type;
    double u;
    double position[4];
    double tangent[4];
};

// The weights at u = 0 and u = 0.5, as the textbook tables give them.
const Sample samples[] = {
    {CurveLinear, 0, {0, 1, 0, 0}, {0, -1, 1, 0}},
    {CurveLinear, 0.5, {0, 0.5, 0.5, 0}, {0, -1, 1, 0}},
    {CurveCardinal, 0, {0, 1, 0, 0}, {-0.5, 0, 0.5, 0}},
    {CurveCardinal, 0.5, {-0.0625, 0.5625, 0.5625, -0.0625}, {0.125, -1.375, 1.375, -0.125}},
    {CurveBSpline, 0, {1.0 / 6, 2.0 / 3, 1.0 / 6, 0}, {-0.5, 0, 0.5, 0}},
    {CurveBSpline, 0.5, {1.0 / 48, 23.0 / 48, 23.0 / 48, 1.0 / 48}, {-0.125, -0.625, 0.625, 0.125}},
};

const int types[] = {CurveLinear, CurveCardinal, CurveBSpline};

}  // namespace

TEST(CurveBasis, WeightsAtTheSamplePoints) {
    for (const Sample& s : samples) {
        double w[4];
        positionWeights(s.type, s.u, w);
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(w[k], s.position[k], 1e-15) << "type " << s.type << " u " << s.u;
        tangentWeights(s.type, s.u, w);
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(w[k], s.tangent[k], 1e-15) << "type " << s.type << " u " << s.u;
    }
}

TEST(CurveBasis, PositionWeightsSumToOneTangentWeightsToZero) {
    for (int type : types) {
        for (int step = 0; step < 1000; ++step) {
            const double u = step / 1000.0;
            double p[4], t[4];
            positionWeights(type, u, p);
            tangentWeights(type, u, t);
            EXPECT_NEAR(p[0] + p[1] + p[2] + p[3], 1.0, 1e-14) << type << " " << u;
            EXPECT_NEAR(t[0] + t[1] + t[2] + t[3], 0.0, 1e-14) << type << " " << u;
        }
    }
}

TEST(CurveBasis, TangentWeightsAreTheDerivativesOfThePositionWeights) {
    const double h = 1e-6;
    for (int type : types) {
        for (int step = 1; step < 100; ++step) {
            const double u = step / 100.0;
            double before[4], after[4], t[4];
            positionWeights(type, u - h, before);
            positionWeights(type, u + h, after);
            tangentWeights(type, u, t);
            for (int k = 0; k < 4; ++k)
                EXPECT_NEAR((after[k] - before[k]) / (2 * h), t[k], 1e-7)
                    << "type " << type << " u " << u << " weight " << k;
        }
    }
}

TEST(CurveBasis, DivisionsBySixAreMultipliesByTheNearestDouble) {
    // Every weight with a division by 6, at a u where the two ways differ in the last bit
    // (worked out in Python's doubles, the polynomial evaluated left to right as written): the
    // multiply by 0x1.5555555555555p-3 gives these; the division would give the second value.
    const struct {
        bool tangent;
        int weight;
        double u, product, quotient;
    } cases[] = {
        {false, 0, 0.02, 0.1568653333333333, 0.15686533333333333},
        {false, 1, 0.01, 0.6665671666666666, 0.6665671666666667},
        {false, 2, 0.3, 0.3481666666666666, 0.3481666666666667},
        {false, 3, 0.1, 0.0001666666666666667, 0.00016666666666666672},
        {true, 1, 0.1, -0.185, -0.18500000000000003},
        {true, 2, 0.01, 0.5098499999999999, 0.50985},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.product, c.quotient);
        double w[4];
        (c.tangent ? tangentWeights : positionWeights)(CurveBSpline, c.u, w);
        EXPECT_EQ(w[c.weight], c.product)
            << (c.tangent ? "tangent" : "position") << " weight " << c.weight << " at u " << c.u;
    }
}

TEST(CurveBasis, CardinalAndBSplineJoinSmoothlyAtSegmentEnds) {
    // The end of one segment is the start of the next, with the weights shifted by one point.
    for (int type : {CurveCardinal, CurveBSpline}) {
        double end[4], start[4], endT[4], startT[4];
        positionWeights(type, 1.0, end);
        positionWeights(type, 0.0, start);
        tangentWeights(type, 1.0, endT);
        tangentWeights(type, 0.0, startT);
        for (int k = 1; k < 4; ++k) {
            EXPECT_NEAR(end[k], start[k - 1], 1e-15) << type;
            EXPECT_NEAR(endT[k], startT[k - 1], 1e-15) << type;
        }
        EXPECT_NEAR(end[0], 0, 1e-15);
        EXPECT_NEAR(start[3], 0, 1e-15);
    }
}

TEST(CurveBasis, UnknownTypeGivesZeroWeights) {
    double w[4] = {9, 9, 9, 9};
    positionWeights(0, 0.5, w);
    for (double x : w)
        EXPECT_EQ(x, 0);
    tangentWeights(4, 0.5, w);
    for (double x : w)
        EXPECT_EQ(x, 0);
}
