#include "ReferenceCurve.h"

#include <algorithm>
#include <cmath>

namespace {

Point3 blend(const std::vector<Point3>& points, int type, double t, bool tangent) {
    const int n = static_cast<int>(points.size());
    const double segment = std::floor(t);
    const double u = t - segment;
    const int i = static_cast<int>(std::fmod(std::fmod(segment, n) + n, n));
    double w[4] = {0, 0, 0, 0};
    if (type == 1) {
        const double linear[2][4] = {{0, 1 - u, u, 0}, {0, -1, 1, 0}};
        std::copy(linear[tangent], linear[tangent] + 4, w);
    } else if (type == 2) {
        const double cardinal[2][4] = {
            {(-u * u * u + 2 * u * u - u) / 2, (3 * u * u * u - 5 * u * u + 2) / 2,
             (-3 * u * u * u + 4 * u * u + u) / 2, (u * u * u - u * u) / 2},
            {(-3 * u * u + 4 * u - 1) / 2, (9 * u * u - 10 * u) / 2, (-9 * u * u + 8 * u + 1) / 2,
             (3 * u * u - 2 * u) / 2}};
        std::copy(cardinal[tangent], cardinal[tangent] + 4, w);
    } else if (type == 3) {
        const double bspline[2][4] = {
            {(1 - u) * (1 - u) * (1 - u) / 6, (3 * u * u * u - 6 * u * u + 4) / 6,
             (-3 * u * u * u + 3 * u * u + 3 * u + 1) / 6, u * u * u / 6},
            {-(1 - u) * (1 - u) / 2, (9 * u * u - 12 * u) / 6, (-9 * u * u + 6 * u + 3) / 6,
             u * u / 2}};
        std::copy(bspline[tangent], bspline[tangent] + 4, w);
    }
    Point3 result = {0, 0, 0};
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < 3; ++c)
            result[c] += w[k] * points[(i - 1 + k + n) % n][c];
    return result;
}

}  // namespace

Point3 referencePosition(const std::vector<Point3>& points, int type, double t) {
    return blend(points, type, t, false);
}

Point3 referenceTangent(const std::vector<Point3>& points, int type, double t) {
    return blend(points, type, t, true);
}
