#include "StartupScene.h"

#include "Handles.h"

StartupScene::StartupScene() {
    // As start-up does: the curve is mainCurve before the appends, so they set the time
    // slider's range where there is one.
    lightMarker = &light;
    mainCurve = &curve;
    for (ControlPoint* p : points())
        curve.append(p);
    mainTrain = &train;
}

StartupScene::~StartupScene() {
    lightMarker = nullptr;
    mainCurve = nullptr;
    mainTrain = nullptr;
}
