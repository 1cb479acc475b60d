#pragma once

#include "SceneObject.h"

#include <vector>

class ControlPoint;

// The closed track through an ordered list of control points. The parameter t runs one unit per
// point over [0, n]; t = n is the same place as t = 0. Nothing is cached: every evaluation reads
// the points and the curve type as they are.
class Curve : public SceneObject {
public:
    Curve();

    // Adds p at the end and makes this curve its owner. On mainCurve it also sets the time
    // slider's maximum to the point count and its step to 0.1.
    void append(ControlPoint* p);

    // The curve point at t, and its derivative with respect to t (not normalised).
    // An empty curve gives (0, 0, 0); a t that is not finite counts as 0.
    void position(double t, double* x, double* y, double* z) const;
    void tangent(double t, double* x, double* y, double* z) const;

    // A closed line loop through 10 samples per point, dark blue, line width 2.
    void draw(int shadowPass) override;

    std::vector<ControlPoint*> points;  // not owned
    int curveType;                      // a CurveType value
};
