#include "Editor.h"

#include "Callbacks.h"
#include "ControlPoint.h"
#include "Curve.h"
#include "Handles.h"
#include "PlayButton.h"
#include "SceneView.h"
#include "TimeSlider.h"
#include "Train.h"
#include "WindowIcon.h"
#include "WindowTitle.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>

int runEditor(void (*beforeShow)()) {
    // Set-up: the window and its panel. Widgets on this stack frame are destroyed by it, in
    // reverse order, and leave the window's child list as they go; heap widgets belong to the
    // window.
    Fl_Double_Window window(100, 100, 900, 525, mainWindowTitle);
    window.begin();

    SceneView* view = new SceneView(220, 10, 670, 470);
    mainView = view;

    TimeSlider* slider = new TimeSlider(mainView, 2, 310, 490, 380, 25);
    timeSlider = slider;

    PlayButton playButton(slider, 240, 490, 60, 25);

    Fl_Light_Button trainView(10, 490, 200, 25, "Train View");
    trainView.callback(redrawViewCallback);
    trainViewButton = &trainView;

    Fl_Button addPoint(10, 10, 100, 25, "Add to Curve");
    addPoint.callback(addPointCallback);

    constantVelocityButton = new Fl_Light_Button(10, 460, 200, 25, "Constant Velocity");

    curveTypeBrowser = new Fl_Hold_Browser(10, 40, 200, 65, "Curve Type");
    curveTypeBrowser->add("Linear");
    curveTypeBrowser->add("Cardinal");
    curveTypeBrowser->add("B-Spline");
    curveTypeBrowser->select(2, 1);
    curveTypeBrowser->callback(curveTypeCallback);

    shadowTypeBrowser = new Fl_Hold_Browser(10, 140, 200, 65, "Shadow Type");
    shadowTypeBrowser->add("None");
    shadowTypeBrowser->add("Hack Drop");
    shadowTypeBrowser->add("Hack Point Light");
    shadowTypeBrowser->select(2, 1);
    shadowTypeBrowser->callback(redrawViewCallback);

    velocitySlider = new Fl_Value_Slider(10, 415, 200, 25, "Velocity");
    velocitySlider->type(FL_HOR_NICE_SLIDER);
    velocitySlider->range(0, 1);
    velocitySlider->step(0.05);
    velocitySlider->value(0.5);

    lightingButton = new Fl_Light_Button(10, 240, 100, 25, "Lighting");
    lightingButton->value(1);
    lightingButton->callback(redrawViewCallback);

    window.end();

    // Set-up: the scene. Registry indices follow this order.
    ControlPoint p1(2, 0.1, 2);
    ControlPoint p2(-2, 0.1, 2);
    ControlPoint p3(-2, 0.1, -2);
    ControlPoint p4(2, 0.1, -2);
    lightMarker = new ControlPoint(5, 7, 5);  // never destroyed, like the points added later

    Curve curve;
    mainCurve = &curve;  // before the appends, so they set the time slider's range
    curve.append(&p1);
    curve.append(&p2);
    curve.append(&p3);
    curve.append(&p4);

    Train train(&curve);
    mainTrain = &train;

    if (beforeShow)
        beforeShow();

    // Run.
    setWindowIdentity(window);
    window.show();
    shadowTypeBrowser->select(3, 1);
    // Selecting scrolls the line into view, and before the first draw the browser scrolls a few
    // pixels although all three lines fit: show the list from its top.
    shadowTypeBrowser->topline(1);
    window.redraw();
    mainView->redraw();
    Fl::run();

    // Tear-down happens as this frame unwinds: the train, the curve, the points, the stack
    // widgets (the play button's idle callback goes with it), and last the window.
    return 1;
}
