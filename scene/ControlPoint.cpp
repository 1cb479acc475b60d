#include "ControlPoint.h"

#include "Cube.h"
#include "Handles.h"

#include <FL/gl.h>

ControlPoint::ControlPoint(double x, double y, double z) : SceneObject(x, y, z), owner(nullptr) {}

void ControlPoint::draw(int shadowPass) {
    if (!shadowPass) {
        if (selectedObject == this)
            glColor3f(0, 1, 1);
        else if (owner)
            glColor3f(0, 1, 0);
        else
            glColor3f(1, 0, 0);
    }
    // The point is the centre of the cube's bottom face.
    drawCube(x, y + 0.25, z, 0.5);
}

int ControlPoint::isSelectable() {
    return 1;
}
