#include "Floor.h"

#include <FL/gl.h>

void drawFloor() {
    // Floor: flat colours, depth tested.
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);

    const int tiles = 10;
    const double side = 1.6;
    glBegin(GL_QUADS);
    for (int i = 0; i < tiles; ++i) {
        for (int j = 0; j < tiles; ++j) {
            if ((i + j) % 2)
                glColor4f(0.7f, 0.7f, 0.7f, 1);
            else
                glColor4f(0.3f, 0.3f, 0.7f, 1);
            const double x0 = -8 + side * i, x1 = -8 + side * (i + 1);
            const double z0 = -8 + side * j, z1 = -8 + side * (j + 1);
            glVertex3d(x0, 0, z0);
            glVertex3d(x0, 0, z1);
            glVertex3d(x1, 0, z1);
            glVertex3d(x1, 0, z0);
        }
    }
    glEnd();
}
