#include "TimeSlider.h"

TimeSlider::TimeSlider(Fl_Widget* view, int maximum, int x, int y, int w, int h)
    : Fl_Value_Slider(x, y, w, h) {
    value(0);
    minimum(0);
    this->maximum(static_cast<double>(maximum));
    step(1);  // whole numbers until the curve's first append sets 0.1
    when(FL_WHEN_CHANGED);
    type(FL_HOR_NICE_SLIDER);
    callback(timeSliderCallback, view);
}

void timeSliderCallback(Fl_Widget*, void* view) {
    static_cast<Fl_Widget*>(view)->damage(1);
}
