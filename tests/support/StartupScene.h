#pragma once

#include "ControlPoint.h"
#include "Curve.h"
#include "Train.h"

#include <array>

// The scene start-up builds, in its registry order: P1 to P4 at (2, 0.1, 2), (-2, 0.1, 2),
// (-2, 0.1, -2) and (2, 0.1, -2) (indices 0 to 3), the light marker at (5, 7, 5), the Cardinal
// curve through the four points and the train on it. While it lives, mainCurve, mainTrain and
// lightMarker point into it; they are cleared when it goes. A test fixture holds one as a member.
class StartupScene {
public:
    StartupScene();
    ~StartupScene();
    StartupScene(const StartupScene&) = delete;
    StartupScene& operator=(const StartupScene&) = delete;

    ControlPoint p1{2, 0.1, 2};
    ControlPoint p2{-2, 0.1, 2};
    ControlPoint p3{-2, 0.1, -2};
    ControlPoint p4{2, 0.1, -2};
    ControlPoint light{5, 7, 5};
    Curve curve;
    Train train{&curve};

    std::array<ControlPoint*, 4> points() { return {&p1, &p2, &p3, &p4}; }
};
