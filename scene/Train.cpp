#include "Train.h"

#include "Cube.h"
#include "Curve.h"
#include "Frames.h"
#include "Handles.h"

#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/gl.h>

namespace {

double currentT() {
    return timeSlider ? timeSlider->value() : 0.0;
}

}  // namespace

Train::Train(Curve* curve) : SceneObject(0, 0, 0), curve(curve) {}

void Train::draw(int shadowPass) {
    if (trainViewButton && this == mainTrain && trainViewButton->value())
        return;
    if (!shadowPass)
        glColor3d(0.7, 1.0, 0.0);
    const double t = currentT();
    double px, py, pz, dx, dy, dz;
    curve->position(t, &px, &py, &pz);
    curve->tangent(t, &dx, &dy, &dz);
    glPushMatrix();
    glTranslated(px, py, pz);
    multTrainFrame(dx, dy, dz);
    // Bottom face centred on the curve point.
    drawCube(0, 0.5, 0, 1.0);
    glPopMatrix();
}

void Train::applyRideCamera() {
    const double t = currentT();
    double px, py, pz, dx, dy, dz;
    curve->position(t, &px, &py, &pz);
    curve->tangent(t, &dx, &dy, &dz);
    multRideFrame(dx, dy, dz);
    glTranslated(-px, -py - 0.5, -pz);
}
