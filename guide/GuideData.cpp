// Prints the data of the illustrated guide (docs/how-it-works.md) from the program's own
// functions: the curve's weights and evaluation, "Add to Curve", the train's frame, the idle step
// of "Play", the drag planes and the shadow matrices. scripts/dev/guide.sh draws the figures from it;
// `numbers` prints the block of figures the guide quotes, which a test compares with the guide.
//
//   loopline_guide_data weights|tracks|frames|velocity|drag|shadows|numbers

#include "Callbacks.h"
#include "ControlPoint.h"
#include "Curve.h"
#include "CurveBasis.h"
#include "Frames.h"
#include "Handles.h"
#include "Interaction.h"
#include "PlayButton.h"
#include "Shadows.h"
#include "StartupScene.h"
#include "TimeSlider.h"
#include "Train.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Vec {
    double x, y, z;
};

double length(const Vec& a) {
    return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
}

// The start-up scene as the editor builds it. Points that "Add to Curve" makes are never freed,
// as in the editor.
struct Scene {
    ControlPoint* point(int k) { return startup.points()[k]; }
    Vec position(double t) const {
        Vec v;
        curve->position(t, &v.x, &v.y, &v.z);
        return v;
    }
    Vec tangent(double t) const {
        Vec v;
        curve->tangent(t, &v.x, &v.y, &v.z);
        return v;
    }
    StartupScene startup;
    Curve* curve = &startup.curve;
};

const char* typeName(int type) {
    return type == CurveLinear ? "Linear" : type == CurveCardinal ? "Cardinal" : "B-Spline";
}

// u, then per type the four position weights and the four tangent weights.
void printWeights() {
    std::printf("# u");
    for (int type = CurveLinear; type <= CurveBSpline; ++type)
        std::printf("  %s: p0 p1 p2 p3 t0 t1 t2 t3", typeName(type));
    std::printf("\n");
    for (int k = 0; k <= 100; ++k) {
        const double u = k / 100.0;
        std::printf("%.2f", u);
        for (int type = CurveLinear; type <= CurveBSpline; ++type) {
            double p[4], t[4];
            positionWeights(type, u, p);
            tangentWeights(type, u, t);
            for (double w : p)
                std::printf(" %.6f", w);
            for (double w : t)
                std::printf(" %.6f", w);
        }
        std::printf("\n");
    }
}

void printTrack(const Scene& scene, int type) {
    scene.curve->curveType = type;
    const double n = static_cast<double>(scene.curve->points.size());
    std::printf("# %s: t x y z\n", typeName(type));
    for (int k = 0; k <= 400; ++k) {
        const double t = n * k / 400.0;
        const Vec p = scene.position(t);
        std::printf("%.4f %.6f %.6f %.6f\n", t, p.x, p.y, p.z);
    }
    std::printf("\n\n");
}

void printPoints(const Scene& scene) {
    std::printf("# control points: index x y z\n");
    for (std::size_t k = 0; k < scene.curve->points.size(); ++k) {
        const ControlPoint* p = scene.curve->points[k];
        std::printf("%zu %.6f %.6f %.6f\n", k + 1, p->x, p->y, p->z);
    }
    std::printf("\n\n");
}

// Blocks 0-2: the start-up track as Linear, Cardinal, B-Spline; 3: its points; 4-6 and 7: the
// same after three presses of "Add to Curve".
void printTracks() {
    Scene scene;
    for (int type = CurveLinear; type <= CurveBSpline; ++type)
        printTrack(scene, type);
    printPoints(scene);
    for (int k = 0; k < 3; ++k)
        addPointCallback(nullptr, nullptr);
    for (int type = CurveLinear; type <= CurveBSpline; ++type)
        printTrack(scene, type);
    printPoints(scene);
}

// The train's frame at t: the curve point, forward (the direction it faces, -w) and up (v).
struct Frame {
    Vec at, forward, up;
};
Frame frameAt(const Scene& scene, double t) {
    const Vec p = scene.position(t), d = scene.tangent(t);
    double m[16];
    trainFrameMatrix(d.x, d.y, d.z, m);
    return {p, {-m[8], -m[9], -m[10]}, {m[4], m[5], m[6]}};
}

void printFrames(const Scene& scene) {
    printTrack(scene, CurveCardinal);
    std::printf("# frames: x y z forward(x y z) up(x y z)\n");
    for (int k = 0; k < 16; ++k) {
        const Frame f = frameAt(scene, k * 0.25);
        std::printf("%.6f %.6f %.6f %.6f %.6f %.6f %.6f %.6f %.6f\n", f.at.x, f.at.y, f.at.z,
                    f.forward.x, f.forward.y, f.forward.z, f.up.x, f.up.y, f.up.z);
    }
    std::printf("\n\n");
}

// Blocks 0, 1: the flat start-up track (Cardinal) and frames along it; 2, 3: the same with the
// second point raised to y = 2.
void printAllFrames() {
    Scene flat;
    printFrames(flat);
    Scene raised;
    raised.point(1)->y = 2;
    printFrames(raised);
}

// One lap of "Play" on the start-up track (Cardinal, velocity 0.5): the real idle step, its clock
// advanced 40 ms a call. Returns the world distance the train covers at each step.
std::int32_t fakeNow = 0;
std::int32_t fakeClock() {
    return fakeNow;
}
std::vector<double> lapSteps(bool constantVelocity) {
    Scene scene;
    Fl_Box view(0, 0, 10, 10);  // what the slider damages at each step, in place of the view
    TimeSlider slider(&view, 4, 0, 0, 100, 20);
    timeSlider = &slider;
    Fl_Value_Slider velocity(0, 0, 100, 20);
    velocity.range(0, 1);
    velocity.value(0.5);
    velocitySlider = &velocity;
    Fl_Light_Button constant(0, 0, 100, 20);
    constant.value(constantVelocity ? 1 : 0);
    constantVelocityButton = &constant;
    playClock = fakeClock;
    std::vector<double> steps;
    {
        PlayButton play(&slider, 0, 0, 60, 25);
        play.value(1);
        for (int k = 0; k < 10000; ++k) {
            const double before = slider.value();
            fakeNow += 40;
            playIdle(&play);
            const double after = slider.value();
            if (after < before)
                break;  // wrapped to 0: the lap is over
            const Vec a = scene.position(before), b = scene.position(after);
            steps.push_back(length({b.x - a.x, b.y - a.y, b.z - a.z}));
        }
    }
    playClock = elapsedMilliseconds;
    timeSlider = nullptr;
    velocitySlider = nullptr;
    constantVelocityButton = nullptr;
    return steps;
}

void printVelocity() {
    for (bool on : {false, true}) {
        std::printf("# Constant Velocity %s: step distance\n", on ? "on" : "off");
        const std::vector<double> steps = lapSteps(on);
        for (std::size_t k = 0; k < steps.size(); ++k)
            std::printf("%zu %.6f\n", k + 1, steps[k]);
        std::printf("\n\n");
    }
}

// One mouse ray, from the default eye (5, 8, 14) through the floor point (-1, 0, 1), and the
// start-up point P2 (-2, 0.1, 2): where a plain and a Ctrl drag put it.
struct Drag {
    Vec n, f, p, plain, ctrl;
};
Drag dragExample() {
    const Vec eye{5, 8, 14}, target{-1, 0, 1};
    const auto along = [&](double s) {
        return Vec{eye.x + s * (target.x - eye.x), eye.y + s * (target.y - eye.y),
                   eye.z + s * (target.z - eye.z)};
    };
    Drag d{along(0.25), along(1.25), {-2, 0.1, 2}, {}, {}};
    moveOnPlane(d.n.x, d.n.y, d.n.z, d.f.x, d.f.y, d.f.z, d.p.x, d.p.y, d.p.z, &d.plain.x,
                &d.plain.y, &d.plain.z, 0);
    moveOnPlane(d.n.x, d.n.y, d.n.z, d.f.x, d.f.y, d.f.z, d.p.x, d.p.y, d.p.z, &d.ctrl.x,
                &d.ctrl.y, &d.ctrl.z, 1);
    return d;
}

void printDrag() {
    const Drag d = dragExample();
    std::printf("# name x y z\n");
    std::printf("near %.6f %.6f %.6f\nfar %.6f %.6f %.6f\n", d.n.x, d.n.y, d.n.z, d.f.x, d.f.y,
                d.f.z);
    std::printf("point %.6f %.6f %.6f\nplain %.6f %.6f %.6f\nctrl %.6f %.6f %.6f\n", d.p.x, d.p.y,
                d.p.z, d.plain.x, d.plain.y, d.plain.z, d.ctrl.x, d.ctrl.y, d.ctrl.z);
}

// A matrix (column-major) applied to a point, with the division by w that GL makes.
Vec transform(const double m[16], const Vec& p) {
    const double x = m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12];
    const double y = m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13];
    const double z = m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14];
    const double w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
    return {x / w, y / w, z / w};
}

// The light marker at (5, 7, 5) and a point at (1, 2, 1), in the vertical plane x = z through
// both; where each shadow mode lands it.
struct ShadowExample {
    Vec light, point, drop, fromLight;
};
ShadowExample shadowExample() {
    ShadowExample s{{5, 7, 5}, {1, 2, 1}, {}, {}};
    s.drop = transform(dropShadowMatrix, s.point);
    double m[16];
    pointShadowMatrix(s.light.x, s.light.y, s.light.z, m);
    s.fromLight = transform(m, s.point);
    return s;
}

void printShadows() {
    const ShadowExample s = shadowExample();
    std::printf("# name x y z\n");
    for (const auto& [name, v] : {std::pair<const char*, Vec>{"light", s.light}, {"point", s.point},
                                  {"drop", s.drop}, {"point-light", s.fromLight}})
        std::printf("%s %.6f %.6f %.6f\n", name, v.x, v.y, v.z);
}

std::string vec(const Vec& v) {
    // Rounding noise below the last printed digit is shown as 0, not -0.000.
    const auto clean = [](double a) { return std::fabs(a) < 5e-4 ? 0.0 : a; };
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "(%.3f, %.3f, %.3f)", clean(v.x), clean(v.y), clean(v.z));
    return buffer;
}

// The figures the guide quotes, as one Markdown table.
void printNumbers() {
    std::printf("| What | Value |\n|---|---|\n");
    for (int type = CurveLinear; type <= CurveBSpline; ++type) {
        double p[4], t[4];
        positionWeights(type, 0, p);
        tangentWeights(type, 0, t);
        std::printf("| %s weights at u = 0, position / tangent | %.4f, %.4f, %.4f, %.4f / "
                    "%.4f, %.4f, %.4f, %.4f |\n",
                    typeName(type), p[0], p[1], p[2], p[3], t[0], t[1], t[2], t[3]);
    }
    Scene scene;
    for (int type = CurveLinear; type <= CurveBSpline; ++type) {
        scene.curve->curveType = type;
        std::printf("| %s track at t = 0 and t = 0.5 | %s, %s |\n", typeName(type),
                    vec(scene.position(0)).c_str(), vec(scene.position(0.5)).c_str());
    }
    for (int k = 0; k < 3; ++k)
        addPointCallback(nullptr, nullptr);
    for (std::size_t k = 4; k < scene.curve->points.size(); ++k) {
        const ControlPoint* p = scene.curve->points[k];
        std::printf("| Point added by press %zu of \"Add to Curve\" | %s |\n", k - 3,
                    vec({p->x, p->y, p->z}).c_str());
    }
    Scene flat;
    const Frame level = frameAt(flat, 0.5);
    std::printf("| Train at t = 0.5, flat track: forward, up | %s, %s |\n",
                vec(level.forward).c_str(), vec(level.up).c_str());
    Scene raised;
    raised.point(1)->y = 2;
    const Frame climbing = frameAt(raised, 0.5);
    std::printf("| Train at t = 0.5, second point raised to y = 2: forward, up (length) | %s, "
                "%s (%.3f) |\n",
                vec(climbing.forward).c_str(), vec(climbing.up).c_str(), length(climbing.up));
    double lap = 0;
    for (int k = 0; k < 4000; ++k) {
        const Vec a = flat.position(k / 1000.0), b = flat.position((k + 1) / 1000.0);
        lap += length({b.x - a.x, b.y - a.y, b.z - a.z});
    }
    std::printf("| Length of one lap of the Cardinal start-up track (4,000 chords) | %.3f |\n", lap);
    for (bool on : {false, true}) {
        const std::vector<double> steps = lapSteps(on);
        double low = steps.at(0), high = steps.at(0);
        for (double d : steps) {
            low = std::min(low, d);
            high = std::max(high, d);
        }
        std::printf("| One lap of \"Play\", Constant Velocity %s: steps before the one that "
                    "wraps to 0, distance per step (least to most) | %zu, %.3f to %.3f |\n",
                    on ? "on" : "off", steps.size(), low, high);
    }
    const Drag d = dragExample();
    std::printf("| Drag of P2 (-2, 0.1, 2) along one ray: plain, Ctrl | %s, %s |\n",
                vec(d.plain).c_str(), vec(d.ctrl).c_str());
    const ShadowExample s = shadowExample();
    std::printf("| Shadow of (1, 2, 1), light at (5, 7, 5): drop, point light | %s, %s |\n",
                vec(s.drop).c_str(), vec(s.fromLight).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "weights")
        printWeights();
    else if (what == "tracks")
        printTracks();
    else if (what == "frames")
        printAllFrames();
    else if (what == "velocity")
        printVelocity();
    else if (what == "drag")
        printDrag();
    else if (what == "shadows")
        printShadows();
    else if (what == "numbers")
        printNumbers();
    else {
        std::fprintf(stderr,
                     "usage: loopline_guide_data weights|tracks|frames|velocity|drag|shadows|numbers\n");
        return 2;
    }
    return 0;
}
