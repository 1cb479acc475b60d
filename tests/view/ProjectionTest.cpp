#include "GlTest.h"
#include "Handles.h"
#include "ViewTest.h"

#include <FL/Fl_Light_Button.H>
#include <FL/gl.h>

using Projection = ViewTest;

TEST_F(Projection, InitialCamera) {
    EXPECT_EQ(view->eye[0], 5);
    EXPECT_EQ(view->eye[1], 8);
    EXPECT_EQ(view->eye[2], 14);
    EXPECT_EQ(view->center[0], 0);
    EXPECT_EQ(view->center[1], 3);
    EXPECT_EQ(view->center[2], 0);
    EXPECT_EQ(view->fieldOfView, 50);
    EXPECT_EQ(view->mode() & (FL_RGB | FL_DOUBLE | FL_DEPTH), FL_RGB | FL_DOUBLE | FL_DEPTH);
}

TEST_F(Projection, PerspectiveIsMultipliedOntoTheProjectionThere) {
    const std::array<double, 16> existing = {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 1, 0, 0.5, -0.25, 0, 1};
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(existing.data());
    view->setProjection();
    const auto expected = multiply(existing, perspectiveMatrix(50, 670.0 / 470.0));
    const auto actual = currentMatrix(GL_PROJECTION_MATRIX);
    expectMatrixNear(expected.data(), actual.data(), 1e-6);
}

TEST_F(Projection, CameraIsLoadedIntoTheModelview) {
    glMatrixMode(GL_MODELVIEW);
    glTranslated(100, 100, 100);  // replaced, not multiplied
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    view->setProjection();
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    const auto expected = lookAtMatrix(view->eye, view->center);
    expectMatrixNear(expected.data(), currentMatrix(GL_MODELVIEW_MATRIX).data(), 1e-6);
}

TEST_F(Projection, AspectFollowsTheWindowShape) {
    view->size(400, 200);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    view->setProjection();
    const auto expected = perspectiveMatrix(50, 2.0);
    expectMatrixNear(expected.data(), currentMatrix(GL_PROJECTION_MATRIX).data(), 1e-6);
}

TEST_F(Projection, TrainViewButtonWithoutTrainKeepsTheFreeCamera) {
    Fl_Light_Button button(0, 0, 10, 10);
    button.value(1);
    trainViewButton = &button;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    view->setProjection();
    const auto expected = lookAtMatrix(view->eye, view->center);
    expectMatrixNear(expected.data(), currentMatrix(GL_MODELVIEW_MATRIX).data(), 1e-6);
    trainViewButton = nullptr;
}
