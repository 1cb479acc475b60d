#include "Callbacks.h"
#include "ControlPoint.h"
#include "Curve.h"
#include "Editor.h"
#include "Handles.h"
#include "LoopStart.h"
#include "PlayButton.h"
#include "SceneView.h"
#include "TimeSlider.h"
#include "Train.h"

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>

#include <cstring>
#include <string>
#include <typeinfo>

// The real start-up and run loop, inspected through the global handles from inside the loop.

namespace {

// How far a list is scrolled, in pixels (FLTK 1.4 renamed the call).
int scrolledBy(const Fl_Hold_Browser* list) {
#if FL_API_VERSION >= 10400
    return list->vposition();
#else
    return list->position();
#endif
}

struct Row {
    const char* label;  // null for no label
    const std::type_info& type;
    int x, y, w, h;
    Fl_Callback* callback;  // null: the toolkit's default
};

int shadowLineWhileBuilding = -1;
PlayButton* playButton = nullptr;
bool inspected = false;

Fl_Window* mainWindow() {
    return mainView ? mainView->window() : nullptr;
}

void expectRow(Fl_Widget* w, const Row& row) {
    ASSERT_NE(w, nullptr);
    const std::string name = row.label ? row.label : "(none)";
    EXPECT_EQ(typeid(*w), row.type) << name;
    EXPECT_EQ(w->x(), row.x) << name;
    EXPECT_EQ(w->y(), row.y) << name;
    EXPECT_EQ(w->w(), row.w) << name;
    EXPECT_EQ(w->h(), row.h) << name;
    if (row.label) {
        EXPECT_STREQ(w->label(), row.label);
        // Browsers and sliders keep the toolkit's default place: under the widget, in the gap
        // the layout leaves.
        if (row.type == typeid(Fl_Hold_Browser) || row.type == typeid(Fl_Value_Slider)) {
            EXPECT_EQ(w->align(), FL_ALIGN_BOTTOM) << name;
        }
    } else
        EXPECT_TRUE(w->label() == nullptr || std::strlen(w->label()) == 0) << name;
    // The view answers through its own event handling; the others have the row's callback or none.
    if (row.type != typeid(SceneView)) {
        EXPECT_EQ(w->callback(), row.callback ? row.callback : Fl_Widget::default_callback) << name;
    }
    EXPECT_EQ(w->parent(), mainWindow()) << name;
}

void inspectPanel(void*) {
    inspected = true;
    Fl_Window* window = mainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_STREQ(window->label(), "Varnholt's Sample Proj 3");
    EXPECT_EQ(typeid(*window), typeid(Fl_Double_Window));
    EXPECT_EQ(window->x(), 100);
    EXPECT_EQ(window->y(), 100);
    EXPECT_EQ(window->w(), 900);
    EXPECT_EQ(window->h(), 525);
    EXPECT_EQ(window->resizable(), nullptr);
    EXPECT_EQ(window->parent(), nullptr);

    const Row rows[10] = {
        {nullptr, typeid(SceneView), 220, 10, 670, 470, nullptr},
        {nullptr, typeid(TimeSlider), 310, 490, 380, 25, timeSliderCallback},
        {"Play", typeid(PlayButton), 240, 490, 60, 25, nullptr},
        {"Train View", typeid(Fl_Light_Button), 10, 490, 200, 25, redrawViewCallback},
        {"Add to Curve", typeid(Fl_Button), 10, 10, 100, 25, addPointCallback},
        {"Constant Velocity", typeid(Fl_Light_Button), 10, 460, 200, 25, nullptr},
        {"Curve Type", typeid(Fl_Hold_Browser), 10, 40, 200, 65, curveTypeCallback},
        {"Shadow Type", typeid(Fl_Hold_Browser), 10, 140, 200, 65, redrawViewCallback},
        {"Velocity", typeid(Fl_Value_Slider), 10, 415, 200, 25, nullptr},
        {"Lighting", typeid(Fl_Light_Button), 10, 240, 100, 25, redrawViewCallback},
    };
    // All ten are direct children, in creation order.
    ASSERT_EQ(window->children(), 10);
    for (int k = 0; k < 10; ++k)
        expectRow(window->child(k), rows[k]);

    // The handles point at the rows they stand for.
    EXPECT_EQ(mainView, window->child(0));
    EXPECT_EQ(timeSlider, window->child(1));
    EXPECT_EQ(trainViewButton, window->child(3));
    EXPECT_EQ(constantVelocityButton, window->child(5));
    EXPECT_EQ(curveTypeBrowser, window->child(6));
    EXPECT_EQ(shadowTypeBrowser, window->child(7));
    EXPECT_EQ(velocitySlider, window->child(8));
    EXPECT_EQ(lightingButton, window->child(9));

    // Initial states as the loop starts.
    EXPECT_EQ(timeSlider->type(), FL_HOR_NICE_SLIDER);
    EXPECT_EQ(timeSlider->minimum(), 0);
    EXPECT_EQ(timeSlider->maximum(), 4);
    EXPECT_DOUBLE_EQ(timeSlider->step(), 0.1);
    EXPECT_EQ(timeSlider->value(), 0);
    EXPECT_EQ(timeSlider->when(), FL_WHEN_CHANGED);
    EXPECT_EQ(timeSlider->user_data(), mainView);
    PlayButton* play = static_cast<PlayButton*>(window->child(2));
    playButton = play;
    EXPECT_EQ(Fl::has_idle(playIdle, play), 1);
    EXPECT_EQ(play->value(), 0);
    EXPECT_EQ(play->slider, timeSlider);
    EXPECT_EQ(trainViewButton->value(), 0);
    EXPECT_EQ(constantVelocityButton->value(), 0);
    EXPECT_EQ(lightingButton->value(), 1);
    ASSERT_EQ(curveTypeBrowser->size(), 3);
    EXPECT_STREQ(curveTypeBrowser->text(1), "Linear");
    EXPECT_STREQ(curveTypeBrowser->text(2), "Cardinal");
    EXPECT_STREQ(curveTypeBrowser->text(3), "B-Spline");
    EXPECT_EQ(curveTypeBrowser->value(), 2);
    ASSERT_EQ(shadowTypeBrowser->size(), 3);
    EXPECT_STREQ(shadowTypeBrowser->text(1), "None");
    EXPECT_STREQ(shadowTypeBrowser->text(2), "Hack Drop");
    EXPECT_STREQ(shadowTypeBrowser->text(3), "Hack Point Light");
    EXPECT_EQ(shadowTypeBrowser->value(), 3);
    // Both lists show their three lines from the top.
    EXPECT_EQ(scrolledBy(curveTypeBrowser), 0);
    EXPECT_EQ(scrolledBy(shadowTypeBrowser), 0);
    EXPECT_EQ(velocitySlider->type(), FL_HOR_NICE_SLIDER);
    EXPECT_EQ(velocitySlider->minimum(), 0);
    EXPECT_EQ(velocitySlider->maximum(), 1);
    EXPECT_DOUBLE_EQ(velocitySlider->step(), 0.05);
    EXPECT_EQ(velocitySlider->value(), 0.5);
    for (Fl_Widget* w : {static_cast<Fl_Widget*>(curveTypeBrowser),
                         static_cast<Fl_Widget*>(shadowTypeBrowser),
                         static_cast<Fl_Widget*>(trainViewButton),
                         static_cast<Fl_Widget*>(lightingButton)})
        EXPECT_EQ(w->user_data(), nullptr);

    // The scene, in registry order.
    ASSERT_EQ(sceneRegistry.size(), 7u);
    const double points[4][3] = {{2, 0.1, 2}, {-2, 0.1, 2}, {-2, 0.1, -2}, {2, 0.1, -2}};
    for (int k = 0; k < 4; ++k) {
        ControlPoint* p = dynamic_cast<ControlPoint*>(sceneRegistry[k]);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->x, points[k][0]);
        EXPECT_EQ(p->y, points[k][1]);
        EXPECT_EQ(p->z, points[k][2]);
        EXPECT_EQ(p->owner, mainCurve);
        EXPECT_EQ(mainCurve->points[k], p);
    }
    EXPECT_EQ(sceneRegistry[4], lightMarker);
    EXPECT_EQ(lightMarker->x, 5);
    EXPECT_EQ(lightMarker->y, 7);
    EXPECT_EQ(lightMarker->z, 5);
    EXPECT_EQ(lightMarker->owner, nullptr);
    EXPECT_EQ(sceneRegistry[5], mainCurve);
    EXPECT_EQ(mainCurve->curveType, 2);
    EXPECT_EQ(sceneRegistry[6], mainTrain);
    EXPECT_EQ(mainTrain->curve, mainCurve);
    EXPECT_EQ(selectedObject, nullptr);

    window->hide();
}

void recordWhileBuilding() {
    shadowLineWhileBuilding = shadowTypeBrowser->value();
}

}  // namespace

TEST(Panel, StartUpBuildsEveryWidgetAndTheSceneAndReturnsOne) {
    whenReady([] { return drawnOnce(mainView); }, [] { return describeView(mainView); },
              [] { inspectPanel(nullptr); });
    EXPECT_EQ(runEditor(recordWhileBuilding), 1);
    EXPECT_TRUE(inspected);
    // "Shadow Type" holds line 2 while the panel is built and line 3 once the loop runs.
    EXPECT_EQ(shadowLineWhileBuilding, 2);
    // The idle callback left with the play button.
    ASSERT_NE(playButton, nullptr);
    EXPECT_EQ(Fl::has_idle(playIdle, playButton), 0);
}
