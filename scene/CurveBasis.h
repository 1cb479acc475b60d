#pragma once

// Blending weights of the three curve types for the four points i-1, i, i+1, i+2 of a segment,
// at the local parameter u in [0, 1). Position weights sum to 1, tangent weights (their
// derivatives with respect to u) sum to 0. An unknown type gives all-zero weights.

// The "Curve Type" browser's line numbers are these values.
enum CurveType {
    CurveLinear = 1,
    CurveCardinal = 2,  // Catmull-Rom: tension 1/2, C1, interpolating
    CurveBSpline = 3,   // uniform cubic B-spline: C2, approximating
};

void positionWeights(int curveType, double u, double w[4]);
void tangentWeights(int curveType, double u, double w[4]);
