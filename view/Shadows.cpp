#include "Shadows.h"

#include <FL/gl.h>

const double dropShadowMatrix[16] = {
    1, 0, 0, 0,
    0, 0, 0, 0,
    0, 0, 1, 0,
    0, 0.01, 0, 1,
};

void pointShadowMatrix(double lx, double ly, double lz, double m[16]) {
    const double columns[16] = {
        ly,  0,    0,   0,
        -lx, 0,    -lz, -1,
        0,   0,    ly,  0,
        0,   0.01, 0,   ly,
    };
    for (int k = 0; k < 16; ++k)
        m[k] = columns[k];
}

void multDropShadow() {
    glMultMatrixd(dropShadowMatrix);
}

void multPointShadow(double lx, double ly, double lz) {
    double m[16];
    pointShadowMatrix(lx, ly, lz, m);
    glMultMatrixd(m);
}
