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
    // At u = 0.1 the two ways differ in the last bit (worked out in Python's doubles): u^3 / 6
    // is 0.00016666666666666672 but u^3 * 0x1.5555555555555p-3 is 0.0001666666666666667, and
    // (9u^2 - 12u) / 6 is -0.18500000000000003 but times that double -0.185.
    double w[4];
    positionWeights(CurveBSpline, 0.1, w);
    EXPECT_EQ(w[3], 0.0001666666666666667);
    tangentWeights(CurveBSpline, 0.1, w);
    EXPECT_EQ(w[1], -0.185);
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
