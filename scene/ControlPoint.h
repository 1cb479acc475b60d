#pragma once

#include "SceneObject.h"

class Curve;

// A draggable point: a small cube standing on (x, y, z). Points of the track have an owner;
// the light marker has none.
class ControlPoint : public SceneObject {
public:
    ControlPoint(double x, double y, double z);

    // Cyan while selectedObject, else green with an owner, else red.
    void draw(int shadowPass) override;
    int isSelectable() override;

    Curve* owner;  // not owned; set by Curve::append
};
