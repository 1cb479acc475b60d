#include "SceneView.h"

#include "ControlPoint.h"
#include "Floor.h"
#include "Handles.h"
#include "Interaction.h"
#include "Light.h"
#include "SceneObject.h"
#include "Shadows.h"
#include "Train.h"

#include <FL/Fl.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Light_Button.H>
#include <FL/gl.h>
#include <GL/glu.h>

SceneView::SceneView(int x, int y, int w, int h)
    : Fl_Gl_Window(x, y, w, h), eye{5, 8, 14}, center{0, 3, 0}, fieldOfView(50) {}

void SceneView::draw() {
    // Background: dark blue.
    glClearColor(0, 0, 0.3f, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // Projection from scratch over the whole window, in its pixels (more than its units on a
    // scaled screen), then the camera.
    glMatrixMode(GL_PROJECTION);
    glViewport(0, 0, pixel_w(), pixel_h());
    glLoadIdentity();
    setProjection();

    // Depth test on before the shadows, so that the floor drawn after them cannot cover them,
    // in the first frame of a fresh context too.
    glEnable(GL_DEPTH_TEST);
    drawShadowPass();

    // Floor: unlit, depth test on.
    drawFloor();

    if (lightingButton && lightingButton->value()) {
        glEnable(GL_LIGHTING);
        setupLight();
    }
    // Colours set by the objects become their material, lit or not.
    glEnable(GL_COLOR_MATERIAL);

    drawObjects(0);
}

void SceneView::setProjection() {
    glMatrixMode(GL_PROJECTION);
    const double aspect = h() > 0 ? static_cast<double>(w()) / static_cast<double>(h()) : 1.0;
    gluPerspective(fieldOfView, aspect, 1, 100);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (trainViewButton && trainViewButton->value() && mainTrain)
        mainTrain->applyRideCamera();
    else
        gluLookAt(eye[0], eye[1], eye[2], center[0], center[1], center[2], 0, 1, 0);
}

void SceneView::drawObjects(int shadowPass) {
    // The length is read again each time: nothing may be assumed about what a draw does.
    for (std::size_t i = 0; i < sceneRegistry.size(); ++i) {
        glLoadName(static_cast<GLuint>(i));
        sceneRegistry[i]->draw(shadowPass);
    }
}

void SceneView::drawShadowPass() {
    // Only "Hack Drop" and "Hack Point Light" have one; "None" touches no GL state at all.
    if (!shadowTypeBrowser || shadowTypeBrowser->value() <= 1)
        return;
    glPushMatrix();
    const bool drop = shadowTypeBrowser->value() == 2;
    if (drop)
        multDropShadow();
    else if (lightMarker)
        multPointShadow(lightMarker->x, lightMarker->y, lightMarker->z);
    // Shadows: unlit and black.
    glDisable(GL_LIGHTING);
    glColor4f(0, 0, 0, 0);
    // Without a light there is nothing to project from; unflattened black copies would cover
    // the objects themselves.
    if (drop || lightMarker)
        drawObjects(1);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}

int SceneView::handle(int event) {
    switch (event) {
    case FL_PUSH:
        pressX = Fl::event_x();
        pressY = Fl::event_y();
        pressButton = Fl::event_button();
        if (pressButton == FL_LEFT_MOUSE) {
            selectedObject = pickObject();
            damage(1);
        } else if (pressButton == FL_RIGHT_MOUSE) {
            for (int k = 0; k < 3; ++k)
                savedEye[k] = eye[k];
        }
        return 1;
    case FL_RELEASE:
        selectedObject = nullptr;
        damage(1);
        return 1;
    case FL_DRAG:
        if (selectedObject) {
            dragObject(&selectedObject->x, &selectedObject->y, &selectedObject->z);
            damage(1);
        } else if (pressButton == FL_RIGHT_MOUSE) {
            // The button of the press: during a drag the toolkit's event_button() reports
            // whatever key was pressed meanwhile.
            orbitEye(Fl::event_x() - pressX, Fl::event_y() - pressY,
                     center[0], center[1], center[2], savedEye[0], savedEye[1], savedEye[2],
                     &eye[0], &eye[1], &eye[2]);
            damage(1);
        }
        return 1;
    case FL_SHOW:
        show();
        return 1;
    default:
        // Keys and everything else go back to the toolkit, so Escape still closes the window.
        return 0;
    }
}

void SceneView::dragObject(double* x, double* y, double* z) {
    // The pointer in the view's pixels: the toolkit gives it in units.
    const double mx = Fl::event_x() * pixels_per_unit();
    const double my = Fl::event_y() * pixels_per_unit();
    make_current();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    setProjection();
    double nx, ny, nz, fx, fy, fz;
    if (!unprojectMouse(mx, my, &nx, &ny, &nz, &fx, &fy, &fz))
        return;
    const int vertical = Fl::event_state(FL_CTRL) ? 1 : 0;
    moveOnPlane(nx, ny, nz, fx, fy, fz, *x, *y, *z, x, y, z, vertical);
}
