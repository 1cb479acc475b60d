#include "ControlPoint.h"
#include "GlTest.h"
#include "Handles.h"
#include "Light.h"

#include <FL/gl.h>

using LightSetup = GlTest;

TEST_F(LightSetup, AmbientAndPositionThroughTheCamera) {
    ControlPoint marker(5, 7, 5);
    lightMarker = &marker;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(1, -2, -20);
    glRotated(25, 0, 1, 0);
    const auto mv = currentMatrix(GL_MODELVIEW_MATRIX);
    setupLight();
    GLfloat ambient[4], position[4];
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);
    EXPECT_FLOAT_EQ(ambient[0], 0.5f);
    EXPECT_FLOAT_EQ(ambient[1], 0.5f);
    EXPECT_FLOAT_EQ(ambient[2], 0.5f);
    EXPECT_FLOAT_EQ(ambient[3], 1.0f);
    // GL stores the position in eye coordinates: the camera applied to the marker.
    for (int r = 0; r < 3; ++r) {
        const double eye = mv[r] * 5 + mv[4 + r] * 7 + mv[8 + r] * 5 + mv[12 + r];
        EXPECT_NEAR(position[r], eye, 1e-4) << r;
    }
    EXPECT_FLOAT_EQ(position[3], 1.0f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    lightMarker = nullptr;
}

TEST_F(LightSetup, NoMarkerLeavesThePosition) {
    const GLfloat before[4] = {1, 2, 3, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, before);
    lightMarker = nullptr;
    setupLight();
    GLfloat after[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, after);
    for (int k = 0; k < 4; ++k)
        EXPECT_FLOAT_EQ(after[k], before[k]);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
}
