#include "Cube.h"
#include "Feedback.h"
#include "GlTest.h"

#include <FL/gl.h>

namespace {

using Corner = std::array<double, 3>;

// The faces in drawing order, corners as signs of the half edge, and their normals.
const Corner faceCorners[6][4] = {
    {{+1, +1, +1}, {-1, +1, +1}, {-1, -1, +1}, {+1, -1, +1}},
    {{+1, +1, -1}, {-1, +1, -1}, {-1, -1, -1}, {+1, -1, -1}},
    {{+1, +1, +1}, {-1, +1, +1}, {-1, +1, -1}, {+1, +1, -1}},
    {{+1, -1, +1}, {-1, -1, +1}, {-1, -1, -1}, {+1, -1, -1}},
    {{+1, +1, +1}, {+1, -1, +1}, {+1, -1, -1}, {+1, +1, -1}},
    {{-1, +1, +1}, {-1, -1, +1}, {-1, -1, -1}, {-1, +1, -1}},
};
const Corner faceNormals[6] = {{0, 0, 1}, {0, 0, -1}, {0, 1, 0}, {0, -1, 0}, {1, 0, 0}, {-1, 0, 0}};

using CubeDraw = GlTest;

}  // namespace

TEST_F(CubeDraw, SixQuadsWithTheirCornersInOrder) {
    const auto quads = quadsOf(captureFeedback([] { drawCube(1, 2, 3, 4); }));
    ASSERT_EQ(quads.size(), 6u);
    for (int face = 0; face < 6; ++face) {
        for (int k = 0; k < 4; ++k) {
            const auto& v = quads[face][k];
            const auto w = worldFromWindow(v.x, v.y, v.z);
            const Corner& c = faceCorners[face][k];
            EXPECT_NEAR(w[0], 1 + 2 * c[0], 1e-3) << "face " << face << " corner " << k;
            EXPECT_NEAR(w[1], 2 + 2 * c[1], 1e-3) << "face " << face << " corner " << k;
            EXPECT_NEAR(w[2], 3 + 2 * c[2], 1e-3) << "face " << face << " corner " << k;
        }
    }
}

// A directional white light along one axis, no ambient: a face is fully lit exactly when its
// normal is that axis, and black when the normal is perpendicular or opposite.
TEST_F(CubeDraw, EachFaceCarriesItsOutwardUnitNormal) {
    const GLfloat black[4] = {0, 0, 0, 1};
    const GLfloat white[4] = {1, 1, 1, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
    glLightfv(GL_LIGHT0, GL_AMBIENT, black);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    for (int axis = 0; axis < 6; ++axis) {
        const GLfloat direction[4] = {static_cast<GLfloat>(faceNormals[axis][0]),
                                      static_cast<GLfloat>(faceNormals[axis][1]),
                                      static_cast<GLfloat>(faceNormals[axis][2]), 0};
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        const auto quads = quadsOf(captureFeedback([] { drawCube(0, 0, 0, 2); }));
        ASSERT_EQ(quads.size(), 6u);
        for (int face = 0; face < 6; ++face) {
            const double expected = face == axis ? 1.0 : 0.0;
            for (const auto& v : quads[face])
                EXPECT_NEAR(v.r, expected, 1e-3) << "light " << axis << " face " << face;
        }
    }
    glDisable(GL_LIGHTING);
}

TEST_F(CubeDraw, LeavesTheModelviewMatrixAndColourAsFound) {
    glTranslated(1, 2, 3);
    glRotated(30, 1, 1, 0);
    glColor3f(0.1f, 0.2f, 0.3f);
    const auto before = currentMatrix(GL_MODELVIEW_MATRIX);
    const auto primitives = captureFeedback([] { drawCube(-4, 5, 6, 0.5); });
    drawCube(-4, 5, 6, 0.5);
    const auto after = currentMatrix(GL_MODELVIEW_MATRIX);
    expectMatrixNear(before.data(), after.data(), 0);
    for (const auto& v : allVertices(primitives)) {
        EXPECT_NEAR(v.r, 0.1, 1e-6);
        EXPECT_NEAR(v.g, 0.2, 1e-6);
        EXPECT_NEAR(v.b, 0.3, 1e-6);
    }
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}
