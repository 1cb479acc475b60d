#include "Callbacks.h"
#include "ControlPoint.h"
#include "Curve.h"
#include "Handles.h"
#include "TimeSlider.h"
#include "StartupScene.h"
#include "Train.h"

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Gl_Window.H>
#include <FL/Fl_Hold_Browser.H>

#include <memory>

namespace {

// A shown window that draws nothing, to read back the damage it was given (an unshown window
// ignores damage).
class DamageProbe : public Fl_Gl_Window {
public:
    DamageProbe() : Fl_Gl_Window(0, 0, 10, 10) {}
    void draw() override {}
};

// The widgets and the start-up scene the callbacks reach through the handles.
class Callbacks : public ::testing::Test {
protected:
    void SetUp() override {
        view.show();
        for (int k = 0; k < 100 && !view.shown(); ++k)
            Fl::check();
        mainView = &view;
        slider = std::make_unique<TimeSlider>(&view, 2, 0, 0, 100, 20);
        timeSlider = slider.get();
        browser = std::make_unique<Fl_Hold_Browser>(0, 0, 100, 60);
        browser->add("Linear");
        browser->add("Cardinal");
        browser->add("B-Spline");
        browser->select(2, 1);
        browser->callback(curveTypeCallback);
        curveTypeBrowser = browser.get();
        scene = std::make_unique<StartupScene>();
        view.clear_damage();
    }
    void TearDown() override {
        mainView = nullptr;
        timeSlider = nullptr;
        curveTypeBrowser = nullptr;
        scene.reset();
    }

    DamageProbe view;
    std::unique_ptr<TimeSlider> slider;
    std::unique_ptr<Fl_Hold_Browser> browser;
    std::unique_ptr<StartupScene> scene;  // made once the time slider is there, as at start-up
};

int callbackRuns = 0;
void countingCallback(Fl_Widget* w, void* data) {
    ++callbackRuns;
    curveTypeCallback(w, data);
}

}  // namespace

TEST_F(Callbacks, CurveTypeLinesSetTheTypeAndRedraw) {
    for (int line : {1, 3, 2}) {
        view.clear_damage();
        browser->select(line, 1);
        browser->do_callback();
        EXPECT_EQ(scene->curve.curveType, line);
        EXPECT_TRUE(view.damage() & 1) << "line " << line;
    }
}

TEST_F(Callbacks, CurveTypeWithNoLineSelectedPutsTheCurrentTypeBack) {
    scene->curve.curveType = 3;
    browser->select(3, 1);
    browser->deselect();
    ASSERT_EQ(browser->value(), 0);
    callbackRuns = 0;
    browser->callback(countingCallback);
    view.clear_damage();
    browser->do_callback();
    EXPECT_EQ(callbackRuns, 1) << "reselecting must not run the callback again";
    EXPECT_EQ(browser->value(), 3);
    EXPECT_EQ(scene->curve.curveType, 3);
    EXPECT_EQ(view.damage(), 0);
}

TEST_F(Callbacks, RedrawViewDamagesTheView) {
    redrawViewCallback(nullptr, nullptr);
    EXPECT_TRUE(view.damage() & 1);
    mainView = nullptr;
    redrawViewCallback(nullptr, nullptr);  // no view: nothing to do, no crash
}

TEST_F(Callbacks, TimeSliderRedrawsTheViewItWasGiven) {
    EXPECT_EQ(slider->user_data(), &view);
    slider->do_callback();
    EXPECT_TRUE(view.damage() & 1);
}

TEST_F(Callbacks, AddToCurveAddsMidpointsOfTheClosingSegment) {
    ASSERT_EQ(sceneRegistry.size(), 7u);
    slider->value(2.5);
    // The closing segment's ends differ in x, y and z, so that neither end alone is the mean:
    // from the last point (4, 1.5, -2) to the first (2, 0.5, 2), then from each added point.
    scene->p1.y = 0.5;
    scene->p4.x = 4;
    scene->p4.y = 1.5;
    const double expected[3][3] = {{3, 1, 0}, {2.5, 0.75, 1}, {2.25, 0.625, 1.5}};
    for (int k = 0; k < 3; ++k) {
        view.clear_damage();
        addPointCallback(nullptr, nullptr);
        ASSERT_EQ(sceneRegistry.size(), 8u + k);
        ControlPoint* added = dynamic_cast<ControlPoint*>(sceneRegistry[7 + k]);
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(added->x, expected[k][0]);
        EXPECT_EQ(added->y, expected[k][1]);
        EXPECT_EQ(added->z, expected[k][2]);
        EXPECT_EQ(added->owner, &scene->curve);
        EXPECT_EQ(scene->curve.points.back(), added);
        EXPECT_TRUE(view.damage() & 1);
    }
    EXPECT_EQ(scene->curve.points.size(), 7u);
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 7);
    EXPECT_DOUBLE_EQ(slider->step(), 0.1);
    EXPECT_EQ(slider->value(), 2.5);
}

TEST_F(Callbacks, TimeSliderConstruction) {
    TimeSlider s(&view, 2, 310, 490, 380, 25);
    EXPECT_EQ(s.x(), 310);
    EXPECT_EQ(s.w(), 380);
    EXPECT_EQ(s.value(), 0);
    EXPECT_EQ(s.minimum(), 0);
    EXPECT_EQ(s.maximum(), 2);
    EXPECT_EQ(s.step(), 1);
    EXPECT_EQ(s.when(), FL_WHEN_CHANGED);
    EXPECT_EQ(s.type(), FL_HOR_NICE_SLIDER);
    EXPECT_EQ(s.callback(), timeSliderCallback);
    EXPECT_EQ(s.user_data(), &view);
}
