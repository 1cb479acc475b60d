#include "Curve.h"

#include "ControlPoint.h"
#include "CurveBasis.h"
#include "Handles.h"

#include <FL/Fl_Gl_Window.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/gl.h>

#include <cmath>

namespace {

// The segment index floor(t) modulo n, for any finite t: in integers where it fits (the usual
// case, and the cheap one), else in double precision.
std::size_t segmentIndex(double f, std::size_t n) {
    if (f >= 0 && f < 4294967296.0) {
        const std::size_t i = static_cast<std::size_t>(f);
        return i < n ? i : i % n;
    }
    double k = std::fmod(f, static_cast<double>(n));
    if (k < 0)
        k += static_cast<double>(n);
    return static_cast<std::size_t>(k) % n;
}

// Blends the four points around segment floor(t), indices taken around the closed list. Called
// for every sample of every frame, so it stays free of divisions and indirect calls.
template <bool Tangent>
void evaluate(const std::vector<ControlPoint*>& points, int curveType, double t, double* x,
              double* y, double* z) {
    *x = *y = *z = 0;
    const std::size_t n = points.size();
    if (n == 0)
        return;
    if (!std::isfinite(t))
        t = 0;
    const double f = std::floor(t);
    const double u = t - f;
    const std::size_t i = segmentIndex(f, n);
    const std::size_t before = i == 0 ? n - 1 : i - 1;
    const std::size_t after = i + 1 == n ? 0 : i + 1;
    const std::size_t afterNext = after + 1 == n ? 0 : after + 1;
    const ControlPoint* p[4] = {points[before], points[i], points[after], points[afterNext]};
    double w[4];
    if (Tangent)
        tangentWeights(curveType, u, w);
    else
        positionWeights(curveType, u, w);
    for (int k = 0; k < 4; ++k) {
        *x += w[k] * p[k]->x;
        *y += w[k] * p[k]->y;
        *z += w[k] * p[k]->z;
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
    evaluate<false>(points, curveType, t, x, y, z);
}

void Curve::tangent(double t, double* x, double* y, double* z) const {
    evaluate<true>(points, curveType, t, x, y, z);
}

void Curve::draw(int shadowPass) {
    if (!shadowPass)
        glColor3d(0, 0, 0.7);
    // 2 units wide: as wide under the eye at every screen scale.
    glLineWidth(2 * (mainView ? mainView->pixels_per_unit() : 1.0f));
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
