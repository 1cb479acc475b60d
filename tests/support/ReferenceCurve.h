#pragma once

#include <array>
#include <vector>

// The closed curve evaluated straight from its textbook weight tables (divided by 2 and 6 as
// written, the segment found with fmod), independently of the program's Curve: where tests need
// a curve point or tangent as an expected value. type: 1 Linear, 2 Cardinal, 3 B-Spline.
using Point3 = std::array<double, 3>;

Point3 referencePosition(const std::vector<Point3>& points, int type, double t);
Point3 referenceTangent(const std::vector<Point3>& points, int type, double t);
