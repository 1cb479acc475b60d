#pragma once

#include <FL/Fl_Value_Slider.H>

// The train's curve parameter t, from 0 to the point count of mainCurve (which keeps the maximum
// up to date). Every change redraws the view given at construction.
class TimeSlider : public Fl_Value_Slider {
public:
    TimeSlider(Fl_Widget* view, int maximum, int x, int y, int w, int h);
};

// Marks the widget passed as user data damaged, so the view redraws with the train at the new t.
void timeSliderCallback(Fl_Widget* slider, void* view);
