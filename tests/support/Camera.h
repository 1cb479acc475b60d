#pragma once

#include "Layout.h"

#include <array>

using Matrix4 = std::array<double, 16>;  // column-major, as OpenGL

// The perspective gluPerspective(fovy, aspect, 1, 100) builds.
Matrix4 perspectiveMatrix(double fovy, double aspect);
// The view matrix gluLookAt builds for up (0, 1, 0).
Matrix4 lookAtMatrix(const double* eye, const double* center);
// a * b.
Matrix4 multiply(const Matrix4& a, const Matrix4& b);

// Where the view's camera puts a world point, computed independently of the program: a look-at
// camera with up (0, 1, 0) and a perspective of the given vertical field of view, on the view's
// viewport in the main window (Layout.h).
struct ViewCamera {
    std::array<double, 3> eye{5, 8, 14};
    std::array<double, 3> center{0, 3, 0};
    double fieldOfView = 50;
    int width = layout::viewWidth;
    int height = layout::viewHeight;
    // Screen pixels per window unit: the toolkit's scale factor.
    double scale = 1;

    // Main-window coordinates (x right, y down) of the world point.
    std::array<double, 2> windowPosition(double x, double y, double z) const;
    // Where the line of sight through a main-window pixel meets the plane y = planeY.
    std::array<double, 3> pointOnPlaneY(double windowX, double windowY, double planeY) const;
    // Where it meets the plane where coordinate `axis` (0 x, 1 y, 2 z) equals `value`.
    std::array<double, 3> pointOnPlane(double windowX, double windowY, int axis,
                                       double value) const;
    // Screen coordinates: the pixel holding the point, at the camera's scale.
    std::array<int, 2> screenPosition(double x, double y, double z) const;
};
