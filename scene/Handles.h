#pragma once

// Global handles to the panel's widgets and the main scene objects: plain non-owning pointers
// that main sets once during start-up. A null handle makes the option it stands for count as off.
// They live here, in the lowest library, because the scene and the view read them too; widgets
// are typed by the toolkit class their readers use.

class Fl_Gl_Window;
class Fl_Hold_Browser;
class Fl_Light_Button;
class Fl_Value_Slider;
class ControlPoint;
class Curve;
class SceneObject;
class Train;

extern Fl_Gl_Window* mainView;                // the SceneView
extern Fl_Value_Slider* timeSlider;           // the TimeSlider: the train's parameter t
extern Fl_Light_Button* trainViewButton;      // "Train View"
extern Fl_Light_Button* constantVelocityButton;  // "Constant Velocity"
extern Fl_Hold_Browser* curveTypeBrowser;     // "Curve Type": line = CurveType
extern Fl_Value_Slider* velocitySlider;       // "Velocity"
extern Fl_Hold_Browser* shadowTypeBrowser;    // "Shadow Type": 1 none, 2 drop, 3 point light
extern Fl_Light_Button* lightingButton;       // "Lighting"
extern ControlPoint* lightMarker;             // the free-standing point that holds the light
extern Curve* mainCurve;
extern Train* mainTrain;

// The object the current left-button drag holds, or null. The view's interaction sets and
// clears it; control points read it to choose their colour.
extern SceneObject* selectedObject;
