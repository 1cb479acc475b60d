#include "ControlPoint.h"
#include "Curve.h"
#include "CurveBasis.h"
#include "Editor.h"
#include "Handles.h"
#include "LoopStart.h"
#include "PlayButton.h"
#include "SceneView.h"
#include "Train.h"

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/gl.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

// Hostile geometry in the real editor: each scenario moves points as drags would, then, inside
// the running loop, with "Play" on and every combination of "Train View" and "Constant Velocity",
// checks that frames are still drawn with a finite camera, the animation keeps a finite t, and a
// press in the view is still answered.

namespace {

// Counts the frames and checks the camera each one is drawn with.
class FrameProbe : public SceneObject {
public:
    FrameProbe() : SceneObject(0, 0, 0) {}
    void draw(int shadowPass) override {
        if (shadowPass)
            return;
        ++frames;
        GLdouble m[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        for (double v : m)
            if (!std::isfinite(v))
                ++nonFiniteFrames;
    }
    int frames = 0;
    int nonFiniteFrames = 0;
};

struct Scenario {
    std::string name;
    std::function<void()> apply;
};

std::vector<Scenario> scenarios;
std::size_t nextScenario = 0;
int phase = 0;
FrameProbe* probe = nullptr;

ControlPoint* point(int index) {
    return static_cast<ControlPoint*>(sceneRegistry[index]);
}

PlayButton* playButton() {
    return static_cast<PlayButton*>(mainView->window()->child(2));
}

// One frame now, as the toolkit would draw it.
void drawFrame(const std::string& what) {
    const int before = probe->frames;
    mainView->redraw();
    Fl::flush();
    EXPECT_GT(probe->frames, before) << what << ": no frame drawn";
    EXPECT_EQ(probe->nonFiniteFrames, 0) << what << ": a frame with a non-finite camera";
}

// A left press and release in the middle of the view, through the real event handling.
void pressInView(const std::string& what) {
    Fl::e_x = mainView->w() / 2;
    Fl::e_y = mainView->h() / 2;
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    testing::internal::CaptureStdout();
    EXPECT_EQ(mainView->handle(FL_PUSH), 1) << what;
    const std::string trace = testing::internal::GetCapturedStdout();
    EXPECT_EQ(trace.rfind("Hit ", 0), 0u) << what << ": no pick trace";
    EXPECT_EQ(mainView->handle(FL_RELEASE), 1) << what;
    EXPECT_EQ(selectedObject, nullptr);
}

void checkTime(const std::string& what) {
    const double t = timeSlider->value();
    EXPECT_TRUE(std::isfinite(t)) << what;
    EXPECT_GE(t, 0) << what;
    EXPECT_LE(t, timeSlider->maximum()) << what;
}

// Runs every scenario in four phases (train view x constant velocity), 0.15 s of loop each.
void step(void*) {
    if (nextScenario >= scenarios.size()) {
        mainView->window()->hide();
        return;
    }
    const Scenario& s = scenarios[nextScenario];
    if (phase == 0) {
        s.apply();
        playButton()->value(1);
    }
    trainViewButton->value(phase & 1);
    constantVelocityButton->value((phase >> 1) & 1);
    const std::string what = s.name + ", phase " + std::to_string(phase);
    checkTime(what);
    drawFrame(what);
    pressInView(what);
    drawFrame(what);
    if (++phase == 4) {
        phase = 0;
        ++nextScenario;
    }
    Fl::repeat_timeout(0.15, step);
}

void addProbe() {
    probe = new FrameProbe;  // drawn last, after the train
}

void run(std::vector<Scenario> list) {
    scenarios = std::move(list);
    // Flushing draws nothing until the window is mapped: start from the first frame seen.
    whenReady([] { return probe && probe->frames > 0 && drawnOnce(mainView); },
              [] {
                  return describeView(mainView) + ", frames " +
                         std::to_string(probe ? probe->frames : 0);
              },
              [] { step(nullptr); });
    EXPECT_EQ(runEditor(addProbe), 1);
    EXPECT_EQ(nextScenario, scenarios.size()) << "the loop stopped answering";
    EXPECT_GT(probe->frames, 0);
}

void moveTo(ControlPoint* p, double x, double y, double z) {
    p->x = x;
    p->y = y;
    p->z = z;
}

}  // namespace

TEST(HostileGeometry, CoincidentPoints) {
    run({{"all four at one place",
          [] {
              for (int k = 0; k < 4; ++k)
                  moveTo(point(k), 1, 0.1, 1);
          }},
         {"two coincident, linear",
          [] {
              moveTo(point(0), 2, 0.1, 2);
              moveTo(point(1), 2, 0.1, 2);
              mainCurve->curveType = CurveLinear;
              timeSlider->value(0.5);
          }},
         {"b-spline", [] { mainCurve->curveType = CurveBSpline; }}});
}

TEST(HostileGeometry, PointStraightAboveItsNeighbour) {
    run({{"linear, vertical segment",
          [] {
              moveTo(point(1), 2, 4.1, 2);  // straight above P1
              mainCurve->curveType = CurveLinear;
              timeSlider->value(0.5);
          }},
         {"cardinal", [] { mainCurve->curveType = CurveCardinal; }},
         {"at the point itself", [] { timeSlider->value(1.0); }}});
}

TEST(HostileGeometry, PointsFarAwayAndBack) {
    run({{"beyond a million",
          [] {
              moveTo(point(2), 2e6, 0.1, -2e6);
              moveTo(point(3), -3e7, 5e6, 1e7);
          }},
         {"train on the far segment", [] { timeSlider->value(2.5); }},
         {"back again",
          [] {
              moveTo(point(2), -2, 0.1, -2);
              moveTo(point(3), 2, 0.1, -2);
          }}});
}

TEST(HostileGeometry, LightBelowTheFloorAndInsideAPoint) {
    run({{"light below the floor", [] { moveTo(lightMarker, 5, -3, 5); }},
         {"light into P1", [] { moveTo(lightMarker, 2, 0.1, 2); }},
         {"light into P1's cube", [] { moveTo(lightMarker, 2, 0.35, 2); }},
         {"drop shadows too", [] { shadowTypeBrowser->select(2, 1); }}});
}

TEST(HostileGeometry, ManyAddedPointsCrowdingTheFirst) {
    run({{"three hundred points",
          [] {
              Fl_Widget* add = mainView->window()->child(4);
              for (int k = 0; k < 300; ++k)
                  add->do_callback();
              timeSlider->value(timeSlider->maximum() - 0.05);
          }}});
}
