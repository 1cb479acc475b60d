#pragma once

class Fl_Widget;

// Widget callbacks of the control panel. Installed with null user data; they reach everything
// through the global handles.

// "Train View", "Shadow Type", "Lighting": redraw the view.
void redrawViewCallback(Fl_Widget*, void*);
// "Curve Type": the selected line is the curve type; an emptied selection is put back.
void curveTypeCallback(Fl_Widget*, void*);
// "Add to Curve": a new point halfway along the closing segment, appended to the train's curve.
void addPointCallback(Fl_Widget*, void*);
