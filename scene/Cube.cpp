#include "Cube.h"

#include <FL/gl.h>

namespace {

// Per face: outward normal, then four corners as signs of the half-edge offsets.
struct Face {
    double normal[3];
    double corners[4][3];
};

const Face cubeFaces[6] = {
    {{0, 0, 1}, {{+1, +1, +1}, {-1, +1, +1}, {-1, -1, +1}, {+1, -1, +1}}},
    {{0, 0, -1}, {{+1, +1, -1}, {-1, +1, -1}, {-1, -1, -1}, {+1, -1, -1}}},
    {{0, 1, 0}, {{+1, +1, +1}, {-1, +1, +1}, {-1, +1, -1}, {+1, +1, -1}}},
    {{0, -1, 0}, {{+1, -1, +1}, {-1, -1, +1}, {-1, -1, -1}, {+1, -1, -1}}},
    {{1, 0, 0}, {{+1, +1, +1}, {+1, -1, +1}, {+1, -1, -1}, {+1, +1, -1}}},
    {{-1, 0, 0}, {{-1, +1, +1}, {-1, -1, +1}, {-1, -1, -1}, {-1, +1, -1}}},
};

}  // namespace

void drawCube(double cx, double cy, double cz, double edge) {
    const double h = edge * 0.5;
    glPushMatrix();
    glTranslated(cx, cy, cz);
    glBegin(GL_QUADS);
    for (const Face& face : cubeFaces) {
        glNormal3d(face.normal[0], face.normal[1], face.normal[2]);
        for (const auto& c : face.corners)
            glVertex3d(c[0] * h, c[1] * h, c[2] * h);
    }
    glEnd();
    glPopMatrix();
}
