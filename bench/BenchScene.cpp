#include "BenchScene.h"

#include "ControlPoint.h"
#include "Curve.h"
#include "Handles.h"
#include "Layout.h"
#include "SceneView.h"
#include "StartupScene.h"
#include "Train.h"

#include <FL/Fl.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>

BenchScene& BenchScene::withPoints(int count) {
    static BenchScene scene;
    scene.grow(count);
    return scene;
}

BenchScene::BenchScene() {
    view_ = std::make_unique<SceneView>(0, 0, layout::viewWidth, layout::viewHeight);
    view_->show();
    for (int k = 0; k < 100 && !view_->shown(); ++k)
        Fl::check();
    mainView = view_.get();
    slider_ = std::make_unique<Fl_Value_Slider>(0, 0, 100, 20);
    slider_->value(0.5);
    timeSlider = slider_.get();
    trainView_ = std::make_unique<Fl_Light_Button>(0, 0, 10, 10);
    trainViewButton = trainView_.get();
    lighting_ = std::make_unique<Fl_Light_Button>(0, 0, 10, 10);
    lighting_->value(1);
    lightingButton = lighting_.get();
    shadowTypes_ = std::make_unique<Fl_Hold_Browser>(0, 0, 100, 60);
    for (const char* line : {"None", "Hack Drop", "Hack Point Light"})
        shadowTypes_->add(line);
    shadowTypes_->select(3, 1);
    shadowTypeBrowser = shadowTypes_.get();

    // Kept for the process's life, like the points it grows by: the registry never shrinks.
    startup_ = new StartupScene;
    for (ControlPoint* p : startup_->points())
        points_.push_back(p);
    curve_ = &startup_->curve;
}

void BenchScene::grow(int count) {
    // As "Add to Curve" does: halfway along the closing segment.
    while (static_cast<int>(points_.size()) < count) {
        const ControlPoint* first = points_.front();
        const ControlPoint* last = points_.back();
        points_.push_back(new ControlPoint((last->x + first->x) * 0.5, (last->y + first->y) * 0.5,
                                           (last->z + first->z) * 0.5));
        curve_->append(points_.back());
    }
    view_->make_current();
}

void BenchScene::shadows(int line) {
    shadowTypes_->select(line, 1);
}
