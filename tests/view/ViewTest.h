#pragma once

#include "GlTest.h"
#include "SceneView.h"

#include <gtest/gtest.h>

#include <FL/Fl.H>

#include <array>
#include <cmath>

// A real SceneView of the program's size, shown on its own with its context current.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = new SceneView(0, 0, 670, 470);
        view->show();
        for (int k = 0; k < 100 && !view->shown(); ++k)
            Fl::check();
        ASSERT_TRUE(view->shown());
        view->make_current();
    }
    void TearDown() override { delete view; }

    // Toolkit mouse coordinates (y down) where the view's camera shows the world point.
    std::array<int, 2> mouseOf(double x, double y, double z) {
        view->make_current();
        glViewport(0, 0, view->w(), view->h());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        view->setProjection();
        const auto w = projectThroughCurrent(x, y, z);
        return {static_cast<int>(w[0]), view->h() - static_cast<int>(w[1])};
    }

    SceneView* view = nullptr;
};

// The perspective gluPerspective(fovy, aspect, 1, 100) builds, column-major.
inline std::array<double, 16> perspectiveMatrix(double fovy, double aspect) {
    const double f = 1.0 / std::tan(fovy * M_PI / 360.0);
    const double n = 1, far = 100;
    return {f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, (far + n) / (n - far), -1,
            0, 0, 2 * far * n / (n - far), 0};
}

// a * b for column-major matrices.
inline std::array<double, 16> multiply(const std::array<double, 16>& a,
                                       const std::array<double, 16>& b) {
    std::array<double, 16> c{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                c[col * 4 + row] += a[k * 4 + row] * b[col * 4 + k];
    return c;
}

// The look-at view matrix with up (0, 1, 0), column-major.
inline std::array<double, 16> lookAtMatrix(const double* eye, const double* center) {
    double f[3] = {center[0] - eye[0], center[1] - eye[1], center[2] - eye[2]};
    const double fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (double& c : f)
        c /= fl;
    double s[3] = {-f[2], 0, f[0]};  // f x (0, 1, 0)
    const double sl = std::sqrt(s[0] * s[0] + s[2] * s[2]);
    s[0] /= sl;
    s[2] /= sl;
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2],
                         s[0] * f[1] - s[1] * f[0]};
    std::array<double, 16> m = {s[0], u[0], -f[0], 0, s[1], u[1], -f[1], 0,
                                s[2], u[2], -f[2], 0, 0,    0,    0,     1};
    for (int row = 0; row < 3; ++row)
        m[12 + row] = -(m[row] * eye[0] + m[4 + row] * eye[1] + m[8 + row] * eye[2]);
    return m;
}
