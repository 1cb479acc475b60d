#include "Light.h"

#include "ControlPoint.h"
#include "Handles.h"

#include <FL/gl.h>

void setupLight() {
    const GLfloat ambient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    if (lightMarker) {
        const GLfloat position[4] = {static_cast<GLfloat>(lightMarker->x),
                                     static_cast<GLfloat>(lightMarker->y),
                                     static_cast<GLfloat>(lightMarker->z), 1.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, position);
    }
    glEnable(GL_LIGHT0);
}
