#include "Curve.h"

#include "ControlPoint.h"
#include "CurveBasis.h"
#include "Handles.h"

#include <FL/Fl_Value_Slider.H>
#include <FL/gl.h>

#include <cmath>

namespace {

using Weights = void (*)(int, double, double[4]);

// Blends the four points around segment floor(t), indices taken cyclically.
void evaluate(const std::vector<ControlPoint*>& points, int curveType, Weights weights, double t,
              double* x, double* y, double* z) {
    *x = *y = *z = 0;
    const std::size_t n = points.size();
    if (n == 0)
        return;
    if (!std::isfinite(t))
        t = 0;
    const double f = std::floor(t);
    const double u = t - f;
    // The segment index modulo n, for any t: in integers where f fits (the usual case, and the
    // cheap one), else in double precision. Then around the loop: (i - 1) mod n is i + n - 1 mod n.
    std::size_t i;
    if (f >= 0 && f < 4294967296.0) {
        i = static_cast<std::size_t>(f) % n;
    } else {
        double k = std::fmod(f, static_cast<double>(n));
        if (k < 0)
            k += static_cast<double>(n);
        i = static_cast<std::size_t>(k) % n;
    }
    const ControlPoint* p[4] = {points[(i + n - 1) % n], points[i], points[(i + 1) % n],
                                points[(i + 2) % n]};
    double w[4];
    weights(curveType, u, w);
    for (int k4 = 0; k4 < 4; ++k4) {
        *x += w[k4] * p[k4]->x;
        *y += w[k4] * p[k4]->y;
        *z += w[k4] * p[k4]->z;
    }
}

}  // namespace

Curve::Curve() : SceneObject(0, 0, 0), curveType(CurveCardinal) {}

void Curve::append(ControlPoint* p) {
    points.push_back(p);
    p->owner = this;
    if (this == mainCurve && timeSlider) {
        timeSlider->maximum(static_cast<double>(points.size()));
        timeSlider->step(0.1);
    }
}

void Curve::position(double t, double* x, double* y, double* z) const {
    evaluate(points, curveType, positionWeights, t, x, y, z);
}

void Curve::tangent(double t, double* x, double* y, double* z) const {
    evaluate(points, curveType, tangentWeights, t, x, y, z);
}

void Curve::draw(int shadowPass) {
    if (!shadowPass)
        glColor3d(0, 0, 0.7);
    glLineWidth(2);
    glBegin(GL_LINE_LOOP);
    // The parameter is accumulated, not computed as k / 10, so the samples are exactly those
    // of repeated addition.
    const std::size_t samples = 10 * points.size();
    double t = 0.0;
    for (std::size_t k = 0; k < samples; ++k) {
        double px, py, pz;
        position(t, &px, &py, &pz);
        glVertex3d(px, py, pz);
        t += 0.1;
    }
    glEnd();
}
