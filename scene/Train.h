#pragma once

#include "SceneObject.h"

class Curve;

// A cube that stands on its curve at the time slider's parameter, turned along the tangent.
// It keeps no state between frames: t comes from timeSlider (0 without one).
class Train : public SceneObject {
public:
    explicit Train(Curve* curve);

    // Draws nothing, in any pass, while this is mainTrain and "Train View" is on.
    void draw(int shadowPass) override;

    // Multiplies the current matrix by the ride camera: the ride frame, then a translation that
    // puts the eye 0.5 above the curve point.
    void applyRideCamera();

    Curve* curve;  // not owned
};
