#include "Interaction.h"

#include <FL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

int pressX = 0;
int pressY = 0;
int pressButton = 0;
double savedEye[3] = {0, 0, 0};

int unprojectMouse(double mx, double my, double* nx, double* ny, double* nz,
                   double* fx, double* fy, double* fz) {
    GLint viewport[4];
    GLdouble modelview[16], projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    // GL's y grows upwards: the top row of pixels is height - 1.
    const double wx = mx;
    const double wy = viewport[3] - my - 1;
    const int nearOk = gluUnProject(wx, wy, 0.25, modelview, projection, viewport, nx, ny, nz);
    const int farOk = gluUnProject(wx, wy, 0.75, modelview, projection, viewport, fx, fy, fz);
    return nearOk == GL_TRUE && farOk == GL_TRUE ? 1 : 0;
}

void moveOnPlane(double nx, double ny, double nz, double fx, double fy, double fz,
                 double px, double py, double pz, double* rx, double* ry, double* rz,
                 int vertical) {
    *rx = px;
    *ry = py;
    *rz = pz;
    // D points from the far point towards the camera.
    const double dx = nx - fx, dy = ny - fy, dz = nz - fz;
    if (!vertical && std::fabs(dy) >= 0.01) {
        const double t = (py - ny) / dy;
        *rx = nx + t * dx;
        *rz = nz + t * dz;
        return;
    }
    if (std::fabs(dz) > std::fabs(dx)) {
        if (std::fabs(dz) > 0.01) {
            const double s = (pz - nz) / dz;
            *rx = nx + s * dx;
            *ry = ny + s * dy;
        }
    } else if (std::fabs(dx) > 0.01) {
        const double s = (px - nx) / dx;
        *ry = ny + s * dy;
        *rz = nz + s * dz;
    }
}

namespace {

// Units within 5 of the press do nothing; beyond, the excess counts.
int deadZone(int d) {
    return d >= 0 ? std::max(d - 5, 0) : std::min(d + 5, 0);
}

}  // namespace

void orbitEye(int dx, int dy, double cx, double cy, double cz, double sx, double sy, double sz,
              double* ex, double* ey, double* ez) {
    const double a = deadZone(dx) * 0.005;
    const double b = deadZone(dy) * 0.005;
    const double X = sx - cx, Y = sy - cy, Z = sz - cz;
    // About the vertical axis through the center...
    const double X1 = std::cos(a) * X - std::sin(a) * Z;
    const double Z1 = std::sin(a) * X + std::cos(a) * Z;
    // ...then about the axis parallel to world z through it.
    const double X2 = std::cos(b) * X1 - std::sin(b) * Y;
    const double Y2 = std::sin(b) * X1 + std::cos(b) * Y;
    *ex = cx + X2;
    *ey = cy + Y2;
    *ez = cz + Z1;
}
