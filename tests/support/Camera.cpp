#include "Camera.h"

#include <cmath>

namespace {

using Vec = std::array<double, 3>;

Vec sub(const Vec& a, const Vec& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
double dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec cross(const Vec& a, const Vec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec normalised(const Vec& a) {
    const double l = std::sqrt(dot(a, a));
    return {a[0] / l, a[1] / l, a[2] / l};
}

}  // namespace

Matrix4 perspectiveMatrix(double fovy, double aspect) {
    const double f = 1.0 / std::tan(fovy * M_PI / 360.0);
    const double n = 1, farPlane = 100;
    return {f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, (farPlane + n) / (n - farPlane), -1,
            0, 0, 2 * farPlane * n / (n - farPlane), 0};
}

Matrix4 lookAtMatrix(const double* eye, const double* center) {
    const Vec forward = normalised(sub({center[0], center[1], center[2]}, {eye[0], eye[1], eye[2]}));
    const Vec side = normalised(cross(forward, {0, 1, 0}));
    const Vec up = cross(side, forward);
    Matrix4 m = {side[0], up[0], -forward[0], 0, side[1], up[1], -forward[1], 0,
                 side[2], up[2], -forward[2], 0, 0,       0,     0,           1};
    for (int row = 0; row < 3; ++row)
        m[12 + row] = -(m[row] * eye[0] + m[4 + row] * eye[1] + m[8 + row] * eye[2]);
    return m;
}

Matrix4 multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 c{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                c[col * 4 + row] += a[k * 4 + row] * b[col * 4 + k];
    return c;
}

std::array<double, 2> ViewCamera::windowPosition(double x, double y, double z) const {
    const Vec forward = normalised(sub(center, eye));
    const Vec side = normalised(cross(forward, {0, 1, 0}));
    const Vec up = cross(side, forward);
    const Vec rel = sub({x, y, z}, eye);
    const double xe = dot(side, rel), ye = dot(up, rel), depth = dot(forward, rel);
    const double f = 1.0 / std::tan(fieldOfView * M_PI / 360.0);
    const double aspect = static_cast<double>(width) / height;
    const double ndcX = f / aspect * xe / depth;
    const double ndcY = f * ye / depth;
    return {layout::viewX + (ndcX + 1) * 0.5 * width, layout::viewY + (1 - ndcY) * 0.5 * height};
}

std::array<double, 3> ViewCamera::pointOnPlaneY(double windowX, double windowY,
                                                double planeY) const {
    return pointOnPlane(windowX, windowY, 1, planeY);
}

std::array<double, 3> ViewCamera::pointOnPlane(double windowX, double windowY, int axis,
                                               double value) const {
    const Vec forward = normalised(sub(center, eye));
    const Vec side = normalised(cross(forward, {0, 1, 0}));
    const Vec up = cross(side, forward);
    const double f = 1.0 / std::tan(fieldOfView * M_PI / 360.0);
    const double aspect = static_cast<double>(width) / height;
    const double ndcX = ((windowX - layout::viewX) / width) * 2 - 1;
    const double ndcY = 1 - ((windowY - layout::viewY) / height) * 2;
    const Vec ray = {forward[0] + side[0] * ndcX * aspect / f + up[0] * ndcY / f,
                     forward[1] + side[1] * ndcX * aspect / f + up[1] * ndcY / f,
                     forward[2] + side[2] * ndcX * aspect / f + up[2] * ndcY / f};
    const double s = (value - eye[axis]) / ray[axis];
    Vec p = {eye[0] + s * ray[0], eye[1] + s * ray[1], eye[2] + s * ray[2]};
    p[axis] = value;
    return p;
}

std::array<int, 2> ViewCamera::screenPosition(double x, double y, double z) const {
    const auto p = windowPosition(x, y, z);
    return {static_cast<int>(std::floor((layout::windowX + p[0]) * scale)),
            static_cast<int>(std::floor((layout::windowY + p[1]) * scale))};
}
