#include "Frames.h"

#include <FL/gl.h>

#include <cmath>

namespace {

struct Frame {
    double u[3], v[3], w[3];
};

// The frame vectors for direction d, with fallback forward (0, 0, fallbackZ).
Frame buildFrame(double dx, double dy, double dz, double fallbackZ) {
    double f[3] = {0, 0, fallbackZ};
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (length > 0) {  // false for 0 and for NaN
        f[0] = dx / length;
        f[1] = dy / length;
        f[2] = dz / length;
    }
    Frame frame;
    frame.w[0] = -f[0];
    frame.w[1] = -f[1];
    frame.w[2] = -f[2];
    crossProduct(0, 1, 0, frame.w[0], frame.w[1], frame.w[2], &frame.u[0], &frame.u[1], &frame.u[2]);
    crossProduct(frame.w[0], frame.w[1], frame.w[2], frame.u[0], frame.u[1], frame.u[2],
                 &frame.v[0], &frame.v[1], &frame.v[2]);
    return frame;
}

}  // namespace

void crossProduct(double ax, double ay, double az, double bx, double by, double bz,
                  double* cx, double* cy, double* cz) {
    *cx = ay * bz - az * by;
    *cy = az * bx - ax * bz;
    *cz = ax * by - ay * bx;
}

void trainFrameMatrix(double dx, double dy, double dz, double m[16]) {
    const Frame f = buildFrame(dx, dy, dz, -1);
    const double columns[16] = {f.u[0], f.u[1], f.u[2], 0,
                                f.v[0], f.v[1], f.v[2], 0,
                                f.w[0], f.w[1], f.w[2], 0,
                                0,      0,      0,      1};
    for (int k = 0; k < 16; ++k)
        m[k] = columns[k];
}

void rideFrameMatrix(double dx, double dy, double dz, double m[16]) {
    const Frame f = buildFrame(dx, dy, dz, 1);
    const double columns[16] = {f.u[0], f.v[0], f.w[0], 0,
                                f.u[1], f.v[1], f.w[1], 0,
                                f.u[2], f.v[2], f.w[2], 0,
                                0,      0,      0,      1};
    for (int k = 0; k < 16; ++k)
        m[k] = columns[k];
}

void multTrainFrame(double dx, double dy, double dz) {
    double m[16];
    trainFrameMatrix(dx, dy, dz, m);
    glMultMatrixd(m);
}

void multRideFrame(double dx, double dy, double dz) {
    double m[16];
    rideFrameMatrix(dx, dy, dz, m);
    glMultMatrixd(m);
}
