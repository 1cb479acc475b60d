#include "CurveBasis.h"

namespace {

// The double nearest to 1/6; the divisions by 2 and 6 are multiplications.
const double sixth = 1.0 / 6.0;

void setWeights(double w[4], double w0, double w1, double w2, double w3) {
    w[0] = w0;
    w[1] = w1;
    w[2] = w2;
    w[3] = w3;
}

}  // namespace

void positionWeights(int curveType, double u, double w[4]) {
    const double u2 = u * u;
    const double u3 = u2 * u;
    switch (curveType) {
    case CurveLinear:
        setWeights(w, 0, 1 - u, u, 0);
        break;
    case CurveCardinal:
        setWeights(w, (-u3 + 2 * u2 - u) * 0.5,
                      (3 * u3 - 5 * u2 + 2) * 0.5,
                      (-3 * u3 + 4 * u2 + u) * 0.5,
                      (u3 - u2) * 0.5);
        break;
    case CurveBSpline:
        setWeights(w, (1 - u) * (1 - u) * (1 - u) * sixth,
                      (3 * u3 - 6 * u2 + 4) * sixth,
                      (-3 * u3 + 3 * u2 + 3 * u + 1) * sixth,
                      u3 * sixth);
        break;
    default:
        setWeights(w, 0, 0, 0, 0);
    }
}

void tangentWeights(int curveType, double u, double w[4]) {
    const double u2 = u * u;
    switch (curveType) {
    case CurveLinear:
        setWeights(w, 0, -1, 1, 0);
        break;
    case CurveCardinal:
        setWeights(w, (-3 * u2 + 4 * u - 1) * 0.5,
                      (9 * u2 - 10 * u) * 0.5,
                      (-9 * u2 + 8 * u + 1) * 0.5,
                      (3 * u2 - 2 * u) * 0.5);
        break;
    case CurveBSpline:
        setWeights(w, -(1 - u) * (1 - u) * 0.5,
                      (9 * u2 - 12 * u) * sixth,
                      (-9 * u2 + 6 * u + 3) * sixth,
                      u2 * 0.5);
        break;
    default:
        setWeights(w, 0, 0, 0, 0);
    }
}
