#include "Callbacks.h"

#include "ControlPoint.h"
#include "Curve.h"
#include "Handles.h"
#include "Train.h"

#include <FL/Fl_Gl_Window.H>
#include <FL/Fl_Hold_Browser.H>

namespace {

void damageView() {
    if (mainView)
        mainView->damage(1);
}

}  // namespace

void redrawViewCallback(Fl_Widget*, void*) {
    damageView();
}

void curveTypeCallback(Fl_Widget*, void*) {
    if (!curveTypeBrowser || !mainCurve)
        return;
    const int line = curveTypeBrowser->value();
    if (line == 0) {
        // The user's click left no line selected: show the current type again, change nothing.
        curveTypeBrowser->select(mainCurve->curveType, 1);
        return;
    }
    mainCurve->curveType = line;
    damageView();
}

void addPointCallback(Fl_Widget*, void*) {
    if (!mainTrain || !mainTrain->curve || mainTrain->curve->points.empty())
        return;
    Curve* curve = mainTrain->curve;
    const ControlPoint* first = curve->points.front();
    const ControlPoint* last = curve->points.back();
    // Registers itself; like the light marker it is never destroyed.
    ControlPoint* point = new ControlPoint((last->x + first->x) * 0.5, (last->y + first->y) * 0.5,
                                           (last->z + first->z) * 0.5);
    curve->append(point);
    damageView();
}
