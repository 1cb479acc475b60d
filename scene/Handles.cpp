#include "Handles.h"

Fl_Gl_Window* mainView = nullptr;
Fl_Value_Slider* timeSlider = nullptr;
Fl_Light_Button* trainViewButton = nullptr;
Fl_Light_Button* constantVelocityButton = nullptr;
Fl_Hold_Browser* curveTypeBrowser = nullptr;
Fl_Value_Slider* velocitySlider = nullptr;
Fl_Hold_Browser* shadowTypeBrowser = nullptr;
Fl_Light_Button* lightingButton = nullptr;
ControlPoint* lightMarker = nullptr;
Curve* mainCurve = nullptr;
Train* mainTrain = nullptr;
SceneObject* selectedObject = nullptr;
